#include "blocktool/dialogs/MarkupInternalPropagateDlg.h"

#include <charconv>
#include <climits>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/dialogs/ActiveDocumentsDlg.h"
#include "blocktool/dialogs/FileOpenSaveDialog.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"

namespace pg = propagate_dialog;
namespace adm = host::adm;

namespace {

constexpr int kExportTitle = 1032;
constexpr int kNoDestinationMessage = 1033;
constexpr int kFileIsOpenMessage = 1044;
constexpr int kNoImportFileMessage = 1056;
constexpr int kBadRangeMessage = 1057;
constexpr int kExportBlockFiles = 1065;
constexpr int kImportBlockFiles = 1079;
constexpr int kImportTitle = 1080;
constexpr int kPDFDocuments = 1113;

// The chooser for block files: PDF documents first, then block files.
CFileOpenSaveDialog BlockFileChooser(int title, int blockFilesText) {
  CFileOpenSaveDialog chooser(Service.GetStringByID(title));
  chooser.AddFilter(Service.GetStringByID(kPDFDocuments), "pdf", kFileTypePDF, 0);
  chooser.AddFilter(Service.GetStringByID(blockFilesText), "mct", kFileTypePDF, 0);
  return chooser;
}

}  // namespace

int LeadingInteger(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return 0;
  if (text[start] == '+') ++start;
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return text[start] == '-' ? INT_MIN : INT_MAX;
  if (ec != std::errc() || end == text.data() + start) return 0;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// --- Items ---------------------------------------------------------------------------------

CPropagateItem::CPropagateItem(host::ADMItem* item, void* dialog, std::function<void()> action)
    : BaseADMItem(item, dialog), action_(std::move(action)) {}

void CPropagateItem::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  if (notifier->IsNotifierType(adm::kUserChangedNotifier) && Applies() && action_) action_();
}

bool CPropagateRadio::Applies() const { return GetItem() && GetItem()->GetBooleanValue(); }

// --- CInternalPropagateDlg --------------------------------------------------------------

CInternalPropagateDlg::~CInternalPropagateDlg() = default;

void CInternalPropagateDlg::SetItemText(int id, const std::string& text) const {
  if (host::ADMItem* item = Item(id)) item->SetText(text);
}

bool CInternalPropagateDlg::IsChecked(int id) const {
  const host::ADMItem* item = Item(id);
  return item && item->GetBooleanValue();
}

void CInternalPropagateDlg::Alert(const std::string& text) const {
  if (gAcroViewHFT) gAcroViewHFT->AlertNote(text);
}

void CInternalPropagateDlg::InitSelf() {
  try {
    InitBase();
  } catch (...) {
    Service.ExceptionAlert(InitContext());
  }
}

void CInternalPropagateDlg::InitBase() {
  host::ADMDialog* dialog = GetDialog();
  dialog->SetDefaultItemID(1);
  dialog->SetCancelItemID(2);
  otherDocuments_ = OtherOpenDocuments();

  const CMarkupDocCollection* collection =
      pMrkupCollectionMap ? pMrkupCollectionMap->FindDocument(data_.avSourceDoc()) : nullptr;
  const bool noChoice = IsImportDialog() || (collection && !collection->HasSelectedBlocks());
  const int mode = data_.GetMode();
  if (host::ADMItem* repeat = Item(pg::kRepeatSources)) repeat->SetBooleanValue(mode & kImportRepeatSources);
  const bool selectedOnly = !noChoice && (mode & kImportSelectedOnly);
  if (host::ADMItem* selected = Item(pg::kSelectedBlocks)) {
    selected->Enable(selectedOnly);
    selected->SetBooleanValue(selectedOnly);
  }
  if (host::ADMItem* all = Item(pg::kAllBlocks)) all->SetBooleanValue(noChoice || (mode & kImportAllBlocks));

  if (host::ADMItem* allPages = Item(pg::kAllPages)) allPages->SetBooleanValue(true);
  EnableFromPagesGroup(false);
  Attach(std::make_unique<CPropagateRadioBtnAllPages>(Item(pg::kAllPages), this, [this] { EnableFromPagesGroup(false); }));
  Attach(std::make_unique<CPropagateRadioBtnFromPages>(Item(pg::kFromPages), this, [this] { EnableFromPagesGroup(true); }));
  if (HasSourceRange()) {
    if (host::ADMItem* allPages = Item(pg::kSourceAllPages)) allPages->SetBooleanValue(true);
    EnableSourceFromPagesGroup(false);
    SetSourcePagesInterval();
    Attach(std::make_unique<CPropagateRadioBtnAllPages>(Item(pg::kSourceAllPages), this,
                                                        [this] { EnableSourceFromPagesGroup(false); }));
    Attach(std::make_unique<CPropagateRadioBtnFromPages>(Item(pg::kSourceFromPages), this,
                                                         [this] { EnableSourceFromPagesGroup(true); }));
  }
  SetPagesInterval();
}

void CInternalPropagateDlg::DestroySelf() { items_.clear(); }

void CInternalPropagateDlg::EnableFromPagesGroup(bool enable) {
  if (host::ADMItem* from = Item(pg::kFromPages); from && enable) from->SetBooleanValue(true);
  for (int id : {pg::kFromPage, pg::kToPage}) {
    if (host::ADMItem* item = Item(id)) item->Enable(enable);
  }
}

void CInternalPropagateDlg::EnableSourceFromPagesGroup(bool enable) {
  if (host::ADMItem* from = Item(pg::kSourceFromPages); from && enable) from->SetBooleanValue(true);
  for (int id : {pg::kSourceFromPage, pg::kSourceToPage}) {
    if (host::ADMItem* item = Item(id)) item->Enable(enable);
  }
}

void CInternalPropagateDlg::SetPagesInterval() {
  SetItemNumber(pg::kFromPage, 1);
  SetItemNumber(pg::kToPage, data_.NumberOfPages());
  SetItemNumber(pg::kPageCount, data_.NumberOfPages());
}

void CInternalPropagateDlg::SetSourcePagesInterval() {
  SetItemNumber(pg::kSourceFromPage, 1);
  SetItemNumber(pg::kSourceToPage, data_.SourceNumberOfPages());
  SetItemNumber(pg::kSourcePageCount, data_.SourceNumberOfPages());
}

bool CInternalPropagateDlg::ApplyPageRange(bool destination) {
  const int count = destination ? data_.NumberOfPages() : data_.SourceNumberOfPages();
  int from = destination ? data_.FromPage() : data_.SourceFromPage();
  int to = destination ? data_.ToPage() : data_.SourceToPage();
  if (IsChecked(destination ? pg::kAllPages : pg::kSourceAllPages)) {
    from = 0;
    to = count;
  } else if (IsChecked(destination ? pg::kFromPages : pg::kSourceFromPages)) {
    const host::ADMItem* fromItem = Item(destination ? pg::kFromPage : pg::kSourceFromPage);
    const host::ADMItem* toItem = Item(destination ? pg::kToPage : pg::kSourceToPage);
    const int first = fromItem ? LeadingInteger(fromItem->GetText()) : 0;
    from = first == INT_MIN ? INT_MIN : first - 1;
    to = toItem ? LeadingInteger(toItem->GetText()) : 0;
  }
  if (destination) {
    data_.FromPage(from);
    data_.ToPage(to);
  } else {
    data_.SourceFromPage(from);
    data_.SourceToPage(to);
  }
  // A range that ends before it begins copies nothing: it is refused like one
  // outside the document.
  return from >= 0 && to > from && to <= count && from < count;
}

bool CInternalPropagateDlg::Validate() {
  int mode = kImportAsImported;
  if (IsChecked(pg::kRepeatSources)) mode |= kImportRepeatSources;
  if (IsChecked(pg::kSelectedBlocks)) mode |= kImportSelectedOnly;
  if (IsChecked(pg::kAllBlocks)) mode |= kImportAllBlocks;
  data_.SetMode(mode);
  bool valid = true;
  if (!ApplyPageRange(true)) {
    Alert(Service.GetStringByID(kBadRangeMessage));
    valid = false;
  }
  if (HasSourceRange() && !ApplyPageRange(false)) {
    Alert(Service.GetStringByID(kBadRangeMessage));
    valid = false;
  }
  return valid;
}

bool CInternalPropagateDlg::DocumentAlreadyOpen(const std::string& path) const {
  // The source document is one of the open documents.
  return IsFileOfOpenDocument(path);
}

// --- CExportPropagateDlg ----------------------------------------------------------------

void CExportPropagateDlg::InitSelf() {
  try {
    CInternalPropagateDlg::InitSelf();
    if (host::ADMItem* pdfFile = Item(pg::kToPDFFile)) pdfFile->SetBooleanValue(true);
    if (host::ADMItem* openDocument = Item(pg::kToOpenDocument)) openDocument->Enable(!otherDocuments_.empty());
    if (host::ADMItem* anew = Item(pg::kCreateAnew)) anew->SetBooleanValue(false);
    Attach(std::make_unique<CExportRadio>(Item(pg::kToOpenDocument), this, [this] { SetChooseMode(kChooseOpenDocument); }));
    Attach(std::make_unique<CExportRadio>(Item(pg::kToPDFFile), this, [this] { SetChooseMode(kChoosePDFFile); }));
    Attach(std::make_unique<CExportRadio>(Item(pg::kToNewFile), this, [this] { SetChooseMode(kChooseNewFile); }));
    Attach(std::make_unique<CExportCheck>(Item(pg::kCreateAnew), this, [this] { ApplyReplaceState(); }));
    Attach(std::make_unique<CExportButtonChoose>(Item(pg::kChoose), this, [this] { ChooseExportDestination(); }));
    SetChooseMode(kChoosePDFFile);
  } catch (...) {
    Service.ExceptionAlert(InitContext());
  }
}

void CExportPropagateDlg::SetChooseMode(int kind) {
  if (kind != chooseMode_) {
    for (int id : {pg::kChosen, pg::kFromPage, pg::kToPage, pg::kPageCount}) SetItemText(id, "");
    chosen_ = {};
    chosenPath_.clear();
    data_.NumberOfPages(data_.SourceNumberOfPages());
  }
  chooseMode_ = kind;
  if (host::ADMItem* chosen = Item(pg::kChosen)) chosen->Enable(kind == kChoosePDFFile || kind == kChooseNewFile);
  if (host::ADMItem* anew = Item(pg::kCreateAnew)) anew->Enable(kind == kChoosePDFFile);
  ApplyReplaceState();
}

void CExportPropagateDlg::ApplyReplaceState() {
  const host::ADMItem* anew = Item(pg::kCreateAnew);
  const bool newFile = (anew && anew->IsEnabled() && anew->GetBooleanValue()) || chooseMode_ == kChooseNewFile;
  if (host::ADMItem* replace = Item(pg::kReplace)) replace->Enable(!newFile);
}

bool CExportPropagateDlg::IsNewFile() const {
  const host::ADMItem* anew = Item(pg::kCreateAnew);
  return IsChecked(pg::kToNewFile) ||
         (IsChecked(pg::kToPDFFile) && anew && anew->IsEnabled() && anew->GetBooleanValue());
}

void CExportPropagateDlg::ChooseExportDestination() {
  if (chooseMode_ == kChooseOpenDocument) return ChooseOpenDocument();
  if (chooseMode_ == kChoosePDFFile || chooseMode_ == kChooseNewFile) ChooseFile();
}

void CExportPropagateDlg::ShowDestinationPages(int count) {
  if (count <= 0) return;
  data_.NumberOfPages(count);
  data_.ToPage(count);
  SetPagesInterval();
}

void CExportPropagateDlg::ChooseOpenDocument() {
  ActiveDocument result;
  CActiveDocumentsDlg chooser(result);
  chooser.SetDocuments(otherDocuments_);
  if (chooser.Modal(gExtensionID, CActiveDocumentsDlg::kName, Service.GetLocalIDD(CActiveDocumentsDlg::kResourceID),
                    adm::kModalStyle) != 1 ||
      !result.doc)
    return;
  chosen_ = result;
  chosenPath_.clear();
  SetItemText(pg::kChosen, result.title);
  host::PDDoc* pdDoc = result.doc->GetPDDoc();
  ShowDestinationPages(pdDoc ? pdDoc->NumPages() : 0);
}

void CExportPropagateDlg::ChooseFile() {
  CFileOpenSaveDialog chooser = BlockFileChooser(kExportTitle, kExportBlockFiles);
  const bool open = chooseMode_ == kChoosePDFFile && !IsChecked(pg::kCreateAnew);
  std::string path;
  if (!(open ? chooser.ActivateOpenDialog("", path) : chooser.ActivateSaveDialog("", path))) return;
  if (DocumentAlreadyOpen(path)) {
    Alert(host::text::FormatText(Service.GetStringByID(kFileIsOpenMessage), {path}));
    return;
  }
  chosen_ = {};
  chosenPath_ = path;
  SetItemText(pg::kChosen, path);
  if (!open) return;
  int count = 0;
  try {
    host::PDDoc* counted = gPDModelHFT->OpenDoc(gAcroSupportHFT->PathFromText(path));
    count = counted->NumPages();
    counted->Close();
  } catch (...) {
    // A file that cannot be opened is refused when the dialog is confirmed.
  }
  ShowDestinationPages(count);
}

bool CExportPropagateDlg::Validate() {
  if (!CInternalPropagateDlg::Validate()) return false;
  if (chosen_.doc) {
    data_.avDestinationDoc(chosen_.doc);
    data_.pdDestinationDoc(chosen_.doc->GetPDDoc());
  } else if (!chosenPath_.empty()) {
    data_.avDestinationDoc(nullptr);
    data_.ExportFile(chosenPath_);
    data_.pdDestinationDoc(nullptr);
    if (!IsNewFile()) {
      try {
        data_.pdDestinationDoc(gPDModelHFT->OpenDoc(gAcroSupportHFT->PathFromText(chosenPath_)));
      } catch (...) {
        Alert(Service.GetStringByID(kNoDestinationMessage));
        return false;
      }
    }
  } else {
    Alert(Service.GetStringByID(kNoDestinationMessage));
    return false;
  }
  const host::ADMItem* replace = Item(pg::kReplace);
  if (replace && replace->IsEnabled() && replace->GetBooleanValue()) data_.AddMode(kImportReplace);
  return true;
}

// --- CImportPropagateDlg ----------------------------------------------------------------

void CImportPropagateDlg::InitSelf() {
  try {
    CInternalPropagateDlg::InitSelf();
    Attach(std::make_unique<CImportButtonChoose>(Item(pg::kChoose), this, [this] { ChooseImport(); }));
  } catch (...) {
    Service.ExceptionAlert(InitContext());
  }
}

void CImportPropagateDlg::ChooseImport() {
  CFileOpenSaveDialog chooser = BlockFileChooser(kImportTitle, kImportBlockFiles);
  std::string path;
  if (!chooser.ActivateOpenDialog("", path)) return;
  if (DocumentAlreadyOpen(path)) {
    Alert(host::text::FormatText(Service.GetStringByID(kFileIsOpenMessage), {path}));
    return;
  }
  chosenPath_ = path;
  SetItemText(pg::kChosen, path);
}

bool CImportPropagateDlg::Validate() {
  if (!CInternalPropagateDlg::Validate()) return false;
  if (chosenPath_.empty()) {
    Alert(Service.GetStringByID(kNoImportFileMessage));
    return false;
  }
  data_.ExportFile(chosenPath_);
  return true;
}
