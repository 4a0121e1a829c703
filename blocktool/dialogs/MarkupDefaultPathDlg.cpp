#include "blocktool/dialogs/MarkupDefaultPathDlg.h"

#include "blocktool/dialogs/FileOpenSaveDialog.h"
#include "blocktool/model/MarkupProperties.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace dp = default_path_dialog;
namespace adm = host::adm;

namespace {

constexpr int kBrowseTitle = 1039;
constexpr int kAllFiles = 1014;
constexpr int kPDFDocuments = 1113;

struct FilterSpec {
  int description;
  const char* extensions;
  std::uint32_t fileType;
};

// The choices of the chooser for a property of that block class.
std::vector<FilterSpec> FiltersFor(PropertyClass propertyClass) {
  if (propertyClass & PropImage)
    return {{kAllFiles, "", 0},          {6, "bmp", 0},
            {21, "gif", 0x47494666},     {51, "tif, tiff", 0x54494646},
            {22, "jpg, jpeg", 0x4A504547}, {37, "png", 0x504E4766}};
  if (propertyClass & PropPDF) return {{kPDFDocuments, "pdf", kFileTypePDF}, {kAllFiles, "", 0}};
  return {{kAllFiles, "", 0}};
}

}  // namespace

CDefaultPathBrowse::CDefaultPathBrowse(host::ADMItem* item, CDefaultPathDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CDefaultPathBrowse::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier)) dialog_.SetBrowse();
}

CDefaultPathRadioBtn::CDefaultPathRadioBtn(host::ADMItem* item, CDefaultPathDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CDefaultPathRadioBtn::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier) && GetItem() && GetItem()->GetBooleanValue())
    dialog_.SwitchAbsRelPath(GetItem()->ID());
}

CDefaultPathDlg::CDefaultPathDlg() = default;
CDefaultPathDlg::~CDefaultPathDlg() = default;

bool CDefaultPathDlg::IsFileOnlyPath(const std::string& text) {
  return !text.empty() && CRelativePath().GetFileNameOnly(text) == text;
}

bool CDefaultPathDlg::IsSameRelativePath(const std::string& text) {
  return !text.empty() && CRelativePath().IsSameRelativePath(text);
}

bool CDefaultPathDlg::IsFullPath() const { return CRelativePath().IsFullPath(remembered_); }

bool CDefaultPathDlg::IsOn(int id) const {
  const host::ADMItem* item = Item(id);
  return item && item->GetBooleanValue();
}

void CDefaultPathDlg::SetOn(int id, bool on) const {
  if (host::ADMItem* item = Item(id)) item->SetBooleanValue(on);
}

void CDefaultPathDlg::Enable(int id, bool enable) const {
  if (host::ADMItem* item = Item(id)) item->Enable(enable);
}

void CDefaultPathDlg::ShowPath(const std::string& text) const {
  if (host::ADMItem* field = Item(dp::kPath)) field->SetText(text);
}

void CDefaultPathDlg::InitSelf() {
  try {
    GetDialog()->SetDefaultItemID(1);
    GetDialog()->SetCancelItemID(2);
    if (property_) InitItems();
  } catch (...) {
    Service.ExceptionAlert("Default Path Dialog init");
  }
}

void CDefaultPathDlg::InitItems() {
  relative_ = std::make_unique<CRelativePath>();
  bool fileOnly = false;
  bool sameRelative = false;
  bool relative = false;
  if (host::ADMItem* field = Item(dp::kPath)) {
    field->SetMaxTextLength(dp::kMaxPathBytes);
    field->SetText(property_->TagValue());
    remembered_ = property_->TagValue();
    fileOnly = IsFileOnlyPath(remembered_);
    fullPath_ = !fileOnly && IsFullPath();
    sameRelative = IsSameRelativePath(remembered_);
    relative = sameRelative || (!fullPath_ && !fileOnly);
  }
  browse_ = std::make_unique<CDefaultPathBrowse>(Item(dp::kBrowse), *this);

  Enable(dp::kAbsolute, !fileOnly && !sameRelative);
  SetOn(dp::kAbsolute, fullPath_);
  radios_[0] = std::make_unique<CDefaultPathRadioBtn>(Item(dp::kAbsolute), *this);

  // A file on another file system has no relative form.
  if (fullPath_ && !relative_->IsSameFolder(remembered_)) {
    relative = false;
    Enable(dp::kRelative, false);
  }
  if (relative) SetOn(dp::kRelative, true);
  radios_[1] = std::make_unique<CDefaultPathRadioBtn>(Item(dp::kRelative), *this);

  if (fileOnly) SetOn(dp::kFileOnly, true);
  radios_[2] = std::make_unique<CDefaultPathRadioBtn>(Item(dp::kFileOnly), *this);
}

void CDefaultPathDlg::SetBrowse() {
  if (!property_ || !relative_) return;
  CFileOpenSaveDialog chooser(Service.GetStringByID(kBrowseTitle));
  for (const FilterSpec& filter : FiltersFor(property_->GetClass()))
    chooser.AddFilter(Service.GetStringByID(filter.description), filter.extensions, filter.fileType, 0);
  std::string chosen;
  if (!chooser.ActivateOpenDialog("", chosen)) return;
  remembered_ = chosen;

  const bool sameVolume = relative_->IsSameFolder(chosen);
  bool rel = IsOn(dp::kRelative);
  const bool abs = IsOn(dp::kAbsolute);
  const bool file = IsOn(dp::kFileOnly);
  Enable(dp::kAbsolute, true);
  if (sameVolume) {
    Enable(dp::kRelative, true);
  } else {
    if (rel || abs) SetOn(dp::kAbsolute, true);
    SetOn(dp::kRelative, false);
    Enable(dp::kRelative, false);
    rel = false;
  }

  std::string shown;
  if (rel) {
    remembered_ = relative_->AbsoluteToRelativePath(chosen);
    if (remembered_.empty()) {
      // No relative form after all: the absolute one is used.
      remembered_ = chosen;
      SetOn(dp::kAbsolute, true);
    }
    shown = remembered_;
  } else if (file) {
    shown = relative_->GetFileNameOnly(chosen);
  } else {
    relative_->UnifySlashes(remembered_);
    shown = remembered_;
  }
  ShowPath(shown);
}

void CDefaultPathDlg::SwitchAbsRelPath(int itemID) {
  const host::ADMItem* field = Item(dp::kPath);
  if (!field || !relative_) return;
  std::string s = field->GetText();
  if (s.empty()) return;
  const bool fileOnly = IsFileOnlyPath(s);
  bool same = false;
  if (fileOnly) {
    same = s == remembered_;
    s = remembered_;
  }
  const bool full = IsFullPath();
  std::string name;
  if (itemID == dp::kRelative) {
    if (full) {
      s = relative_->AbsoluteToRelativePath(s);
    } else if (fileOnly && same) {
      s = relative_->GetRelativeFileName(s);
    }
  } else if (itemID == dp::kAbsolute) {
    s = relative_->RelativeToAbsolutePath(s);
  } else if (itemID == dp::kFileOnly) {
    name = relative_->GetFileNameOnly(s);
  }
  if (s.empty()) return;
  remembered_ = s;
  ShowPath(itemID == dp::kFileOnly ? name : s);
}

bool CDefaultPathDlg::Validate() {
  if (const host::ADMItem* field = Item(dp::kPath); field && property_) property_->TagValue(field->GetText());
  return true;
}

void CDefaultPathDlg::DestroySelf() {
  browse_.reset();
  for (auto& radio : radios_) radio.reset();
  relative_.reset();
}

bool EditDefaultPath(PropertyEditorRequest& request) {
  try {
    CDefaultPathDlg dialog;
    dialog.SetProperty(&request.property);
    return dialog.Modal(gExtensionID, dp::kName, Service.GetLocalIDD(dp::kResourceID), adm::kModalStyle) == 1;
  } catch (...) {
    Service.ExceptionAlert("Default path");
    return false;
  }
}
