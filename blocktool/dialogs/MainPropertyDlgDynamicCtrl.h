// The scrolling list of the properties dialog: one row per property of the
// kept property list, its items made when the dialog opens and afterwards
// only shown, hidden and moved; the scroll bar; and the selected row, the
// only row whose field may hold text not yet in the kept list.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "blocktool/model/MarkupBlockProperties.h"
#include "dialogframework/BaseADMItem.h"
#include "host/ASText.h"

class CMainPropertyDlg;
class CMainPropertyDynamicCtrl;
class CMainPropertyDynamicListCtrl;

// Row kinds, chosen by the property's mode bits when the row is made.
using DynamicCtrlClass = int;
inline constexpr DynamicCtrlClass kDynamicText = 1;     // text field (read-only for mode 0x20)
inline constexpr DynamicCtrlClass kDynamicChoice = 3;   // choice list (editable for mode 0x4)
inline constexpr DynamicCtrlClass kDynamicEditor = 4;   // text field and an editor button
inline constexpr DynamicCtrlClass kDynamicCustom = 5;   // editable name and value
inline constexpr DynamicCtrlClass kDynamicAllRows = 6;  // every row, in redraw requests

// Item IDs of a list row: base + these offsets.
inline constexpr int kRowLabelOffset = 0;
inline constexpr int kRowKeyOffset = 1;
inline constexpr int kRowValueOffset = 2;
inline constexpr int kRowButtonOffset = 3;
inline constexpr int kFirstRowItemID = 1000;
inline constexpr int kRowItemIDStep = 10;
inline constexpr int kScrollBarItemID = 900;

// An item of a row; its events go to the row.
class CMainPropertyDynamicItem : public BaseADMItem {
 public:
  CMainPropertyDynamicItem(CMainPropertyDynamicCtrl& row, host::ADMItem* item);
  void Draw(host::ADMDrawer* drawer) override;
  void Notify(host::ADMNotifier* notifier) override;

 protected:
  CMainPropertyDynamicCtrl& Row() const { return row_; }

 private:
  CMainPropertyDynamicCtrl& row_;
};

// A text field: entering it selects its row and applies the row left.
class CMainPropertyDynamicEdit : public CMainPropertyDynamicItem {
 public:
  using CMainPropertyDynamicItem::CMainPropertyDynamicItem;
  void Notify(host::ADMNotifier* notifier) override;
};

// A choice list: a choice is applied at once.
class CMainPropertyDynamicComboBox : public CMainPropertyDynamicItem {
 public:
  using CMainPropertyDynamicItem::CMainPropertyDynamicItem;
  void Notify(host::ADMNotifier* notifier) override;
};

// The "..." button: opens the property's editor dialog.
class CMainPropertyDynamicArrayBtn : public CMainPropertyDynamicItem {
 public:
  using CMainPropertyDynamicItem::CMainPropertyDynamicItem;
  void Notify(host::ADMNotifier* notifier) override;
};

// The label: the property's short description; a click selects the row.
class CMainPropertyDynamicDescription : public CMainPropertyDynamicItem {
 public:
  using CMainPropertyDynamicItem::CMainPropertyDynamicItem;
  void Draw(host::ADMDrawer* drawer) override;
  void Notify(host::ADMNotifier* notifier) override;
};

class CMainPropertyDynamicScrollBar : public BaseADMItem {
 public:
  CMainPropertyDynamicScrollBar(CMainPropertyDynamicListCtrl& list, host::ADMItem* item);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CMainPropertyDynamicListCtrl& list_;
};

class CMainPropertyDynamicCtrl {
 public:
  // A row of the scrolling list: its items are made at baseItemID + the
  // offsets, hidden until the list shows them.
  CMainPropertyDynamicCtrl(CMainPropertyDynamicListCtrl& list, CMarkupProperties& property, int baseItemID,
                           const host::ADMRect& place);
  // A row above the list, on the layout's label and value items.
  CMainPropertyDynamicCtrl(CMainPropertyDynamicListCtrl& list, CMarkupProperties& property, host::ADMItem* label,
                           host::ADMItem* value);
  ~CMainPropertyDynamicCtrl();
  CMainPropertyDynamicCtrl(const CMainPropertyDynamicCtrl&) = delete;
  CMainPropertyDynamicCtrl& operator=(const CMainPropertyDynamicCtrl&) = delete;

  CMarkupProperties* GetStoredProperty() const { return property_; }
  // The key field's text for a custom row, else the property's name.
  std::string GetCtrlName() const;
  // The field's text without its surrounding blanks (also taken out of the
  // field), or the chosen entry of a closed list.
  std::string GetCtrlValue();
  void SetEditValueText(const std::string& text);
  void SetEditValueASText(const host::ASText& text);
  // Puts the property's value into the field again.
  void ResetDescriptionText();
  bool IsOnTopControl() const { return onTop_; }
  void Show(bool show);
  bool IsShown() const { return visible_; }
  // Rows above the list keep their state.
  void Enable(bool enable);
  void EnableComboEntry(std::string_view entryText, bool enable);
  // Focus in the value field, or in the key field of a custom row.
  void Activate(bool active);
  void ActivateCustomKey(bool active);
  void Remove();
  bool IsRemoved() const { return removed_; }
  bool IsInitialized() const { return initialized_; }
  DynamicCtrlClass GetDynamicCtrlClass() const { return kind_; }
  int BaseItemID() const { return baseItemID_; }
  // Places the row's items in the rectangle of one line of the list.
  void Place(const host::ADMRect& line);
  // The value field's item (the choice list's for choice rows).
  host::ADMItem* ValueItem() const;
  host::ADMItem* KeyItem() const;
  host::ADMItem* LabelItem() const;
  host::ADMItem* ButtonItem() const;
  // The entry shown before the last choice, restored when a choice is refused.
  void RememberChoice();
  void RestoreChoice();
  // A row removed by Delete keeps its property alive (nothing refers to it
  // any more but the row).
  void KeepRemovedProperty(std::unique_ptr<CMarkupProperties> property) { removedProperty_ = std::move(property); }
  CMainPropertyDynamicListCtrl& List() const { return list_; }

 private:
  void CreateValueItem(const host::ADMRect& place);
  void FillChoices();
  host::ADMItem* MakeItem(BaseADMItem& object, int offset, const char* type, const host::ADMRect& bounds);

  CMainPropertyDynamicListCtrl& list_;
  CMarkupProperties* property_;
  DynamicCtrlClass kind_ = kDynamicText;
  bool onTop_ = false;
  bool visible_ = false;
  bool removed_ = false;
  bool initialized_ = false;
  int baseItemID_ = 0;
  std::string formerChoice_;
  std::unique_ptr<CMainPropertyDynamicDescription> label_;
  std::unique_ptr<CMainPropertyDynamicItem> value_;
  std::unique_ptr<CMainPropertyDynamicArrayBtn> button_;
  std::unique_ptr<CMainPropertyDynamicEdit> key_;
  std::unique_ptr<CMarkupProperties> removedProperty_;
};

class CMainPropertyDynamicListCtrl {
 public:
  // area: the layout's placeholder whose bounds are the list's area.
  CMainPropertyDynamicListCtrl(CMainPropertyDlg& dialog, host::ADMItem* area);
  ~CMainPropertyDynamicListCtrl();
  CMainPropertyDynamicListCtrl(const CMainPropertyDynamicListCtrl&) = delete;
  CMainPropertyDynamicListCtrl& operator=(const CMainPropertyDynamicListCtrl&) = delete;

  CMainPropertyDlg& Dialog() const { return dialog_; }

  void FillList(CMarkupBlockProperties& list);
  void AddProperty(CMarkupProperties& property);
  void AlwaysOnTopProperty(CMarkupProperties& property);
  // A row for a property added while the dialog is open (custom or tab row).
  void AddCustomProperty(CMarkupProperties& property);
  void DeleteSelectedProperty(std::unique_ptr<CMarkupProperties> removed);
  void RefreshListCtrl();
  // Shows the rows that qualify for the active tab, from the first visible
  // number on; a refresh also selects the first of them.
  void ShiftListCtrl(int first, bool refresh);
  // The dialog changed size: rows widen with it and the number of lines
  // follows the list's height.
  void ResizeListCtrl();
  // The selected row is Name, Subtype or Description.
  bool OnTopCurrentSelection() const;
  bool ValidateCurrentSelection();
  bool ValidatePreviousSelection();
  void SelectedControl(CMainPropertyDynamicCtrl* row);
  CMainPropertyDynamicCtrl* SelectedControl() const { return selected_; }
  CMarkupProperties* GetSelectedProperty() const;
  void RedrawAllControls(DynamicCtrlClass kind);
  void ResetListCtrl();
  CMainPropertyDynamicCtrl* FindControl(std::string_view name) const;
  void ResetRulerTabsDescription();
  // The fitmethod choices that text flow withdraws.
  void ApplyFitMethodRule();

  int VisibleLines() const { return visibleLines_; }
  int FirstVisible() const { return first_; }
  const std::vector<std::unique_ptr<CMainPropertyDynamicCtrl>>& Rows() const { return rows_; }

  // What the rows' items report.
  void FieldEntered(CMainPropertyDynamicCtrl& row);
  void ChoiceMade(CMainPropertyDynamicCtrl& row);
  void LabelClicked(CMainPropertyDynamicCtrl& row);
  void EditorButtonPressed(CMainPropertyDynamicCtrl& row);
  void ScrollBarMoved(int position);

 private:
  bool ApplyRow(CMainPropertyDynamicCtrl& row);
  bool Qualifies(const CMainPropertyDynamicCtrl& row) const;
  bool HiddenByDependency(const CMainPropertyDynamicCtrl& row) const;
  host::ADMRect LineRect(int line) const;
  void UpdateScrollBar(int displayable);
  int NextBaseItemID();
  void InsertRow(std::unique_ptr<CMainPropertyDynamicCtrl> row);

  CMainPropertyDlg& dialog_;
  host::ADMItem* area_;
  std::vector<std::unique_ptr<CMainPropertyDynamicCtrl>> onTop_;
  std::vector<std::unique_ptr<CMainPropertyDynamicCtrl>> rows_;
  std::unique_ptr<CMainPropertyDynamicScrollBar> scrollBar_;
  CMainPropertyDynamicCtrl* selected_ = nullptr;
  CMainPropertyDynamicCtrl* previous_ = nullptr;
  CMainPropertyDynamicCtrl* subtype_ = nullptr;
  int visibleLines_ = 0;
  int first_ = 0;
  int qualifyingRows_ = 0;
  int rowsMade_ = 0;
};
