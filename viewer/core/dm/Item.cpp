#include "viewer/core/dm/Item.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "host/ASText.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Drawer.h"
#include "viewer/core/dm/HierarchyList.h"
#include "viewer/core/dm/List.h"
#include "viewer/core/dm/Tracker.h"
#include "viewer/core/resources/DialogLayout.h"

namespace viewer::dm {

namespace {

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(std::lround(value));
}

// Lists whose number is the index of the active entry.
bool NumberIsActiveIndex(ItemKind kind) { return kind == ItemKind::PopupList || kind == ItemKind::ListBox; }

// Items whose number is written as their text.
bool NumberIsText(ItemKind kind) {
  return !HoldsNumber(kind) && !HoldsBoolean(kind) && !NumberIsActiveIndex(kind) && kind != ItemKind::HierarchyListBox;
}

}  // namespace

Item::Item(dm::Dialog& dialog, int id, ItemKind kind, const host::ADMRect& bounds)
    : dialog_(dialog), id_(id), kind_(kind), bounds_(bounds) {
  if (HoldsEntries(kind)) list_ = std::make_unique<List>(*this);
  if (kind == ItemKind::HierarchyListBox) tree_ = std::make_unique<HierarchyList>(*this, nullptr);
}

Item::~Item() = default;

void Item::ApplyLayout(const ItemLayout& layout) {
  text_ = layout.text;
  maxTextLength_ = layout.maxTextLength;
  visible_ = !layout.hidden;
  enabled_ = !layout.disabled;
  picture_ = layout.picture;
  pictureFamily_ = layout.pictureFamily;
  tip_ = layout.tip;
  if (kind_ == ItemKind::RadioButton) radioGroup_ = layout.radioGroup;
  if (layout.minValue) min_ = *layout.minValue;
  if (layout.maxValue) max_ = *layout.maxValue;
  if (layout.smallIncrement) smallIncrement_ = *layout.smallIncrement;
  if (layout.largeIncrement) largeIncrement_ = *layout.largeIncrement;
  if (list_) {
    for (const EntryLayout& e : layout.entries) {
      auto* entry = static_cast<Entry*>(list_->InsertEntry(list_->NumberOfEntries()));
      entry->SetText(e.text);
      entry->SetID(e.id);
      entry->MakeSeparator(e.separator);
      entry->Enable(!e.disabled);
      entry->SetPictureID(e.picture, e.pictureFamily);
    }
  }
  checked_ = layout.checked;
  if (!layout.value) return;
  // A layout's value of any list item is the index of its active entry.
  if (kind_ == ItemKind::TextEditPopup) list_->SetActive(list_->EntryAt(*layout.value));
  else SetIntValue(*layout.value);
}

host::ADMDialog* Item::Dialog() const { return &dialog_; }

void Item::DefaultDraw(host::ADMDrawer*) {
  // The front end draws the standard look of every item kind.
}

bool Item::DefaultTrack(host::ADMTracker* tracker) { return RunDefaultTracking(tracker); }

void Item::DefaultNotify(host::ADMNotifier* notifier) {
  const bool endsRun = notifier && notifier->IsNotifierType(host::adm::kUserChangedNotifier) && dialog_.IsModal() &&
                       !dialog_.HasEnded() &&
                       (id_ == dialog_.GetDefaultItemID() || id_ == dialog_.GetCancelItemID());
  if (endsRun) dialog_.EndModal(id_);
  dialog_.ForwardToDialog(notifier);
}

bool Item::DefaultTextToFloat(float* value) {
  std::string_view text = text_;
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  if (text.starts_with('+')) text.remove_prefix(1);
  float parsed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (value) *value = parsed;
  return true;
}

bool Item::DefaultFloatToText(float value, std::string* text) {
  if (!std::isfinite(value)) return false;
  if (text) *text = std::to_string(RoundToInt(value));
  return true;
}

void Item::SetBoundsRect(const host::ADMRect& rect) {
  bounds_ = rect;
  Changed();
}

void Item::Move(int left, int top) {
  SetBoundsRect(host::ADMRect{top, left, top + bounds_.Height(), left + bounds_.Width()});
}

void Item::Enable(bool enable) {
  enabled_ = enable;
  if (!enable && IsActive()) dialog_.SetFocus(nullptr);
  Changed();
}

void Item::Show(bool show) {
  visible_ = show;
  if (!show && IsActive()) dialog_.SetFocus(nullptr);
  Changed();
}

void Item::Activate(bool active) {
  if (active) dialog_.SetFocus(this);
  else if (IsActive()) dialog_.SetFocus(nullptr);
}

bool Item::IsActive() const { return dialog_.FocusedItem() == this; }

void Item::SetBooleanValue(bool value) {
  checked_ = value;
  if (value) dialog_.ClearOthersInGroup(*this);
  Changed();
}

void Item::SetIntValue(int value) {
  if (HoldsNumber(kind_)) SetNumber(value);
  else if (HoldsBoolean(kind_)) SetBooleanValue(value != 0);
  else if (NumberIsActiveIndex(kind_)) list_->SetActive(list_->EntryAt(value));
  else if (NumberIsText(kind_)) SetFloatValue(static_cast<float>(value));
}

int Item::GetIntValue() const {
  if (HoldsNumber(kind_)) return value_;
  if (HoldsBoolean(kind_)) return checked_ ? 1 : 0;
  if (NumberIsActiveIndex(kind_)) return list_->ActiveIndex();
  if (NumberIsText(kind_)) return RoundToInt(GetFloatValue());
  return 0;
}

void Item::SetMinIntValue(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  SetNumber(value_);
}

void Item::SetMaxIntValue(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  SetNumber(value_);
}

void Item::SetFloatValue(float value) {
  if (!NumberIsText(kind_)) return SetIntValue(RoundToInt(value));
  std::string text;
  const bool ok = floatToTextProc_ ? floatToTextProc_(this, value, &text) : DefaultFloatToText(value, &text);
  if (ok) SetText(text);
}

float Item::GetFloatValue() const {
  if (!NumberIsText(kind_)) return static_cast<float>(GetIntValue());
  float value = 0;
  return TextToFloat(&value) ? value : 0.0f;
}

void Item::SetSmallIncrement(int value) {
  smallIncrement_ = value;
  Changed();
}

void Item::SetLargeIncrement(int value) {
  largeIncrement_ = value;
  Changed();
}

void Item::SetText(const std::string& utf8) {
  text_ = host::text::SanitizeUTF8(utf8);
  if (NumberIsActiveIndex(kind_))
    if (auto* entry = static_cast<Entry*>(list_->FindEntry(text_))) list_->SetActive(entry);
  Changed();
}

std::string Item::GetText() const {
  if (NumberIsActiveIndex(kind_)) {
    const Entry* active = list_->ActiveEntry();
    return active ? active->GetText() : std::string();
  }
  return text_;
}

void Item::SetTextW(const std::u16string& text) { SetText(host::text::UTF16ToUTF8(text)); }
std::u16string Item::GetTextW() const { return host::text::UTF8ToUTF16(GetText()); }

void Item::SetMaxTextLength(int length) {
  maxTextLength_ = length < 0 ? -1 : length;
  Changed();
}

void Item::SetPictureID(int iconResource, std::string_view iconName) {
  picture_ = iconResource;
  pictureFamily_ = std::string(iconName);
  Changed();
}

void Item::SetTipString(const std::string& utf8) {
  tip_ = host::text::SanitizeUTF8(utf8);
  Changed();
}

void Item::Invalidate() { Changed(); }
void Item::Update() { Changed(); }

host::ADMList* Item::GetList() { return list_.get(); }
host::ADMHierarchyList* Item::GetHierarchyList() { return tree_.get(); }

void Item::Draw(DrawSurface& surface) {
  Drawer drawer(surface, host::ADMRect{0, 0, bounds_.Height(), bounds_.Width()}, Drawer::kSmallDialogFont);
  if (drawProc_) drawProc_(this, &drawer);
  else DefaultDraw(&drawer);
}

bool Item::Track(host::ADMTracker& tracker) { return trackProc_ ? trackProc_(this, &tracker) : DefaultTrack(&tracker); }

void Item::Notify(host::ADMNotifier& notifier) {
  if (notifyProc_) notifyProc_(this, &notifier);
  else DefaultNotify(&notifier);
}

void Item::RunDestroyProc() {
  if (!destroyProc_) return;
  const host::ADMItemDestroyProc proc = destroyProc_;
  destroyProc_ = nullptr;
  proc(this);
}

void Item::TypeText(const std::string& utf8) {
  const std::string text = host::text::SanitizeUTF8(utf8);
  text_ = maxTextLength_ >= 0 ? host::text::TruncateUTF8(text, static_cast<std::size_t>(maxTextLength_)) : text;
  pendingEdit_ = true;
  Changed();
}

void Item::ActiveEntryChanged() {
  if (kind_ != ItemKind::TextEditPopup) return;
  if (const Entry* active = list_->ActiveEntry()) text_ = active->GetText();
  Changed();
}

bool Item::TextToFloat(float* value) const {
  auto* self = const_cast<Item*>(this);  // the procedures take the item as plug-ins know it
  return textToFloatProc_ ? textToFloatProc_(self, value) : self->DefaultTextToFloat(value);
}

void Item::SetNumber(int value) {
  value_ = value < min_ ? min_ : (value > max_ ? max_ : value);
  Changed();
}

void Item::Changed() { dialog_.Changed(this); }

}  // namespace viewer::dm
