#include "blocktool/dialogs/MarkupMainPropertyDlg.h"

#include <optional>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/dialogs/PropertyEditors.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/Service.h"
#include "host/HostError.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"

std::unique_ptr<CTabDialogAppearance> pMainDlgAppearance;

namespace {

namespace adm = host::adm;
namespace pd = property_dialog;

constexpr int kTabItems[] = {pd::kGeneralTab, pd::kTextTab, pd::kTextflowTab, pd::kRulerTabsTab,
                             pd::kImageTab,   pd::kPDFTab,  pd::kCustomTab};

constexpr int kMaxRulerTabs = 32;
constexpr int kRulerTabsFull = 1162;
constexpr int kNameTaken = 1086;
constexpr int kTabRowName = 1121;
constexpr int kTabRowDescription = 1122;
constexpr PropertyMode kTabRowMode = 0x01000028;
// Reset all keeps the values of properties with any of these mode bits.
constexpr PropertyMode kResetKeeps = 0xF0;

int TitleOfTab(int item) {
  switch (item) {
    case pd::kTextTab:
      return 1125;
    case pd::kTextflowTab:
      return 1124;
    case pd::kRulerTabsTab:
      return 1123;
    case pd::kImageTab:
      return 1119;
    case pd::kPDFTab:
      return 1120;
    case pd::kCustomTab:
      return 1117;
    default:
      return 1118;
  }
}

void NoteAlert(const std::string& text) {
  if (gAcroViewHFT) gAcroViewHFT->AlertNote(text);
}

std::optional<PropertyEditorKind> EditorKindOf(const CMarkupProperties& property) {
  if (property.TagHasMode(mode::kColor)) return PropertyEditorKind::Color;
  if (property.TagHasMode(mode::kFilePath)) return PropertyEditorKind::FilePath;
  if (property.IsTagName("position")) return PropertyEditorKind::Position;
  if (property.IsTagName("fontname")) return PropertyEditorKind::FontName;
  if (property.GetClass() == PropRulerTab) return PropertyEditorKind::RulerTab;
  return std::nullopt;
}

const char* EditorContext(PropertyEditorKind kind) {
  switch (kind) {
    case PropertyEditorKind::Color:
      return "ColorSpace Property";
    case PropertyEditorKind::FilePath:
      return "Default path";
    case PropertyEditorKind::Position:
      return "Position";
    case PropertyEditorKind::FontName:
      return "Font Name";
    default:
      return "Dynamic Control add property";
  }
}

}  // namespace

// ---- Buttons ----------------------------------------------------------------

CMainPropertyTabbedBtn::CMainPropertyTabbedBtn(host::ADMItem* item, CMainPropertyDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CMainPropertyTabbedBtn::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier) && GetItem()) dialog_.ChangeActiveTab(GetItem()->ID());
}

CMainPropertyAddBtn::CMainPropertyAddBtn(host::ADMItem* item, CMainPropertyDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CMainPropertyAddBtn::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) dialog_.Add();
}

CMainPropertyDeleteBtn::CMainPropertyDeleteBtn(host::ADMItem* item, CMainPropertyDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CMainPropertyDeleteBtn::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) dialog_.DeleteProperty();
}

CMainPropertyResetAllBtn::CMainPropertyResetAllBtn(host::ADMItem* item, CMainPropertyDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CMainPropertyResetAllBtn::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) dialog_.ResetAll();
}

CMainPropertyOKBtn::CMainPropertyOKBtn(host::ADMItem* item, CMainPropertyDlg& dialog)
    : CAcroADMDialogOKButtonItem(item, &dialog), dialog_(dialog) {}

void CMainPropertyOKBtn::Notify(host::ADMNotifier* notifier) {
  CMainPropertyDynamicListCtrl* list = dialog_.GetDynamicListCtrl();
  if (notifier->IsNotifierType(adm::kUserChangedNotifier) && list && !list->ValidateCurrentSelection()) return;
  CAcroADMDialogOKButtonItem::Notify(notifier);
}

// ---- Opening ------------------------------------------------------------------

CMainPropertyDlg::CMainPropertyDlg(CMarkupSelectionGroup& selection) : selection_(selection) {}

CMainPropertyDlg::~CMainPropertyDlg() = default;

// The page of the active document's view; the selected block's own page
// when the active document shows none.
CMarkupPageCollection* CMainPropertyDlg::ActivePageCollection() const {
  if (gAcroViewHFT)
    if (CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(gAcroViewHFT->GetActiveDoc())) return page;
  const CMarkupBlock* reference = SelectedBlock();
  return reference ? dynamic_cast<CMarkupPageCollection*>(reference->PageCollectionRefernce()) : nullptr;
}

// A remembered area only places the dialog here; it takes its size once
// the resize rules are in place.
host::ADMRect CMainPropertyDlg::GetPrefBounds() {
  if (!pMainDlgAppearance || !pMainDlgAppearance->Initialized()) return CResizableDlg::GetPrefBounds();
  const host::ADMRect& area = pMainDlgAppearance->Area();
  return host::ADMRect{area.top, area.left, area.top, area.left};
}

void CMainPropertyDlg::InitSelf() {
  try {
    CMarkupBlock* reference = SelectedBlock();
    if (!reference) host::RaiseHostError(host::kErrBadParameter, "no selected block");
    if (!pMainDlgAppearance) pMainDlgAppearance = std::make_unique<CTabDialogAppearance>();
    monoType_ = selection_.IsGroupMonoType();
    kept_ = std::make_unique<CMarkupBlockProperties>(reference->BlockID(), *reference->PropertyList());
    if (CMarkupProperties* rect = kept_->GetProperty("Rect")) {
      rectStored_ = rect->TagValue();
      rectShown_ = Service.TransformBlockRectPropertyToUI(rectStored_);
      rect->TagValue(rectShown_);
    }
    ObtainInitialRect();
    AttachItems();
    RegisterResizeRules();
    EnableTabButtons();
    ChooseFirstTab();
    ResizeToRememberedArea();
    list_->RefreshListCtrl();
    list_->RedrawAllControls(kDynamicAllRows);
  } catch (...) {
    Service.ExceptionAlert("Main Dialog init");
  }
}

void CMainPropertyDlg::AttachItems() {
  host::ADMDialog* dialog = GetDialog();
  for (int item : kTabItems)
    if (host::ADMItem* tab = dialog->GetItem(item)) tabs_.push_back(std::make_unique<CMainPropertyTabbedBtn>(tab, *this));
  if (host::ADMItem* group = dialog->GetItem(pd::kGroupIndicator)) {
    group->Show(IsGroupSelected());
    group->Enable(IsGroupSelected());
  }
  list_ = std::make_unique<CMainPropertyDynamicListCtrl>(*this, dialog->GetItem(pd::kListArea));
  list_->FillList(*kept_);
  ShowDescription(nullptr);
  add_ = std::make_unique<CMainPropertyAddBtn>(dialog->GetItem(pd::kAdd), *this);
  delete_ = std::make_unique<CMainPropertyDeleteBtn>(dialog->GetItem(pd::kDelete), *this);
  resetAll_ = std::make_unique<CMainPropertyResetAllBtn>(dialog->GetItem(pd::kResetAll), *this);
  if (host::ADMItem* ok = dialog->GetItem(pd::kOK)) ReplaceOKButtonItem(std::make_unique<CMainPropertyOKBtn>(ok, *this));
}

void CMainPropertyDlg::RegisterResizeRules() {
  host::ADMDialog* dialog = GetDialog();
  const std::pair<int, ControlResizeType> rules[] = {
      {pd::kOK, ResizeShiftRight | ResizeShiftDown},
      {pd::kCancel, ResizeShiftRight | ResizeShiftDown},
      {pd::kAdd, ResizeShiftDown},
      {pd::kDelete, ResizeShiftDown},
      {pd::kResetAll, ResizeShiftDown},
      {pd::kDescriptionText, ResizeShiftDown | ResizeStretchRight},
      {pd::kListArea, ResizeStretchRight | ResizeStretchBottom},
      {pd::kNameValue, ResizeStretchRight},
      {pd::kDescriptionValue, ResizeStretchRight},
      {pd::kGroupIndicator, ResizeShiftRight},
  };
  for (const auto& [item, rule] : rules) AddResizableControl(dialog->GetItem(item), rule);
}

void CMainPropertyDlg::ChooseFirstTab() {
  if (!pMainDlgAppearance->Initialized()) {
    RememberArea();
    return ShowTab(pd::kGeneralTab);
  }
  const int remembered = pMainDlgAppearance->ActiveTab();
  const PropertyClass tabClass = GetActiveTabClass(remembered);
  const PropertyClass listClass = kept_->PropertyListClass();
  int tab = GetActiveTabByClass(listClass);
  if (tabClass == PropGeneral || (monoType_ && (tabClass & listClass))) tab = remembered;
  else if (tabClass == PropCustom) tab = selection_.GetSize() == 1 ? remembered : pd::kGeneralTab;
  ShowTab(TabShown(tab) ? tab : pd::kGeneralTab);
}

void CMainPropertyDlg::ResizeToRememberedArea() {
  if (!pMainDlgAppearance->Initialized()) return;
  const host::ADMRect& area = pMainDlgAppearance->Area();
  if (area.Width() <= 0 || area.Height() <= 0) return;
  GetDialog()->SetBoundsRect(area);
  DialogResized();
}

// ---- Tabs ---------------------------------------------------------------------------

PropertyClass CMainPropertyDlg::GetActiveTabClass(int item) {
  switch (item) {
    case pd::kTextTab:
      return PropText;
    case pd::kTextflowTab:
      return PropTextflow;
    case pd::kRulerTabsTab:
      return PropRulerTab;
    case pd::kImageTab:
      return PropImage;
    case pd::kPDFTab:
      return PropPDF;
    case pd::kCustomTab:
      return PropCustom;
    default:
      return PropGeneral;
  }
}

int CMainPropertyDlg::GetActiveTabByClass(PropertyClass listClass) const {
  if (!monoType_) return pd::kGeneralTab;
  if (listClass & PropText) {
    if (listClass & PropTextflow) return pd::kTextflowTab;
    if (listClass & PropRulerTab) return pd::kRulerTabsTab;
    return pd::kTextTab;
  }
  if (listClass & PropImage) return pd::kImageTab;
  if (listClass & PropPDF) return pd::kPDFTab;
  return pd::kGeneralTab;
}

bool CMainPropertyDlg::TabShown(int item) const {
  const PropertyClass listClass = kept_->PropertyListClass();
  const CMarkupProperties* textflow = kept_->GetProperty("textflow");
  const bool flowing = listClass == PropText && textflow && textflow->TagBoolValue();
  switch (item) {
    case pd::kGeneralTab:
      return true;
    case pd::kTextTab:
      return monoType_ && listClass == PropText;
    case pd::kTextflowTab:
      return flowing;
    case pd::kRulerTabsTab: {
      const CMarkupProperties* method = kept_->GetProperty("hortabmethod");
      return flowing && method && method->IsValueMatchValue(Service.GetStringByID(str::kRulerTabMethod));
    }
    case pd::kImageTab:
      return monoType_ && listClass == PropImage;
    case pd::kPDFTab:
      return monoType_ && listClass == PropPDF;
    case pd::kCustomTab:
      return selection_.GetSize() == 1;
    default:
      return false;
  }
}

void CMainPropertyDlg::EnableTabButtons() {
  if (!Opened()) return;
  for (const auto& tab : tabs_) {
    host::ADMItem* item = tab->GetItem();
    if (!item) continue;
    const bool shown = TabShown(item->ID());
    item->Show(shown);
    item->Enable(shown);
  }
  // A tab whose condition no longer holds leaves the general rows.
  if (list_ && !TabShown(activeTab_)) {
    ShowTab(pd::kGeneralTab);
    list_->RefreshListCtrl();
  }
}

void CMainPropertyDlg::CheckTab(int item) {
  if (host::ADMItem* tab = GetDialog()->GetItem(item)) tab->SetBooleanValue(true);
}

void CMainPropertyDlg::ShowTab(int item) {
  activeClass_ = GetActiveTabClass(item);
  activeTab_ = item;
  const host::ASText title = host::ASText::FromUTF8(Service.GetStringByID(TitleOfTab(item)));
  GetDialog()->SetTextW(title.UTF16());
  CheckTab(item);
  ShowDescription(nullptr);
  EnableCustomButtons(activeClass_ == PropRulerTab || activeClass_ == PropCustom, false);
  pMainDlgAppearance->ActiveTab(item);
}

bool CMainPropertyDlg::ChangeActiveTab(int item) {
  if (!Opened()) return false;
  const PropertyClass tabClass = GetActiveTabClass(item);
  if (tabClass != activeClass_) {
    const bool subtypeSelected = list_->SelectedControl() && list_->SelectedControl()->GetStoredProperty()->IsTagName("Subtype");
    if (!subtypeSelected && !list_->ValidateCurrentSelection() && !ignoreNotifications_) {
      CheckTab(activeTab_);
      return false;
    }
    ShowTab(item);
    if (!ignoreNotifications_) list_->RefreshListCtrl();
    ShowDescription(nullptr);
  }
  activeTab_ = item;
  CheckTab(item);
  EnableCustomButtons(activeClass_ == PropRulerTab || activeClass_ == PropCustom, false);
  pMainDlgAppearance->ActiveTab(item);
  return true;
}

// ---- Rows ------------------------------------------------------------------------------

void CMainPropertyDlg::ShowDescription(const CMarkupProperties* property) {
  host::ADMItem* text = GetDialog() ? GetDialog()->GetItem(pd::kDescriptionText) : nullptr;
  if (!text) return;
  text->SetText(property ? "  " + property->TagDescription() : std::string());
}

// The block's own stored name is free for it: typing another name and then
// the old one again is no clash with itself.
bool CMainPropertyDlg::NameKnownOnPage(std::string_view name) const {
  const CMarkupBlock* reference = SelectedBlock();
  if (reference && name == reference->BlockName()) return false;
  return Service.IsBlockNameKnownInActivePage(name);
}

bool CMainPropertyDlg::ApplyKey(CMarkupProperties& property, const std::string& key) {
  if (key.empty()) {
    property.Alert(str::kValueRefused);
    return false;
  }
  if (property.GetClass() != PropCustom || activeClass_ != PropCustom) return true;
  std::string repaired = key;
  if (Service.CheckKeyName(repaired)) {
    property.Alert(str::kNameCharacters);
    return false;
  }
  if (key == property.TagName()) return true;
  if (IsKeyNameExists(key)) {
    property.Alert(kNameTaken);
    return false;
  }
  const std::string oldName = property.TagName();  // renaming changes the property's own name
  kept_->UpdatePropertyName(oldName, key, host::ASText::FromUTF8(key));
  return true;
}

bool CMainPropertyDlg::ApplyValue(CMarkupProperties& property, const std::string& value) {
  const int refusal = property.CheckNewValue(value, [this](std::string_view name) { return NameKnownOnPage(name); });
  if (refusal != 0) {
    property.Alert(refusal);
    return false;
  }
  CMarkupProperties* kept = kept_->GetProperty(property.TagName());
  if (!kept) return true;
  const bool changed = kept->TagValue() != value;
  kept->ASTextValue(host::ASText::FromUTF8(value));
  if (auto* color = dynamic_cast<CColorSpaceProperty*>(kept)) color->ParsePropertyValue();
  if (!changed) return true;
  if (kept->IsTagName("textflow")) list_->ApplyFitMethodRule();
  if (kept->IsTagName("Subtype")) SubtypeChanged();
  return true;
}

void CMainPropertyDlg::SubtypeChanged() {
  EnableTabButtons();
  const PropertyClass listClass = kept_->PropertyListClass();
  const int tab = listClass == PropImage ? pd::kImageTab : listClass == PropPDF ? pd::kPDFTab
                : listClass == PropText  ? pd::kTextTab
                                         : 0;
  if (tab && TabShown(tab)) ChangeActiveTab(tab);
}

// ---- Add, Delete, Reset all ---------------------------------------------------------------

bool CMainPropertyDlg::AddEditorAvailable() const {
  if (activeClass_ == PropCustom) return FindPropertyEditor(PropertyEditorKind::NewProperty) != nullptr;
  if (activeClass_ == PropRulerTab) return FindPropertyEditor(PropertyEditorKind::RulerTab) != nullptr;
  return true;
}

void CMainPropertyDlg::EnableCustomButtons(bool add, bool del) {
  const bool shown = add || del;
  if (host::ADMItem* item = add_ ? add_->GetItem() : nullptr) {
    item->Show(shown);
    item->Enable(add && AddEditorAvailable());
  }
  if (host::ADMItem* item = delete_ ? delete_->GetItem() : nullptr) {
    item->Show(shown);
    item->Enable(del);
  }
}

void CMainPropertyDlg::Add() {
  if (!Opened()) return;
  if (!list_->OnTopCurrentSelection() && !list_->ValidateCurrentSelection()) return;
  if (activeClass_ == PropCustom) {
    const PropertyEditorProc editor = FindPropertyEditor(PropertyEditorKind::NewProperty);
    if (!editor) return;
    auto property = std::make_unique<CMarkupProperties>();
    PropertyEditorRequest request{*property};
    if (editor(request) && !property->TagName().empty() && !property->TagValue().empty())
      AddNewProperty(std::move(property), PropCustom);
    return;
  }
  if (activeClass_ != PropRulerTab) return;
  if (kept_->GetTextflowRulerSize() >= kMaxRulerTabs) return NoteAlert(Service.GetStringByID(kRulerTabsFull));
  const PropertyEditorProc editor = FindPropertyEditor(PropertyEditorKind::RulerTab);
  if (!editor) return;
  const std::string stem = Service.GetStringByID(kTabRowName);
  std::string name;
  int n = 0;
  do name = host::text::FormatText("%s_%i", {stem, ++n});
  while (IsKeyNameExists(name));
  const std::string description = host::text::FormatText(Service.GetStringByID(kTabRowDescription), {n});
  auto tab = std::make_unique<CMarkupProperties>(name, "0 left", description, PropRulerTab, kTabRowMode);
  std::string alignChar;
  PropertyEditorRequest request{*tab, true, &alignChar};
  if (!editor(request) || tab->TagName().empty() || tab->TagValue().empty()) return;
  AddNewProperty(std::move(tab), PropRulerTab);
  UpdateTabAlignChar(alignChar);
}

void CMainPropertyDlg::UpdateTabAlignChar(const std::string& alignChar) {
  CMainPropertyDynamicCtrl* row = list_->FindControl("tabalignchar");
  if (!row) return NoteAlert("Cannot update TabAlignChar");
  row->SetEditValueText(alignChar);
}

void CMainPropertyDlg::AddNewProperty(std::unique_ptr<CMarkupProperties> property, PropertyClass propertyClass) {
  // A name the list has already would merge into that property: never two
  // rows for one property.
  if (!property || IsKeyNameExists(property->TagName())) {
    if (property) property->Alert(kNameTaken);
    return;
  }
  property->SetClass(propertyClass);
  CMarkupProperties& added = *property;
  kept_->AddNewProperty(std::move(property), false);
  list_->AddCustomProperty(added);
}

void CMainPropertyDlg::DeleteProperty() {
  if (!Opened()) return;
  CMainPropertyDynamicCtrl* row = list_->SelectedControl();
  if (!row || row->IsOnTopControl()) return;
  std::unique_ptr<CMarkupProperties> removed = kept_->RemoveProperty(row->GetStoredProperty()->TagName());
  list_->DeleteSelectedProperty(std::move(removed));
  ShowDescription(nullptr);
  EnableCustomButtons(activeClass_ == PropRulerTab || activeClass_ == PropCustom, false);
}

void CMainPropertyDlg::ResetAll() {
  if (!Opened()) return;
  IgnoreNotification(true);
  ChangeActiveTab(pd::kGeneralTab);
  kept_->RestoreDefaultValues(kResetKeeps);
  list_->ResetListCtrl();
  list_->RefreshListCtrl();
  EnableTabButtons();
  EnableCustomButtons(false, false);
  IgnoreNotification(false);
}

// ---- Editors ----------------------------------------------------------------------------------

bool CMainPropertyDlg::EditorAvailableFor(const CMarkupProperties& property) const {
  const std::optional<PropertyEditorKind> kind = EditorKindOf(property);
  return !kind || FindPropertyEditor(*kind) != nullptr;
}

void CMainPropertyDlg::OpenEditor(CMainPropertyDynamicCtrl& row) {
  CMarkupProperties* property = row.GetStoredProperty();
  if (!property) return NoteAlert("No\tselected property found");
  const std::optional<PropertyEditorKind> kind = EditorKindOf(*property);
  if (!kind) return NoteAlert("Unknown property type");
  const PropertyEditorProc editor = FindPropertyEditor(*kind);
  if (!editor) return;
  try {
    std::unique_ptr<CMarkupProperties> copy = property->Clone();
    std::string alignChar;
    PropertyEditorRequest request{*copy, false, &alignChar};
    if (!editor(request)) return;
    if (*kind == PropertyEditorKind::RulerTab) {
      if (copy->TagName().empty() || copy->TagValue().empty()) return;
      ReplaceTabRow(row, std::move(copy));
      return UpdateTabAlignChar(alignChar);
    }
    if (*kind == PropertyEditorKind::FontName) row.Activate(true);
    if (*kind == PropertyEditorKind::Color) {
      auto* kept = dynamic_cast<CColorSpaceProperty*>(property);
      auto* edited = dynamic_cast<CColorSpaceProperty*>(copy.get());
      if (kept && edited) kept->IgnoreMatch(edited->IgnoreMatch());
    }
    row.SetEditValueText(copy->TagValue());
  } catch (...) {
    Service.ExceptionAlert(EditorContext(*kind));
  }
}

// An edited tab stop takes the row's place by its new position.
void CMainPropertyDlg::ReplaceTabRow(CMainPropertyDynamicCtrl& row, std::unique_ptr<CMarkupProperties> edited) {
  row.SetEditValueText(edited->TagValue());
  list_->SelectedControl(&row);
  list_->DeleteSelectedProperty(kept_->RemoveProperty(row.GetStoredProperty()->TagName()));
  CMarkupProperties& added = *edited;
  kept_->AddNewProperty(std::move(edited), false);
  list_->AddCustomProperty(added);
}

// ---- Resizing and moving ---------------------------------------------------------------------

void CMainPropertyDlg::Notify(host::ADMNotifier* notifier) {
  CResizableDlg::Notify(notifier);
  if (notifier->Item() || !list_) return;
  if (notifier->IsNotifierType(adm::kBoundsChangedNotifier)) {
    if (!ignoreNotifications_) list_->ValidateCurrentSelection();
    DialogResized();
    RememberArea();
  } else if (notifier->IsNotifierType(adm::kWindowMovedByDragNotifier)) {
    host::ADMRect moved;
    MoveDialog(moved);
    RememberArea();
  }
}

void CMainPropertyDlg::DialogResized() {
  const bool ignoring = ignoreNotifications_;
  IgnoreNotification(true);
  host::ADMRect laidOut;
  ResizeControls(laidOut);
  list_->ResizeListCtrl();
  IgnoreNotification(ignoring);
}

void CMainPropertyDlg::RememberArea() {
  if (pMainDlgAppearance && GetDialog()) pMainDlgAppearance->Area(GetDialog()->GetBoundsRect());
}

// ---- OK -------------------------------------------------------------------------------------------

// The Rect text shown is rounded to the page unit: only a text the user
// changed is turned back into page space, so an untouched block never
// moves.
void CMainPropertyDlg::PrepareRectForWriting() {
  CMarkupProperties* rect = kept_->GetProperty("Rect");
  if (!rect) return;
  const std::string shown = rect->TagValue();
  rect->TagValue(shown == rectShown_ ? rectStored_ : Service.TransformBlockRectPropertyFromUI(shown));
}

void CMainPropertyDlg::WriteBlock(CMarkupBlock& block, bool single, CMarkupPageCollection* page) {
  CMarkupBlockProperties& list = *block.PropertyList();
  for (const std::string& name : kept_->Names()) {
    CMarkupProperties* kept = kept_->GetProperty(name);
    if (const CMarkupProperties* own = list.GetProperty(name)) kept->Invalidated(kept->TagValue() != own->TagValue());
  }
  if (single) list.ClearAllProperties(false);
  for (const std::string& name : kept_->Names()) {
    const CMarkupProperties* kept = kept_->GetProperty(name);
    if (single || kept->TagHasMode(mode::kGroupEditable)) list.AddNewProperty(kept->Clone(), false);
  }
  if (single && page && page->GetParentDocCollection())
    page->GetParentDocCollection()->DefaultPropCollection().DefaultPropertiesList(&list);
  block.UpdateBlocksPosition();
  if (CMarkupBlockOwner* owner = block.PageCollectionRefernce()) owner->Validate(false);
}

bool CMainPropertyDlg::Validate() {
  if (!SelectedBlock() || !kept_) return false;
  CMarkupPageCollection* page = ActivePageCollection();
  if (page) page->ActivateBackupGroup();
  PrepareRectForWriting();
  const int count = selection_.GetSize();
  host::AVPageView* view = nullptr;
  for (int i = 0; i < count; ++i) {
    CMarkupBlock* block = selection_.GetNthBlock(i);
    if (!block || block->Lock()) continue;
    if (page && page->GetBlock(block->BlockID())) page->AddBlockForBackup(*block, kBackupProperties);
    WriteBlock(*block, count == 1, page);
    view = block->PageView();
  }
  if (view) view->Invalidate(nullptr);
  if (page) page->SetUndoBackupGroup();
  return true;
}

void CMainPropertyDlg::DestroySelf() {
  tabs_.clear();
  add_.reset();
  delete_.reset();
  resetAll_.reset();
  list_.reset();
  kept_.reset();
}

int StartMarkupPropertiesDialog(CMarkupSelectionGroup& selection) {
  if (!selection.GetSelectedBlock()) return -1;
  CMainPropertyDlg dialog(selection);
  return dialog.Modal(gExtensionID, property_dialog::kName, Service.GetLocalIDD(property_dialog::kResourceID),
                      adm::kResizingModalStyle);
}
