#include "blocktool/collections/BlocksPropagateData.h"

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"

namespace {

constexpr int kNewFileTitle = 1068;
constexpr int kFileIsOpenMessage = 1044;

// The media box of the page the document's view shows.
host::ASFixedRect CurrentMediaBox(host::AVDoc* doc) {
  host::AVPageView* view = doc ? doc->GetPageView() : nullptr;
  if (!view) return {};
  const host::PDPage page = view->AcquirePage();
  return page.IsNull() ? host::ASFixedRect() : page->MediaBox();
}

int NumPagesOf(host::AVDoc* doc) {
  host::PDDoc* pdDoc = doc ? doc->GetPDDoc() : nullptr;
  return pdDoc ? pdDoc->NumPages() : 0;
}

// Copies source page s of one document to page j of another.
int CopyPage(host::AVDoc* source, int s, host::AVDoc* destination, int j, int mode) {
  CMarkupBlocksExportGroup group;
  group.ExportGroupFromDocument(source, s, mode);
  return CMarkupBlocksImportGroup(group).ImportGroupToDocument(destination, j, mode);
}

}  // namespace

bool IsFileOfOpenDocument(const std::string& path, const host::PDDoc* except) {
  if (path.empty() || !gAcroViewHFT || !gAcroSupportHFT) return false;
  const host::ASPathName file = gAcroSupportHFT->PathFromText(path);
  for (int i = 0; i < gAcroViewHFT->NumDocs(); ++i) {
    host::AVDoc* doc = gAcroViewHFT->GetNthDoc(i);
    host::PDDoc* pdDoc = doc ? doc->GetPDDoc() : nullptr;
    if (!pdDoc || pdDoc == except) continue;
    const host::ASPathName open = pdDoc->Path();
    if (!open.IsNull() && gAcroSupportHFT->SameFile(file, open)) return true;
  }
  return false;
}

CBlocksPropagateData::CBlocksPropagateData(host::AVDoc* sourceDoc, int activePage, int numberOfPages, int mode)
    : sourceDoc_(sourceDoc),
      sourceNumberOfPages_(numberOfPages),
      activePage_(activePage),
      numberOfPages_(numberOfPages),
      mode_(mode) {}

void CBlocksPropagateData::Duplicate() {
  host::AVDoc* destination = destinationDoc_ ? destinationDoc_ : sourceDoc_;
  try {
    CMarkupBlocksExportGroup group;
    group.ExportGroupFromDocument(sourceDoc_, activePage_, mode_);
    CMarkupBlocksImportGroup copies(group);
    for (int page = fromPage_; page < toPage_; ++page) {
      if (page != activePage_) copies.ImportGroupToDocument(destination, page, mode_);
    }
  } catch (...) {
    Service.ExceptionAlert("Duplicate");
  }
}

int CBlocksPropagateData::Export() {
  try {
    if (destinationDoc_) return ExportToOpenDocument(destinationDoc_);
    if (destinationFile_) return ExportToFileDocument();
    return ExportToNewFile();
  } catch (...) {
    Service.ExceptionAlert("Export");
    return 0;
  }
}

int CBlocksPropagateData::ExportToOpenDocument(host::AVDoc* destination) {
  host::AVPageView* view = destination->GetPageView();
  const int shown = view ? view->GetPageNum() : -1;
  int count = 0;
  int s = sourceFromPage_;
  for (int j = fromPage_; j < toPage_; ++j) {
    if (s >= sourceToPage_) {
      if (!HasMode(kImportRepeatSources)) break;
      s = sourceFromPage_;
    }
    if (destination != sourceDoc_) count += CopyPage(sourceDoc_, s, destination, j, mode_);
    ++s;
  }
  if (view && shown >= 0) {
    view->SetPageNum(shown);
    view->Invalidate(nullptr);
  }
  return count;
}

int CBlocksPropagateData::ExportToFileDocument() {
  host::PDDoc& file = *destinationFile_;
  destinationFile_ = nullptr;
  host::AVDoc* window = nullptr;
  try {
    window = gAcroViewHFT->OpenDocFromPDDoc(&file, gAcroSupportHFT->FileName(file.Path()), false);
  } catch (...) {
    // The file was opened for this export alone.
    file.Close();
    throw;
  }
  int count = 0;
  try {
    count = ExportToOpenDocument(window);
    if (!SaveToExportFile(file, "Export")) count = 0;
  } catch (...) {
    window->Close(true);
    throw;
  }
  window->Close(true);
  return count;
}

int CBlocksPropagateData::ExportToNewFile() {
  if (exportFile_.empty()) return 0;
  const host::ASFixedRect mediaBox = CurrentMediaBox(sourceDoc_);
  host::PDDoc* created = gPDModelHFT->CreateDoc();
  host::AVDoc* window = nullptr;
  try {
    created->CreatePage(-1, mediaBox);
    window = gAcroViewHFT->OpenDocFromPDDoc(created, Service.GetStringByID(kNewFileTitle), false);
  } catch (...) {
    created->Close();
    throw;
  }
  int count = 0;
  try {
    int j = 0;
    for (int s = sourceFromPage_; s < sourceToPage_; ++s, ++j) {
      if (j > 0) created->CreatePage(j - 1, mediaBox);
      count += CopyPage(sourceDoc_, s, window, j, mode_);
    }
    if (!SaveToExportFile(*created, "Export")) count = 0;
  } catch (...) {
    window->Close(true);
    throw;
  }
  window->Close(true);
  return count;
}

bool CBlocksPropagateData::SaveToExportFile(host::PDDoc& doc, const char* where) {
  // Writing over a file that an open document still reads would take that
  // document's file away from under it.
  if (IsFileOfOpenDocument(exportFile_, &doc)) {
    gAcroViewHFT->AlertNote(host::text::FormatText(Service.GetStringByID(kFileIsOpenMessage), {exportFile_}));
    return false;
  }
  try {
    // The host writes a temporary file next to the target and puts it in
    // place only when complete, so a failed write leaves the old file.
    doc.Save(gAcroSupportHFT->PathFromText(exportFile_), host::kPDSaveFull);
    return true;
  } catch (...) {
    Service.ExceptionAlert(where);
    return false;
  }
}

int CBlocksPropagateData::Import() {
  if (exportFile_.empty()) return 0;
  int count = 0;
  host::AVDoc* opened = nullptr;
  try {
    opened = gAcroViewHFT->OpenDoc(gAcroSupportHFT->PathFromText(exportFile_), false);
    const int n = NumPagesOf(opened);
    int k = 0;
    for (int i = fromPage_; i < toPage_; ++i, ++k) {
      if (opened == sourceDoc_) continue;
      if (k >= n) {
        if (!HasMode(kImportRepeatSources) || n == 0) break;
        k = 0;
      }
      count += CopyPage(opened, k, sourceDoc_, i, mode_);
    }
  } catch (...) {
    Service.ExceptionAlert("Import");
  }
  if (opened) opened->Close(true);
  return count;
}
