#include "blocktool/dialogs/MainPropertyDlgDynamicCtrl.h"

#include <algorithm>

#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/model/Service.h"
#include "host/HostError.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"

namespace {

namespace adm = host::adm;

constexpr int kRowHeight = 24;
constexpr int kRowGap = 2;
constexpr int kScrollBarWidth = 16;
constexpr int kButtonWidth = 26;
constexpr int kSpacing = 4;
constexpr int kMinimumLines = 7;
constexpr int kScrollLargeStep = 5;
// A property name is a PDF name.
constexpr int kKeyLengthLimit = 125;

// Keywords that text flow withdraws from the fitmethod choices.
constexpr int kFlowWithdrawnFitMethods[] = {27, 42, 15};
constexpr int kTabRowDescription = 1122;

DynamicCtrlClass KindOf(const CMarkupProperties& property) {
  if (property.GetClass() == PropCustom) return kDynamicCustom;
  const PropertyMode m = property.GetTagMode();
  if (m & (mode::kBoolean | mode::kClosedList | mode::kOpenList)) return kDynamicChoice;
  if (m & mode::kEditorDialog) return kDynamicEditor;
  return kDynamicText;
}

bool IsTabRow(const CMarkupProperties& property) { return property.GetClass() == PropRulerTab; }

int Lines(int height) { return static_cast<int>(0.2 + static_cast<double>(height) / kRowHeight); }

// The label of a row: the short description (with the page unit for Rect).
std::string LabelText(const CMarkupProperties& property) {
  const int units = gAcroViewHFT ? gAcroViewHFT->PageUnits() : 0;
  return property.TagShortDescription(units);
}

}  // namespace

// ---- Items ----------------------------------------------------------------

CMainPropertyDynamicItem::CMainPropertyDynamicItem(CMainPropertyDynamicCtrl& row, host::ADMItem* item)
    : BaseADMItem(item, &row.List().Dialog()), row_(row) {}

void CMainPropertyDynamicItem::Draw(host::ADMDrawer* drawer) { BaseDraw(drawer); }
void CMainPropertyDynamicItem::Notify(host::ADMNotifier* notifier) { BaseADMItem::Notify(notifier); }

void CMainPropertyDynamicEdit::Notify(host::ADMNotifier* notifier) {
  CMainPropertyDynamicItem::Notify(notifier);
  // The field gets this notification when it takes the focus and when it
  // is left; entering it is what selects its row.
  if (notifier->IsNotifierType(adm::kTextSelectionChangeNotifier) && GetItem() && GetItem()->IsActive())
    Row().List().FieldEntered(Row());
}

void CMainPropertyDynamicComboBox::Notify(host::ADMNotifier* notifier) {
  CMainPropertyDynamicItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) Row().List().ChoiceMade(Row());
  else if (notifier->IsNotifierType(adm::kTextSelectionChangeNotifier) && GetItem() && GetItem()->IsActive())
    Row().List().FieldEntered(Row());
}

void CMainPropertyDynamicArrayBtn::Notify(host::ADMNotifier* notifier) {
  CMainPropertyDynamicItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) Row().List().EditorButtonPressed(Row());
}

void CMainPropertyDynamicDescription::Draw(host::ADMDrawer* drawer) {
  if (!GetItem()) return;
  const host::ADMRect bounds = GetItem()->GetBoundsRect();
  drawer->DrawTextInBoxW(host::ADMRect{0, 0, bounds.Height(), bounds.Width()}, GetItem()->GetTextW());
}

void CMainPropertyDynamicDescription::Notify(host::ADMNotifier* notifier) {
  CMainPropertyDynamicItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) Row().List().LabelClicked(Row());
}

CMainPropertyDynamicScrollBar::CMainPropertyDynamicScrollBar(CMainPropertyDynamicListCtrl& list, host::ADMItem* item)
    : BaseADMItem(item, &list.Dialog()), list_(list) {}

void CMainPropertyDynamicScrollBar::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kIntermediateChangedNotifier) && GetItem())
    list_.ScrollBarMoved(GetItem()->GetIntValue());
}

// ---- A row ------------------------------------------------------------------

CMainPropertyDynamicCtrl::CMainPropertyDynamicCtrl(CMainPropertyDynamicListCtrl& list, CMarkupProperties& property,
                                                   int baseItemID, const host::ADMRect& place)
    : list_(list), property_(&property), kind_(KindOf(property)), baseItemID_(baseItemID) {
  CreateValueItem(place);
  initialized_ = true;
}

CMainPropertyDynamicCtrl::CMainPropertyDynamicCtrl(CMainPropertyDynamicListCtrl& list, CMarkupProperties& property,
                                                   host::ADMItem* label, host::ADMItem* value)
    : list_(list), property_(&property), kind_(KindOf(property)), onTop_(true), visible_(true) {
  label_ = std::make_unique<CMainPropertyDynamicDescription>(*this, label);
  if (kind_ == kDynamicChoice) value_ = std::make_unique<CMainPropertyDynamicComboBox>(*this, value);
  else value_ = std::make_unique<CMainPropertyDynamicEdit>(*this, value);
  if (value) value->SetMaxTextLength(property.GetTextLengthLimit());
  if (kind_ == kDynamicChoice) FillChoices();
  else if (value) value->SetText(property.TagValue());
  RememberChoice();
  initialized_ = true;
}

CMainPropertyDynamicCtrl::~CMainPropertyDynamicCtrl() = default;

host::ADMItem* CMainPropertyDynamicCtrl::MakeItem(BaseADMItem& object, int offset, const char* type,
                                                  const host::ADMRect& bounds) {
  host::ADMItem* item = object.Create(list_.Dialog().GetDialog(), bounds, type, baseItemID_ + offset);
  if (!item) host::RaiseHostError(host::kErrNoSuchItem, std::string("cannot make a ") + type);
  item->Show(false);
  return item;
}

void CMainPropertyDynamicCtrl::CreateValueItem(const host::ADMRect& place) {
  const PropertyMode m = property_->GetTagMode();
  label_ = std::make_unique<CMainPropertyDynamicDescription>(*this, nullptr);
  MakeItem(*label_, kRowLabelOffset, adm::kUserType, place)->SetText(LabelText(*property_));

  const char* valueType = adm::kTextEditType;
  switch (kind_) {
    case kDynamicCustom:
      key_ = std::make_unique<CMainPropertyDynamicEdit>(*this, nullptr);
      MakeItem(*key_, kRowKeyOffset, adm::kTextEditType, place);
      key_->GetItem()->SetMaxTextLength(kKeyLengthLimit);
      key_->GetItem()->SetText(property_->TagName());
      break;
    case kDynamicChoice:
      valueType = (m & mode::kOpenList) ? adm::kTextEditPopupType : adm::kPopupListType;
      break;
    case kDynamicEditor:
      if (!(m & mode::kBoundedCount)) valueType = adm::kTextEditReadOnlyType;
      break;
    default:
      if (m & mode::kReadOnly) valueType = adm::kTextEditReadOnlyType;
      break;
  }
  if (kind_ == kDynamicChoice) value_ = std::make_unique<CMainPropertyDynamicComboBox>(*this, nullptr);
  else value_ = std::make_unique<CMainPropertyDynamicEdit>(*this, nullptr);
  host::ADMItem* value = MakeItem(*value_, kRowValueOffset, valueType, place);
  value->SetMaxTextLength(property_->GetTextLengthLimit());
  value->SetTipString(property_->TagName());
  if (kind_ == kDynamicChoice) FillChoices();
  else value->SetText(property_->TagValue());
  RememberChoice();

  if (kind_ == kDynamicEditor) {
    button_ = std::make_unique<CMainPropertyDynamicArrayBtn>(*this, nullptr);
    MakeItem(*button_, kRowButtonOffset, adm::kTextPushButtonType, place)->SetText("...");
    button_->GetItem()->Enable(list_.Dialog().EditorAvailableFor(*property_));
  }
}

// The value list in order, the entry equal to the value chosen. A value
// that is no entry stays visible: as the text of an editable choice, or as
// an entry of its own in a closed list, so that applying the row keeps it.
void CMainPropertyDynamicCtrl::FillChoices() {
  host::ADMItem* item = ValueItem();
  host::ADMList* list = item ? item->GetList() : nullptr;
  if (!list) return;
  while (list->NumberOfEntries() > 0) list->RemoveEntry(0);
  const std::string& value = property_->TagValue();
  host::ADMEntry* chosen = nullptr;
  for (int i = 0; i < property_->GetValueListSize(); ++i) {
    host::ADMEntry* entry = list->InsertEntry(i);
    entry->SetText(property_->GetNthListValue(i));
    entry->SetID(i + 1);
    if (!chosen && entry->GetText() == value) chosen = entry;
  }
  if (!chosen && item->TypeName() == adm::kPopupListType && !value.empty()) {
    chosen = list->InsertEntry(list->NumberOfEntries());
    chosen->SetText(value);
  }
  if (chosen) chosen->Activate(true);
  if (item->TypeName() == adm::kTextEditPopupType) item->SetText(value);
}

std::string CMainPropertyDynamicCtrl::GetCtrlName() const {
  if (kind_ == kDynamicCustom && key_ && key_->GetItem())
    return Service.TrimItemText(key_->GetItem(), property_->ScriptEncoding());
  return property_->TagName();
}

std::string CMainPropertyDynamicCtrl::GetCtrlValue() {
  host::ADMItem* item = ValueItem();
  if (!item) return {};
  if (item->TypeName() == adm::kPopupListType) {
    const host::ADMEntry* entry = item->GetList()->GetActiveEntry();
    return entry ? entry->GetText() : std::string();
  }
  return Service.TrimItemText(item, property_->ScriptEncoding());
}

void CMainPropertyDynamicCtrl::SetEditValueText(const std::string& text) {
  host::ADMItem* item = ValueItem();
  if (!item) return;
  if (item->TypeName() == adm::kPopupListType) {
    if (host::ADMEntry* entry = item->GetList()->FindEntry(text)) entry->Activate(true);
    return;
  }
  item->SetText(text);
}

void CMainPropertyDynamicCtrl::SetEditValueASText(const host::ASText& text) { SetEditValueText(text.UTF8()); }

void CMainPropertyDynamicCtrl::ResetDescriptionText() {
  if (kind_ == kDynamicCustom && key_ && key_->GetItem()) key_->GetItem()->SetText(property_->TagName());
  SetEditValueText(property_->TagValue());
  RememberChoice();
}

void CMainPropertyDynamicCtrl::Show(bool show) {
  visible_ = show;
  for (host::ADMItem* item : {LabelItem(), KeyItem(), ValueItem(), ButtonItem()})
    if (item) item->Show(show);
}

void CMainPropertyDynamicCtrl::Enable(bool enable) {
  if (onTop_) return;
  for (host::ADMItem* item : {LabelItem(), KeyItem(), ValueItem()})
    if (item) item->Enable(enable);
  if (host::ADMItem* button = ButtonItem())
    button->Enable(enable && list_.Dialog().EditorAvailableFor(*property_));
}

void CMainPropertyDynamicCtrl::EnableComboEntry(std::string_view entryText, bool enable) {
  host::ADMItem* item = ValueItem();
  host::ADMList* list = item ? item->GetList() : nullptr;
  if (!list) return;
  for (int i = 0; i < list->NumberOfEntries(); ++i) {
    host::ADMEntry* entry = list->GetEntry(i);
    if (entry->GetText() == entryText) entry->Enable(enable);
  }
}

void CMainPropertyDynamicCtrl::Activate(bool active) {
  if (host::ADMItem* item = ValueItem()) item->Activate(active);
}

void CMainPropertyDynamicCtrl::ActivateCustomKey(bool active) {
  if (host::ADMItem* item = KeyItem()) item->Activate(active);
}

void CMainPropertyDynamicCtrl::Remove() {
  Show(false);
  removed_ = true;
}

void CMainPropertyDynamicCtrl::Place(const host::ADMRect& line) {
  const int labelWidth = (line.Width() * 2) / 5;
  int left = line.left;
  const int labelRight = left + labelWidth;
  if (host::ADMItem* key = KeyItem()) {
    const int keyRight = left + (labelWidth * 3) / 5;
    key->SetBoundsRect({line.top, left, line.bottom, keyRight});
    left = keyRight + kSpacing;
  }
  if (host::ADMItem* label = LabelItem()) label->SetBoundsRect({line.top, left, line.bottom, labelRight});
  int valueRight = line.right;
  if (host::ADMItem* button = ButtonItem()) {
    button->SetBoundsRect({line.top, line.right - kButtonWidth, line.bottom, line.right});
    valueRight -= kButtonWidth + kSpacing;
  }
  if (host::ADMItem* value = ValueItem())
    value->SetBoundsRect({line.top, labelRight + kSpacing, line.bottom, std::max(labelRight + kSpacing + 1, valueRight)});
}

host::ADMItem* CMainPropertyDynamicCtrl::ValueItem() const { return value_ ? value_->GetItem() : nullptr; }
host::ADMItem* CMainPropertyDynamicCtrl::KeyItem() const { return key_ ? key_->GetItem() : nullptr; }
host::ADMItem* CMainPropertyDynamicCtrl::LabelItem() const { return label_ ? label_->GetItem() : nullptr; }
host::ADMItem* CMainPropertyDynamicCtrl::ButtonItem() const { return button_ ? button_->GetItem() : nullptr; }

void CMainPropertyDynamicCtrl::RememberChoice() {
  if (kind_ == kDynamicChoice) formerChoice_ = GetCtrlValue();
}

void CMainPropertyDynamicCtrl::RestoreChoice() {
  if (kind_ == kDynamicChoice) SetEditValueText(formerChoice_);
}

// ---- The list -------------------------------------------------------------------

CMainPropertyDynamicListCtrl::CMainPropertyDynamicListCtrl(CMainPropertyDlg& dialog, host::ADMItem* area)
    : dialog_(dialog), area_(area) {
  if (!area_) host::RaiseHostError(host::kErrNoSuchItem, "no list area");
  visibleLines_ = std::max(1, Lines(area_->GetBoundsRect().Height()));
  scrollBar_ = std::make_unique<CMainPropertyDynamicScrollBar>(*this, nullptr);
  const host::ADMRect a = area_->GetBoundsRect();
  host::ADMItem* bar = scrollBar_->Create(dialog_.GetDialog(), {a.top, a.right - kScrollBarWidth, a.bottom, a.right},
                                          adm::kScrollbarType, kScrollBarItemID);
  if (!bar) host::RaiseHostError(host::kErrNoSuchItem, "cannot make the scroll bar");
  bar->SetMinIntValue(0);
  bar->SetMaxIntValue(0);
  bar->SetSmallIncrement(1);
  bar->SetLargeIncrement(kScrollLargeStep);
  bar->SetIntValue(0);
  bar->Enable(false);
}

CMainPropertyDynamicListCtrl::~CMainPropertyDynamicListCtrl() = default;

void CMainPropertyDynamicListCtrl::FillList(CMarkupBlockProperties& list) {
  for (int n = 0; n < list.GetNumOfNames(); ++n)
    if (CMarkupProperties* property = list.GetProperty(list.GetNthName(n))) AddProperty(*property);
  ApplyFitMethodRule();
}

void CMainPropertyDynamicListCtrl::AddProperty(CMarkupProperties& property) {
  const std::string& name = property.TagName();
  if (name == "Name" || name == "Subtype" || name == "Description") return AlwaysOnTopProperty(property);
  if (property.GetTagMode() & (mode::kInternal | mode::kNotListed)) return;
  try {
    rows_.push_back(std::make_unique<CMainPropertyDynamicCtrl>(*this, property, NextBaseItemID(), LineRect(0)));
  } catch (...) {
    Service.ExceptionAlert("Dynamic Control add property");
  }
}

void CMainPropertyDynamicListCtrl::AlwaysOnTopProperty(CMarkupProperties& property) {
  namespace pd = property_dialog;
  const std::string& name = property.TagName();
  const int labelID = name == "Name" ? pd::kNameLabel : name == "Subtype" ? pd::kSubtypeLabel : pd::kDescriptionLabel;
  host::ADMDialog* dialog = dialog_.GetDialog();
  host::ADMItem* label = dialog->GetItem(labelID);
  host::ADMItem* value = dialog->GetItem(labelID + 1);
  if (!label || !value) host::RaiseHostError(host::kErrNoSuchItem, "no item for " + name);
  auto row = std::make_unique<CMainPropertyDynamicCtrl>(*this, property, label, value);
  if (dialog_.IsGroupSelected()) {
    if (host::ADMList* entries = value->GetList())
      while (entries->NumberOfEntries() > 0) entries->RemoveEntry(0);
    value->SetText("");
    value->Enable(false);
    label->Enable(false);
  }
  if (name == "Subtype") subtype_ = row.get();
  onTop_.push_back(std::move(row));
}

int CMainPropertyDynamicListCtrl::NextBaseItemID() { return kFirstRowItemID + kRowItemIDStep * rowsMade_++; }

void CMainPropertyDynamicListCtrl::InsertRow(std::unique_ptr<CMainPropertyDynamicCtrl> row) {
  CMarkupProperties& property = *row->GetStoredProperty();
  auto at = rows_.end();
  if (IsTabRow(property)) {
    int position = 0;
    property.TagIntValue(position);
    at = std::find_if(rows_.begin(), rows_.end(), [&](const auto& other) {
      int otherPosition = 0;
      const CMarkupProperties& p = *other->GetStoredProperty();
      p.TagIntValue(otherPosition);
      return !other->IsRemoved() && IsTabRow(p) && otherPosition > position;
    });
  }
  rows_.insert(at, std::move(row));
}

void CMainPropertyDynamicListCtrl::AddCustomProperty(CMarkupProperties& property) {
  CMainPropertyDynamicCtrl* made = nullptr;
  try {
    auto row = std::make_unique<CMainPropertyDynamicCtrl>(*this, property, NextBaseItemID(), LineRect(0));
    made = row.get();
    InsertRow(std::move(row));
  } catch (...) {
    Service.ExceptionAlert("Dynamic Control add property");
    return;
  }
  ResetRulerTabsDescription();
  RefreshListCtrl();
  SelectedControl(made);
  made->Activate(true);
}

void CMainPropertyDynamicListCtrl::DeleteSelectedProperty(std::unique_ptr<CMarkupProperties> removed) {
  CMainPropertyDynamicCtrl* row = selected_;
  if (!row || row->IsOnTopControl()) return;
  const bool tabRow = IsTabRow(*row->GetStoredProperty());
  row->Remove();
  row->KeepRemovedProperty(std::move(removed));
  if (previous_ == row) previous_ = nullptr;
  selected_ = nullptr;
  if (tabRow) ResetRulerTabsDescription();
  RefreshListCtrl();
}

void CMainPropertyDynamicListCtrl::RefreshListCtrl() { ShiftListCtrl(0, true); }

bool CMainPropertyDynamicListCtrl::Qualifies(const CMainPropertyDynamicCtrl& row) const {
  const CMarkupProperties& property = *row.GetStoredProperty();
  const PropertyMode m = property.GetTagMode();
  const PropertyClass propertyClass = property.GetClass();
  const PropertyClass active = dialog_.GetActiveClass();
  const bool onThisTab = (m & mode::kEveryTab) || (active == PropGeneral
                                                       ? propertyClass == PropGeneral
                                                       : propertyClass != 0 && (propertyClass & active) == active);
  if (!onThisTab || (m & (mode::kInternal | mode::kNotListed))) return false;
  return !dialog_.IsGroupSelected() || (m & mode::kGroupEditable);
}

// Only a controller of the block's own class counts (in effect textflow).
bool CMainPropertyDynamicListCtrl::HiddenByDependency(const CMainPropertyDynamicCtrl& row) const {
  const CPropertyDependency* dependency = row.GetStoredProperty()->GetDependency();
  if (!dependency) return false;
  const PropertyClass blockClass = Service.GetSubtypeClass(subtype_ ? subtype_->GetStoredProperty() : nullptr);
  const auto controller = std::find_if(rows_.begin(), rows_.end(), [&](const auto& other) {
    const CMarkupProperties& p = *other->GetStoredProperty();
    return p.TagName() == dependency->DependProperty() && p.GetClass() == blockClass;
  });
  if (controller == rows_.end()) return false;
  int dependMode = dependency->DependMode();
  if (!(*controller)->GetStoredProperty()->IsValueMatchValue(dependency->DependPropertyValue()))
    CPropertyDependency::InvertDependMode(dependMode);
  return !CPropertyDependency::Counts(dependMode);
}

host::ADMRect CMainPropertyDynamicListCtrl::LineRect(int line) const {
  const host::ADMRect a = area_->GetBoundsRect();
  const int top = a.top + line * kRowHeight;
  return host::ADMRect{top, a.left, top + kRowHeight - kRowGap, a.right - kScrollBarWidth - kSpacing};
}

// Rows hidden by their dependency give up their line: the rows below move up.
void CMainPropertyDynamicListCtrl::ShiftListCtrl(int first, bool refresh) {
  int qualifying = 0;
  int displayable = 0;
  CMainPropertyDynamicCtrl* firstShown = nullptr;
  for (const auto& row : rows_) {
    if (row->IsRemoved() || !Qualifies(*row)) {
      row->Show(false);
      continue;
    }
    ++qualifying;
    if (HiddenByDependency(*row)) {
      row->Show(false);
      continue;
    }
    if (!firstShown) firstShown = row.get();
    const int line = displayable++ - first;
    const bool shown = line >= 0 && line < visibleLines_;
    if (shown) row->Place(LineRect(line));
    row->Show(shown);
  }
  first_ = first;
  qualifyingRows_ = qualifying;
  if (!refresh) return;
  UpdateScrollBar(displayable);
  SelectedControl(firstShown);
  if (firstShown) firstShown->Activate(true);
}

void CMainPropertyDynamicListCtrl::UpdateScrollBar(int displayable) {
  host::ADMItem* bar = scrollBar_ ? scrollBar_->GetItem() : nullptr;
  if (!bar) return;
  const int range = std::max(0, displayable - visibleLines_);
  bar->SetMaxIntValue(range);
  bar->SetIntValue(std::min(first_, range));
  bar->Enable(displayable > visibleLines_);
}

void CMainPropertyDynamicListCtrl::ResizeListCtrl() {
  const host::ADMRect a = area_->GetBoundsRect();
  if (host::ADMItem* bar = scrollBar_->GetItem()) bar->SetBoundsRect({a.top, a.right - kScrollBarWidth, a.bottom, a.right});
  const int lines = Lines(a.Height());
  if (lines != visibleLines_ && lines >= kMinimumLines) visibleLines_ = lines;
  int displayable = 0;
  for (const auto& row : rows_)
    if (!row->IsRemoved() && Qualifies(*row) && !HiddenByDependency(*row)) ++displayable;
  const int first = std::min(first_, std::max(0, displayable - visibleLines_));
  ShiftListCtrl(first, false);
  UpdateScrollBar(displayable);
}

bool CMainPropertyDynamicListCtrl::OnTopCurrentSelection() const { return selected_ && selected_->IsOnTopControl(); }

// Applies the row's key, then its value; on a refusal the focus goes back
// to the field that was refused.
bool CMainPropertyDynamicListCtrl::ApplyRow(CMainPropertyDynamicCtrl& row) {
  if (row.IsRemoved()) return true;
  CMarkupProperties& property = *row.GetStoredProperty();
  if (!dialog_.ApplyKey(property, row.GetCtrlName())) {
    row.ActivateCustomKey(true);
    return false;
  }
  if (host::ADMItem* value = row.ValueItem()) value->SetTipString(property.TagName());
  if (!dialog_.ApplyValue(property, row.GetCtrlValue())) {
    row.Activate(true);
    return false;
  }
  if (property.TagHasMode(mode::kOpenList)) row.SetEditValueText(property.TagValue());
  if (property.TagHasMode(mode::kController)) {
    dialog_.EnableTabButtons();
    ShiftListCtrl(first_, false);
  }
  return true;
}

bool CMainPropertyDynamicListCtrl::ValidateCurrentSelection() { return !selected_ || ApplyRow(*selected_); }

bool CMainPropertyDynamicListCtrl::ValidatePreviousSelection() {
  CMainPropertyDynamicCtrl* row = previous_;
  if (!row || row == selected_ || row == subtype_) return true;
  if (ApplyRow(*row)) return true;
  SelectedControl(row);  // the focus is back in it already
  return false;
}

void CMainPropertyDynamicListCtrl::SelectedControl(CMainPropertyDynamicCtrl* row) {
  if (selected_ && selected_ != row && selected_->IsInitialized()) previous_ = selected_;
  selected_ = row;
  const CMarkupProperties* property = row ? row->GetStoredProperty() : nullptr;
  dialog_.ShowDescription(property);
  const PropertyClass propertyClass = property ? property->GetClass() : PropGeneral;
  const bool deletable = property && (propertyClass == PropCustom || propertyClass == PropRulerTab);
  const PropertyClass active = dialog_.GetActiveClass();
  if (active == PropCustom || active == PropRulerTab) dialog_.EnableCustomButtons(true, deletable);
  else dialog_.EnableCustomButtons(deletable, deletable);
}

CMarkupProperties* CMainPropertyDynamicListCtrl::GetSelectedProperty() const {
  return selected_ ? selected_->GetStoredProperty() : nullptr;
}

void CMainPropertyDynamicListCtrl::RedrawAllControls(DynamicCtrlClass kind) {
  for (const auto& row : rows_) {
    if (kind != kDynamicAllRows && row->GetDynamicCtrlClass() != kind) continue;
    for (host::ADMItem* item : {row->LabelItem(), row->KeyItem(), row->ValueItem(), row->ButtonItem()})
      if (item) item->Invalidate();
  }
}

void CMainPropertyDynamicListCtrl::ResetListCtrl() {
  for (const auto& row : onTop_)
    if (!dialog_.IsGroupSelected()) row->ResetDescriptionText();
  for (const auto& row : rows_)
    if (!row->IsRemoved()) row->ResetDescriptionText();
  ApplyFitMethodRule();
}

CMainPropertyDynamicCtrl* CMainPropertyDynamicListCtrl::FindControl(std::string_view name) const {
  for (const auto* rows : {&onTop_, &rows_})
    for (const auto& row : *rows)
      if (!row->IsRemoved() && row->GetStoredProperty()->TagName() == name) return row.get();
  return nullptr;
}

void CMainPropertyDynamicListCtrl::ResetRulerTabsDescription() {
  const std::string& format = Service.GetStringByID(kTabRowDescription);
  int n = 0;
  for (const auto& row : rows_) {
    if (row->IsRemoved() || !IsTabRow(*row->GetStoredProperty())) continue;
    row->GetStoredProperty()->TagDescription(host::text::FormatText(format, {++n}));
  }
}

void CMainPropertyDynamicListCtrl::ApplyFitMethodRule() {
  const CMainPropertyDynamicCtrl* textflow = FindControl("textflow");
  CMainPropertyDynamicCtrl* fitMethod = FindControl("fitmethod");
  if (!textflow || !fitMethod) return;
  const bool flowing = textflow->GetStoredProperty()->TagBoolValue();
  for (int keyword : kFlowWithdrawnFitMethods) fitMethod->EnableComboEntry(Service.GetStringByID(keyword), !flowing);
}

void CMainPropertyDynamicListCtrl::FieldEntered(CMainPropertyDynamicCtrl& row) {
  if (dialog_.IgnoreNotification() || &row == selected_) return;
  SelectedControl(&row);
  ValidatePreviousSelection();
}

void CMainPropertyDynamicListCtrl::ChoiceMade(CMainPropertyDynamicCtrl& row) {
  if (dialog_.IgnoreNotification()) return;
  if (&row != selected_) {
    SelectedControl(&row);
    if (!ValidatePreviousSelection()) {
      row.RestoreChoice();
      return;
    }
  }
  if (ApplyRow(row)) row.RememberChoice();
  else row.RestoreChoice();
}

void CMainPropertyDynamicListCtrl::LabelClicked(CMainPropertyDynamicCtrl& row) {
  if (dialog_.IgnoreNotification() || !ValidateCurrentSelection()) return;
  SelectedControl(&row);
  row.Activate(true);
}

void CMainPropertyDynamicListCtrl::EditorButtonPressed(CMainPropertyDynamicCtrl& row) {
  if (dialog_.IgnoreNotification()) return;
  SelectedControl(&row);
  if (!ValidatePreviousSelection()) return;
  dialog_.OpenEditor(row);
}

void CMainPropertyDynamicListCtrl::ScrollBarMoved(int position) {
  if (dialog_.IgnoreNotification()) return;
  if (!OnTopCurrentSelection() && !ValidateCurrentSelection()) {
    if (host::ADMItem* bar = scrollBar_->GetItem()) bar->SetIntValue(first_);
    return;
  }
  try {
    ShiftListCtrl(position, false);
  } catch (...) {
    Service.ExceptionAlert("Dynamic Control scrolling");
  }
}
