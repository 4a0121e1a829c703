#include "viewer/core/dm/Dialog.h"

#include <algorithm>

#include "host/ASText.h"
#include "viewer/core/FrontEnd.h"
#include "viewer/core/dm/Drawer.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/Notifier.h"
#include "viewer/core/dm/Tracker.h"
#include "viewer/core/resources/DialogLayout.h"

namespace viewer::dm {

namespace adm = host::adm;

Dialog::Dialog(DialogContext& context, host::ExtensionID plugin, const DialogLayout& layout, int style)
    : context_(context),
      plugin_(plugin),
      name_(layout.name),
      resourceID_(layout.id),
      style_(style),
      title_(layout.title),
      defaultItem_(layout.defaultItem),
      cancelItem_(layout.cancelItem) {
  const host::ADMPoint at = layout.position.value_or(host::ADMPoint{});
  bounds_ = host::ADMRect{at.v, at.h, at.v + layout.height, at.h + layout.width};
  BuildItems(layout);
}

Dialog::~Dialog() = default;

void Dialog::BuildItems(const DialogLayout& layout) {
  for (const ItemLayout& itemLayout : layout.items) {
    const std::optional<ItemKind> kind = KindFromTypeName(itemLayout.typeName);
    if (!kind) continue;  // the layout parser accepts only known types
    auto item = std::make_unique<Item>(*this, itemLayout.id, *kind, itemLayout.bounds);
    item->ApplyLayout(itemLayout);
    items_.push_back(std::move(item));
  }
}

void Dialog::DefaultDraw(host::ADMDrawer*) {
  // The front end draws the dialog's background and its items.
}

bool Dialog::DefaultTrack(host::ADMTracker* tracker) { return RunDefaultTracking(tracker); }

void Dialog::DefaultNotify(host::ADMNotifier*) {
  // Nothing happens by default for a notification that reaches the dialog.
}

host::ADMItem* Dialog::GetItem(int itemID) { return FindItem(itemID); }

host::ADMItem* Dialog::CreateItem(int itemID, std::string_view typeName, const host::ADMRect& bounds) {
  const std::optional<ItemKind> kind = KindFromTypeName(typeName);
  if (!kind || destroyed_) return nullptr;
  items_.push_back(std::make_unique<Item>(*this, itemID, *kind, bounds));
  StructureChanged();
  return items_.back().get();
}

void Dialog::DestroyItem(host::ADMItem* item) {
  const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& own) { return own.get() == item; });
  if (it == items_.end()) return;
  std::unique_ptr<Item> owned = std::move(*it);
  items_.erase(it);
  if (focused_ == owned.get()) focused_ = nullptr;
  owned->RunDestroyProc();
  ReleaseItem(std::move(owned));
  StructureChanged();
}

void Dialog::ReleaseItem(std::unique_ptr<Item> item) {
  // An item destroyed while the dialog manager works on the dialog may still
  // be referred to by the action in progress.
  if (busy_ > 0) retiredItems_.push_back(std::move(item));
}

host::ADMItem* Dialog::GetItemByIndex(int index) {
  if (index < 0 || index >= NumItems()) return nullptr;
  return items_[index].get();
}

void Dialog::Show(bool show) {
  if (visible_ == show) return;
  visible_ = show;
  if (presented_ && !destroyed_) NotifyDialog(show ? adm::kWindowShowNotifier : adm::kWindowHideNotifier);
  Changed();
}

void Dialog::SetBoundsRect(const host::ADMRect& rect) {
  bounds_ = rect;
  Changed();
}

host::ADMRect Dialog::GetLocalRect() const { return host::ADMRect{0, 0, bounds_.Height(), bounds_.Width()}; }

void Dialog::Move(int left, int top) {
  SetBoundsRect(host::ADMRect{top, left, top + bounds_.Height(), left + bounds_.Width()});
}

void Dialog::Size(int width, int height) {
  SetBoundsRect(host::ADMRect{bounds_.top, bounds_.left, bounds_.top + height, bounds_.left + width});
}

void Dialog::ProcessEvents() {
  if (destroyed_) return;
  lastEventPass_ = context_.Ticks();
  Busy busy(*this, Busy::kKeepAlive);
  Front().ProcessDialogEvents(*this);
}

void Dialog::SetText(const std::string& utf8) {
  title_ = host::text::SanitizeUTF8(utf8);
  Changed();
}

void Dialog::SetTextW(const std::u16string& text) { SetText(host::text::UTF16ToUTF8(text)); }

void Dialog::SetDefaultItemID(int itemID) {
  defaultItem_ = itemID;
  Changed();
}

void Dialog::SetCancelItemID(int itemID) {
  cancelItem_ = itemID;
  Changed();
}

void Dialog::EndModal(int itemID) {
  if (modal_) EndRun(itemID);
  else Destroy();
}

void Dialog::Destroy() {
  if (destroyed_) return;
  // A modal dialog is destroyed when its run returns.
  if (modal_) EndRun(cancelItem_);
  else DestroyNow();
}

void Dialog::EndRun(int itemID) {
  if (ended_) return;
  ended_ = true;
  endedItem_ = itemID;
  Changed();
}

Item* Dialog::FindItem(int itemID) const {
  for (const auto& item : items_)
    if (item->ID() == itemID) return item.get();
  return nullptr;
}

bool Dialog::IsResizable() const {
  return style_ == adm::kResizingFloatingStyle || style_ == adm::kTabbedResizingFloatingStyle ||
         style_ == adm::kResizingModalStyle;
}

bool Dialog::IsFloating() const { return style_ >= adm::kFloatingStyle && style_ <= adm::kNoCloseFloatingStyle; }

bool Dialog::HasCloseBox() const { return style_ != adm::kNoCloseFloatingStyle; }

void Dialog::Draw(DrawSurface& surface) {
  Drawer drawer(surface, GetLocalRect(), Drawer::kSmallDialogFont);
  if (drawProc_) drawProc_(this, &drawer);
  else DefaultDraw(&drawer);
}

Dialog::Busy::Busy(Dialog& dialog, Mode mode) : dialog_(dialog), mode_(mode) {
  ++dialog_.busy_;
  if (mode_ == kBatchChanges) ++dialog_.batching_;
}

Dialog::Busy::~Busy() {
  if (mode_ == kBatchChanges && --dialog_.batching_ == 0) dialog_.ReportChanges();
  if (--dialog_.busy_ > 0) return;
  dialog_.retiredItems_.clear();
  DialogContext& context = dialog_.context_;
  context.CollectRetired();  // may free the dialog: nothing may follow
}

void Dialog::Present() {
  if (presented_) return;
  presented_ = true;
  if (!visible_) return;
  // The front end has not built the dialog yet; it reads the state left by
  // this notification when it starts showing it.
  ++batching_;
  NotifyDialog(adm::kWindowShowNotifier);
  --batching_;
  changesPending_ = false;
}

void Dialog::DestroyNow() {
  if (destroyed_) return;
  destroyed_ = true;
  Busy busy(*this, Busy::kKeepAlive);
  focused_ = nullptr;
  if (destroyProc_) {
    const host::ADMDialogDestroyProc proc = destroyProc_;
    destroyProc_ = nullptr;
    proc(this);
  }
  while (!items_.empty()) {
    std::unique_ptr<Item> item = std::move(items_.back());
    items_.pop_back();
    item->RunDestroyProc();
    retiredItems_.push_back(std::move(item));
  }
  if (presented_) Front().DialogDestroyed(*this);
  visible_ = false;
  context_.Retire(*this);
}

void Dialog::Changed(Item* item) {
  ++revision_;
  if (item) item->MarkChanged(revision_);
  if (!presented_ || destroyed_) return;
  if (batching_ > 0) changesPending_ = true;
  else Front().DialogChanged(*this);
}

void Dialog::StructureChanged() {
  ++structureRevision_;
  Changed();
}

void Dialog::ReportChanges() {
  if (!changesPending_) return;
  changesPending_ = false;
  if (presented_ && !destroyed_) Front().DialogChanged(*this);
}

bool Dialog::Track(host::ADMTracker& tracker) { return trackProc_ ? trackProc_(this, &tracker) : DefaultTrack(&tracker); }

void Dialog::NotifyDialog(std::string_view typeName) {
  Notifier notifier(*this, nullptr, typeName);
  ForwardToDialog(&notifier);
}

void Dialog::ForwardToDialog(host::ADMNotifier* notifier) {
  if (notifyProc_) notifyProc_(this, notifier);
  else DefaultNotify(notifier);
}

void Dialog::NotifyItem(Item& item, std::string_view typeName) {
  Notifier notifier(*this, &item, typeName);
  item.Notify(notifier);
}

void Dialog::SetFocus(Item* item) {
  if (focused_ == item) return;
  if (focused_) focused_->ClearPendingEdit();
  Item* previous = focused_;
  focused_ = item;
  if (previous) Changed(previous);
  if (item) Changed(item);
}

bool Dialog::TakeSkipNextClipboardOperation() {
  const bool skip = skipNextClipboard_;
  skipNextClipboard_ = false;
  return skip;
}

void Dialog::ClearOthersInGroup(Item& item) {
  const bool isTab = item.Kind() == ItemKind::TabButton;
  const bool isGroupedRadio = item.Kind() == ItemKind::RadioButton && item.RadioGroup() != 0;
  if (!isTab && !isGroupedRadio) return;
  for (const auto& other : items_) {
    if (other.get() == &item || other->Kind() != item.Kind() || !other->GetBooleanValue()) continue;
    if (isGroupedRadio && other->RadioGroup() != item.RadioGroup()) continue;
    other->SetCheckedQuietly(false);
    Changed(other.get());
  }
}

FrontEnd& Dialog::Front() { return context_.Front(); }

}  // namespace viewer::dm
