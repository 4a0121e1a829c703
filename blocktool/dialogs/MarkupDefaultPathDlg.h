// The default file of a block (its default image or PDF): a path field, a
// Browse button, and three forms of the path to switch between: absolute,
// relative to the document that holds the block, or the file name only.
#pragma once

#include <memory>
#include <string>

#include "blocktool/collections/RelativePath.h"
#include "blocktool/dialogs/PropertyEditors.h"
#include "dialogframework/CAcroADMDialog.h"

class CMarkupProperties;
class CDefaultPathDlg;

namespace default_path_dialog {
inline constexpr const char* kName = "Zolt:DefaultPath";
inline constexpr int kResourceID = 136;
inline constexpr int kAbsolute = 3;
inline constexpr int kRelative = 4;
inline constexpr int kFileOnly = 5;
inline constexpr int kPath = 6;
inline constexpr int kBrowse = 7;
inline constexpr int kMaxPathBytes = 4096;
}  // namespace default_path_dialog

class CDefaultPathBrowse : public BaseADMItem {
 public:
  CDefaultPathBrowse(host::ADMItem* item, CDefaultPathDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CDefaultPathDlg& dialog_;
};

class CDefaultPathRadioBtn : public BaseADMItem {
 public:
  CDefaultPathRadioBtn(host::ADMItem* item, CDefaultPathDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;

 private:
  CDefaultPathDlg& dialog_;
};

class CDefaultPathDlg : public CAcroADMDialog {
 public:
  CDefaultPathDlg();
  ~CDefaultPathDlg() override;

  // The property edited: a copy the opener owns; OK writes the field's text
  // into it.
  void SetProperty(CMarkupProperties* property) { property_ = property; }

  void InitSelf() override;
  bool Validate() override;
  void DestroySelf() override;

  void SetBrowse();
  void SwitchAbsRelPath(int itemID);
  // Of the remembered path.
  bool IsFullPath() const;
  static bool IsFileOnlyPath(const std::string& text);
  static bool IsSameRelativePath(const std::string& text);
  const std::string& RememberedPath() const { return remembered_; }

 private:
  host::ADMItem* Item(int id) const { return GetDialog() ? GetDialog()->GetItem(id) : nullptr; }
  bool IsOn(int id) const;
  void SetOn(int id, bool on) const;
  void Enable(int id, bool enable) const;
  void ShowPath(const std::string& text) const;
  void InitItems();

  bool fullPath_ = false;
  std::string remembered_;
  std::unique_ptr<CRelativePath> relative_;
  CMarkupProperties* property_ = nullptr;
  std::unique_ptr<CDefaultPathBrowse> browse_;
  std::unique_ptr<CDefaultPathRadioBtn> radios_[3];
};

// The editor of file-path properties for the properties dialog.
bool EditDefaultPath(PropertyEditorRequest& request);
