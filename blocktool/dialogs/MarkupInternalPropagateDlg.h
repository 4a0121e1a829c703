// The dialogs of the Duplicate, Export and Import commands: they fill the
// command's CBlocksPropagateData (which blocks, which pages, whether the
// source pages repeat; for Export the destination and the replace option,
// for Import the file to read) and refuse page ranges outside the document.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "blocktool/collections/BlocksPropagateData.h"
#include "blocktool/host/MarkupContentNotification.h"
#include "dialogframework/CAcroADMDialog.h"

namespace propagate_dialog {
inline constexpr const char* kDuplicateName = "Zolt:InternalPropagate";
inline constexpr int kDuplicateID = 130;
inline constexpr const char* kExportName = "Zolt:ExportPropagate";
inline constexpr int kExportID = 131;
inline constexpr const char* kImportName = "Zolt:ImportPropagate";
inline constexpr int kImportID = 133;

inline constexpr int kSelectedBlocks = 3;
inline constexpr int kAllBlocks = 4;
inline constexpr int kRepeatSources = 5;
inline constexpr int kReplace = 6;
inline constexpr int kAllPages = 7;
inline constexpr int kFromPages = 8;
inline constexpr int kFromPage = 9;
inline constexpr int kToPage = 10;
inline constexpr int kPageCount = 12;
inline constexpr int kChoose = 13;
inline constexpr int kChosen = 14;
inline constexpr int kSourceAllPages = 15;
inline constexpr int kSourceFromPages = 16;
inline constexpr int kSourceFromPage = 17;
inline constexpr int kSourceToPage = 18;
inline constexpr int kSourcePageCount = 19;
inline constexpr int kToOpenDocument = 20;
inline constexpr int kToNewFile = 21;
inline constexpr int kToPDFFile = 22;
inline constexpr int kCreateAnew = 23;
}  // namespace propagate_dialog

// An item whose user changes run one action of its dialog.
class CPropagateItem : public BaseADMItem {
 public:
  CPropagateItem(host::ADMItem* item, void* dialog, std::function<void()> action);
  void Notify(host::ADMNotifier* notifier) override;

 protected:
  virtual bool Applies() const { return true; }

 private:
  std::function<void()> action_;
};

// Radio buttons act only when they are turned on.
class CPropagateRadio : public CPropagateItem {
 public:
  using CPropagateItem::CPropagateItem;

 protected:
  bool Applies() const override;
};

class CPropagateRadioBtnAllPages : public CPropagateRadio {
  using CPropagateRadio::CPropagateRadio;
};
class CPropagateRadioBtnFromPages : public CPropagateRadio {
  using CPropagateRadio::CPropagateRadio;
};
class CExportRadio : public CPropagateRadio {
  using CPropagateRadio::CPropagateRadio;
};
class CExportCheck : public CPropagateItem {
  using CPropagateItem::CPropagateItem;
};
class CExportButtonChoose : public CPropagateItem {
  using CPropagateItem::CPropagateItem;
};
class CImportButtonChoose : public CPropagateItem {
  using CPropagateItem::CPropagateItem;
};

// The Duplicate dialog, and what the Export and Import dialogs share.
class CInternalPropagateDlg : public CAcroADMDialog {
 public:
  explicit CInternalPropagateDlg(CBlocksPropagateData& data) : data_(data) {}
  ~CInternalPropagateDlg() override;

  void InitSelf() override;
  bool Validate() override;
  void DestroySelf() override;

  void EnableFromPagesGroup(bool enable);
  void EnableSourceFromPagesGroup(bool enable);
  // Shows the destination (source) range as 1 to the page count.
  void SetPagesInterval();
  void SetSourcePagesInterval();
  // Reads a range from the dialog into the data: the destination range, or
  // the source range. False when it lies outside the document or is empty.
  bool ApplyPageRange(bool destination);
  // Whether the file is that of an open document (the same file, however the
  // path is spelt).
  bool DocumentAlreadyOpen(const std::string& path) const;

 protected:
  virtual bool IsImportDialog() const { return false; }
  virtual bool HasSourceRange() const { return false; }
  virtual const char* InitContext() const { return "Internal Propagate Dialog init"; }
  host::ADMItem* Item(int id) const { return GetDialog() ? GetDialog()->GetItem(id) : nullptr; }
  void SetItemText(int id, const std::string& text) const;
  void SetItemNumber(int id, int value) const { SetItemText(id, std::to_string(value)); }
  bool IsChecked(int id) const;
  void Alert(const std::string& text) const;
  void Attach(std::unique_ptr<BaseADMItem> item) { items_.push_back(std::move(item)); }

  CBlocksPropagateData& data_;
  std::vector<ActiveDocument> otherDocuments_;

 private:
  void InitBase();
  std::vector<std::unique_ptr<BaseADMItem>> items_;
};

enum ChooseMode { kChooseUnset = -1, kChooseOpenDocument = 0, kChoosePDFFile = 1, kChooseNewFile = 2 };

class CExportPropagateDlg : public CInternalPropagateDlg {
 public:
  using CInternalPropagateDlg::CInternalPropagateDlg;

  void InitSelf() override;
  bool Validate() override;

  void SetChooseMode(int kind);
  void ChooseExportDestination();
  void ApplyReplaceState();
  int GetChooseMode() const { return chooseMode_; }

 protected:
  bool HasSourceRange() const override { return true; }
  const char* InitContext() const override { return "Export Propagate Dialog init"; }

 private:
  bool IsNewFile() const;
  void ChooseOpenDocument();
  void ChooseFile();
  void ShowDestinationPages(int count);

  ActiveDocument chosen_;
  std::string chosenPath_;
  int chooseMode_ = kChooseUnset;
};

class CImportPropagateDlg : public CInternalPropagateDlg {
 public:
  using CInternalPropagateDlg::CInternalPropagateDlg;

  void InitSelf() override;
  bool Validate() override;
  void ChooseImport();

 protected:
  bool IsImportDialog() const override { return true; }
  const char* InitContext() const override { return "Import Propagate Dialog init"; }

 private:
  std::string chosenPath_;
};

// The leading decimal integer of a text ("12 pages" -> 12); 0 without one.
int LeadingInteger(const std::string& text);
