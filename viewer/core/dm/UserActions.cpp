#include "viewer/core/dm/UserActions.h"

#include <charconv>

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/HierarchyList.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/List.h"
#include "viewer/core/dm/Tracker.h"

namespace viewer::dm {

namespace adm = host::adm;

namespace {

std::string Named(const Item& item) { return "item " + std::to_string(item.ID()); }

[[noreturn]] void Refuse(const std::string& reason) { throw UserActionError(reason); }

[[noreturn]] void WrongKind(const Item& item, const char* action) {
  Refuse("cannot " + std::string(action) + " " + Named(item) + " (" + item.TypeName() + ")");
}

host::ADMPoint Centre(const Item& item) {
  const host::ADMRect bounds = item.GetBoundsRect();
  return host::ADMPoint{bounds.Width() / 2, bounds.Height() / 2};
}

std::string PathText(const std::vector<int>& path, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length && i < path.size(); ++i) text += (i ? "." : "") + std::to_string(path[i]);
  return text;
}

bool IsClickable(ItemKind kind) {
  switch (kind) {
    case ItemKind::PushButton:
    case ItemKind::TabButton:
    case ItemKind::CheckBox:
    case ItemKind::RadioButton:
    case ItemKind::PictureStatic:
    case ItemKind::User:
      return true;
    default:
      return false;
  }
}

}  // namespace

void UserActions::CheckDialogShown() const {
  if (dialog_.IsDestroyed() || dialog_.HasEnded()) Refuse("the dialog has ended");
  if (!dialog_.IsVisible()) Refuse("the dialog is not shown");
}

Item& UserActions::Usable(int itemID) const {
  CheckDialogShown();
  Item* item = dialog_.FindItem(itemID);
  if (!item) Refuse("the dialog has no item " + std::to_string(itemID));
  if (!item->IsVisible()) Refuse(Named(*item) + " is hidden");
  if (!item->IsEnabled()) Refuse(Named(*item) + " is disabled");
  return *item;
}

Item& UserActions::UsableTextField(int itemID, const char* action) const {
  Item& item = Usable(itemID);
  if (!IsTextField(item.Kind())) WrongKind(item, action);
  return item;
}

void UserActions::SetText(int itemID, const std::string& utf8) {
  Item& item = Usable(itemID);
  if (item.Kind() == ItemKind::Slider || item.Kind() == ItemKind::ScrollBar) {
    int value = 0;
    const auto [end, ec] = std::from_chars(utf8.data(), utf8.data() + utf8.size(), value);
    if (utf8.empty() || ec != std::errc() || end != utf8.data() + utf8.size())
      Refuse("\"" + utf8 + "\" is not a number for " + Named(item));
    return SetValue(itemID, value);
  }
  if (!IsTextField(item.Kind())) WrongKind(item, "type into");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  Type(itemID, utf8);
  Leave();
}

void UserActions::Focus(int itemID) {
  Item& item = UsableTextField(itemID, "focus");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  FocusItem(item);
}

// A dialog may keep the focus where it is, refusing what was typed: it
// then puts the focus back while the field is left or the new one entered.
void UserActions::FocusItem(Item& item) {
  if (dialog_.FocusedItem() == &item) return;
  Leave();
  CheckDialogShown();
  if (const Item* kept = dialog_.FocusedItem()) {
    if (kept == &item) return;
    Refuse("the dialog kept the focus in " + Named(*kept));
  }
  dialog_.SetFocus(&item);
  dialog_.NotifyItem(item, adm::kTextSelectionChangeNotifier);
  const Item* focused = dialog_.FocusedItem();
  if (focused && focused != &item) Refuse("the dialog kept the focus in " + Named(*focused));
}

void UserActions::Type(int itemID, const std::string& utf8) {
  Item& item = UsableTextField(itemID, "type into");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  FocusItem(item);
  item.TypeText(utf8);
  dialog_.NotifyItem(item, adm::kIntermediateChangedNotifier);
}

void UserActions::Paste(int itemID, const std::string& utf8) {
  Item& item = UsableTextField(itemID, "paste into");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  FocusItem(item);
  dialog_.NotifyItem(item, adm::kPreClipboardPasteNotifier);
  if (dialog_.TakeSkipNextClipboardOperation()) return;
  item.TypeText(utf8);
  dialog_.NotifyItem(item, adm::kIntermediateChangedNotifier);
  dialog_.NotifyItem(item, adm::kPostClipboardPasteNotifier);
}

void UserActions::Leave() {
  Item* item = dialog_.FocusedItem();
  if (!item) return;
  CheckDialogShown();
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  const bool changed = item->HasPendingEdit();
  dialog_.SetFocus(nullptr);
  dialog_.NotifyItem(*item, adm::kTextSelectionChangeNotifier);
  if (changed) dialog_.NotifyItem(*item, adm::kUserChangedNotifier);
}

void UserActions::Check(int itemID, bool on) {
  Item& item = Usable(itemID);
  const bool radio = item.Kind() == ItemKind::RadioButton;
  if (item.Kind() != ItemKind::CheckBox && !radio) WrongKind(item, "check");
  if (item.GetBooleanValue() == on) return;
  if (radio && !on) Refuse("a click cannot turn " + Named(item) + " (a radio button) off");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  Click(item, Centre(item), 0, false, [&item, on] { item.SetBooleanValue(on); });
}

void UserActions::Select(int itemID, int index) {
  Item& item = Usable(itemID);
  if (item.Kind() == ItemKind::HierarchyListBox) return SelectTreeEntry(itemID, {index});
  if (!HoldsEntries(item.Kind())) WrongKind(item, "select an entry of");
  Entry* entry = item.EntryList()->EntryAt(index);
  if (!entry) Refuse(Named(item) + " has no entry " + std::to_string(index));
  if (entry->IsSeparator()) Refuse("entry " + std::to_string(index) + " of " + Named(item) + " is a separator");
  if (!entry->IsEnabled()) Refuse("entry " + std::to_string(index) + " of " + Named(item) + " is disabled");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  Click(item, Centre(item), 0, false, [entry] { entry->Activate(true); });
}

void UserActions::SelectTreeEntry(int itemID, const std::vector<int>& path) {
  Item& item = Usable(itemID);
  if (item.Kind() != ItemKind::HierarchyListBox) WrongKind(item, "select a tree entry of");
  if (path.empty()) Refuse("no entry given for " + Named(item));
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  HierarchyList* list = item.Tree();
  for (std::size_t level = 0; level < path.size(); ++level) {
    ListEntry* entry = list ? list->EntryAt(path[level]) : nullptr;
    if (!entry) Refuse(Named(item) + " has no entry " + PathText(path, level + 1));
    const auto click = [&] {
      Tracker tracker(Centre(item), Tracker::kMouseDown, 0, [entry] { entry->Activate(true); });
      if (entry->OwnerList().Track(*entry, tracker)) dialog_.NotifyItem(item, adm::kUserChangedNotifier);
    };
    if (level + 1 == path.size()) return click();
    if (!entry->IsExpanded()) {
      click();
      entry->Expand(true);
      dialog_.NotifyItem(item, adm::kUserChangedNotifier);
    }
    list = entry->ChildList();
  }
}

void UserActions::ExpandTreeEntry(int itemID, const std::vector<int>& path, bool expand) {
  Item& item = Usable(itemID);
  if (item.Kind() != ItemKind::HierarchyListBox) WrongKind(item, "open an entry of");
  HierarchyList* list = item.Tree();
  ListEntry* entry = nullptr;
  for (std::size_t level = 0; level < path.size(); ++level) {
    if (entry && !entry->IsExpanded()) Refuse("entry " + PathText(path, level) + " of " + Named(item) + " is closed");
    entry = list ? list->EntryAt(path[level]) : nullptr;
    if (!entry) Refuse(Named(item) + " has no entry " + PathText(path, level + 1));
    list = entry->ChildList();
  }
  if (!entry) Refuse("no entry given for " + Named(item));
  if (entry->IsExpanded() == expand) return;
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  entry->Expand(expand);
  dialog_.NotifyItem(item, adm::kUserChangedNotifier);
}

void UserActions::SetValue(int itemID, int value) {
  Item& item = Usable(itemID);
  if (item.Kind() != ItemKind::Slider && item.Kind() != ItemKind::ScrollBar) WrongKind(item, "drag");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  item.SetIntValue(value);
  dialog_.NotifyItem(item, adm::kIntermediateChangedNotifier);
  dialog_.NotifyItem(item, adm::kUserChangedNotifier);
}

void UserActions::Press(int itemID) {
  Item& item = Usable(itemID);
  Press(itemID, Centre(item), 0, false);
}

void UserActions::Press(int itemID, host::ADMPoint where, int modifiers, bool doubleClick) {
  Item& item = Usable(itemID);
  if (!IsClickable(item.Kind())) WrongKind(item, "press");
  std::function<void()> effect;
  if (item.Kind() == ItemKind::CheckBox) effect = [&item] { item.SetBooleanValue(!item.GetBooleanValue()); };
  else if (HoldsBoolean(item.Kind())) effect = [&item] { item.SetBooleanValue(true); };
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  Click(item, where, modifiers, doubleClick, std::move(effect));
}

void UserActions::Click(Item& item, host::ADMPoint where, int modifiers, bool doubleClick,
                        std::function<void()> effect) {
  Tracker tracker(where, doubleClick ? Tracker::kDoubleClick : Tracker::kMouseDown, modifiers, std::move(effect));
  if (item.Track(tracker)) dialog_.NotifyItem(item, adm::kUserChangedNotifier);
}

void UserActions::ClickDialog(host::ADMPoint where, int modifiers) {
  CheckDialogShown();
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  Tracker tracker(where, Tracker::kMouseDown, modifiers, nullptr);
  dialog_.Track(tracker);
}

void UserActions::PressReturn() {
  CheckDialogShown();
  const Item* item = dialog_.FindItem(dialog_.GetDefaultItemID());
  if (item && item->IsVisible() && item->IsEnabled()) Press(item->ID());
}

void UserActions::PressEscape() {
  CheckDialogShown();
  const Item* item = dialog_.FindItem(dialog_.GetCancelItemID());
  if (item && item->IsVisible() && item->IsEnabled()) Press(item->ID());
}

void UserActions::MoveTo(int left, int top) {
  CheckDialogShown();
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  dialog_.Move(left, top);
  dialog_.NotifyDialog(adm::kWindowMovedByDragNotifier);
}

void UserActions::ResizeTo(int width, int height) {
  CheckDialogShown();
  if (!dialog_.IsResizable()) Refuse("the dialog cannot be resized");
  if (width < 1 || height < 1) Refuse("a dialog needs a width and a height of at least 1");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  dialog_.Size(width, height);
  dialog_.NotifyDialog(adm::kBoundsChangedNotifier);
}

void UserActions::Close() {
  CheckDialogShown();
  if (!dialog_.HasCloseBox()) Refuse("the dialog has no close box");
  Dialog::Busy busy(dialog_, Dialog::Busy::kBatchChanges);
  if (!dialog_.IsModal()) return dialog_.DestroyNow();
  const Item* cancel = dialog_.FindItem(dialog_.GetCancelItemID());
  if (cancel && cancel->IsVisible() && cancel->IsEnabled()) return Press(cancel->ID());
  dialog_.EndModal(dialog_.GetCancelItemID());
}

}  // namespace viewer::dm
