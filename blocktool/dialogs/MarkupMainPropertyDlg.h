// The block properties dialog ("Zolt:Properties"): the properties of the
// selected blocks of one page, one row per property, one tab per property
// class. Every edit goes to a working copy of the selected block's list (the
// kept property list); OK writes it back to the selected blocks as one undo
// step, Cancel drops it. With several blocks selected only the group-editable
// properties show, and OK writes each of them to every selected block.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "blocktool/collections/MarkupPageSelectionGroup.h"
#include "blocktool/dialogs/MainPropertyDlgDynamicCtrl.h"
#include "dialogframework/DialogAppearance.h"
#include "dialogframework/ResizableDialog.h"

// The dialog's area and last tab, from one opening to the next while the
// plug-in is loaded. Made at start-up.
extern std::unique_ptr<CTabDialogAppearance> pMainDlgAppearance;

// Items of the dialog's layout.
namespace property_dialog {
inline constexpr const char* kName = "Zolt:Properties";
inline constexpr int kResourceID = 128;
inline constexpr int kOK = 1;
inline constexpr int kCancel = 2;
inline constexpr int kGeneralTab = 3;
inline constexpr int kTextTab = 4;
inline constexpr int kImageTab = 5;
inline constexpr int kPDFTab = 6;
inline constexpr int kCustomTab = 7;
inline constexpr int kTextflowTab = 20;
inline constexpr int kRulerTabsTab = 21;
inline constexpr int kAdd = 8;
inline constexpr int kDelete = 9;
inline constexpr int kResetAll = 22;
inline constexpr int kGroupIndicator = 10;
inline constexpr int kNameLabel = 11;
inline constexpr int kNameValue = 12;
inline constexpr int kSubtypeLabel = 13;
inline constexpr int kSubtypeValue = 14;
inline constexpr int kDescriptionLabel = 15;
inline constexpr int kDescriptionValue = 16;
inline constexpr int kDescriptionText = 17;
inline constexpr int kListArea = 23;
}  // namespace property_dialog

class CMainPropertyDlg;
class CMarkupPageCollection;

// A tab button: shows the rows of its class.
class CMainPropertyTabbedBtn : public BaseADMItem {
 public:
  CMainPropertyTabbedBtn(host::ADMItem* item, CMainPropertyDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDlg& dialog_;
};

class CMainPropertyAddBtn : public BaseADMItem {
 public:
  CMainPropertyAddBtn(host::ADMItem* item, CMainPropertyDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDlg& dialog_;
};

class CMainPropertyDeleteBtn : public BaseADMItem {
 public:
  CMainPropertyDeleteBtn(host::ADMItem* item, CMainPropertyDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDlg& dialog_;
};

class CMainPropertyResetAllBtn : public BaseADMItem {
 public:
  CMainPropertyResetAllBtn(host::ADMItem* item, CMainPropertyDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDlg& dialog_;
};

// OK applies the selected row before the dialog validates.
class CMainPropertyOKBtn : public CAcroADMDialogOKButtonItem {
 public:
  CMainPropertyOKBtn(host::ADMItem* item, CMainPropertyDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDlg& dialog_;
};

class CMainPropertyDlg : public CResizableDlg {
 public:
  // The selection must have a selected block.
  explicit CMainPropertyDlg(CMarkupSelectionGroup& selection);
  ~CMainPropertyDlg() override;

  void Notify(host::ADMNotifier* notifier) override;
  void InitSelf() override;
  // Writes the kept list back to the selected blocks as one undo step.
  bool Validate() override;
  void DestroySelf() override;
  host::ADMRect GetPrefBounds() override;

  CMainPropertyDynamicListCtrl* GetDynamicListCtrl() const { return list_.get(); }
  CMarkupBlockProperties* GetKeptPropertyList() const { return kept_.get(); }
  // A row's key and value through the value rules; false (with the
  // message shown) when refused.
  bool ApplyKey(CMarkupProperties& property, const std::string& key);
  bool ApplyValue(CMarkupProperties& property, const std::string& value);
  void EnableCustomButtons(bool add, bool del);
  void AddNewProperty(std::unique_ptr<CMarkupProperties> property, PropertyClass propertyClass);
  void DeleteProperty();
  void ResetAll();
  void Add();
  bool IsGroupSelected() const { return selection_.GetSize() > 1; }
  bool IsKeyNameExists(std::string_view name) const { return kept_->GetProperty(name) != nullptr; }
  PropertyClass GetActiveClass() const { return activeClass_; }
  // Shows the rows of the tab item's class (0 for any other item); false
  // when the selected row was refused and the tab stays as it was.
  bool ChangeActiveTab(int item);
  void IgnoreNotification(bool flag) { ignoreNotifications_ = flag; }
  bool IgnoreNotification() const { return ignoreNotifications_; }
  static PropertyClass GetActiveTabClass(int item);
  int GetActiveTabByClass(PropertyClass listClass) const;
  void EnableTabButtons();
  // The full description of the selected row (empty text for none).
  void ShowDescription(const CMarkupProperties* property);
  // The tab the rows of the active class belong to.
  int ActiveTab() const { return activeTab_; }
  // Whether the row of this property can open its editor (a property of no
  // editor's kind can: it is told so).
  bool EditorAvailableFor(const CMarkupProperties& property) const;
  void OpenEditor(CMainPropertyDynamicCtrl& row);

 private:
  CMarkupBlock* SelectedBlock() const { return selection_.GetSelectedBlock(); }
  // False when opening failed before the rows were made: the buttons then
  // do nothing, and only Cancel ends the dialog.
  bool Opened() const { return list_ && kept_; }
  CMarkupPageCollection* ActivePageCollection() const;
  void AttachItems();
  void RegisterResizeRules();
  void ChooseFirstTab();
  void ShowTab(int item);
  void CheckTab(int item);
  bool TabShown(int item) const;
  void RememberArea();
  void ResizeToRememberedArea();
  void DialogResized();
  bool NameKnownOnPage(std::string_view name) const;
  void SubtypeChanged();
  void PrepareRectForWriting();
  void ReplaceTabRow(CMainPropertyDynamicCtrl& row, std::unique_ptr<CMarkupProperties> edited);
  void UpdateTabAlignChar(const std::string& alignChar);
  bool AddEditorAvailable() const;
  void WriteBlock(CMarkupBlock& block, bool single, CMarkupPageCollection* page);

  CMarkupSelectionGroup& selection_;
  bool monoType_ = true;
  std::unique_ptr<CMarkupBlockProperties> kept_;
  std::unique_ptr<CMainPropertyDynamicListCtrl> list_;
  PropertyClass activeClass_ = PropGeneral;
  int activeTab_ = property_dialog::kGeneralTab;
  bool ignoreNotifications_ = false;
  // The Rect value as stored and as shown when the dialog opened: OK moves
  // the block only when the shown text was changed.
  std::string rectStored_;
  std::string rectShown_;
  std::vector<std::unique_ptr<CMainPropertyTabbedBtn>> tabs_;
  std::unique_ptr<CMainPropertyAddBtn> add_;
  std::unique_ptr<CMainPropertyDeleteBtn> delete_;
  std::unique_ptr<CMainPropertyResetAllBtn> resetAll_;
};

// Runs the dialog on the selection: 1 when the user confirmed with OK,
// otherwise the item that ended the dialog (2 for Cancel), -1 when it could
// not be shown.
int StartMarkupPropertiesDialog(CMarkupSelectionGroup& selection);
