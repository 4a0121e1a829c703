// One Duplicate, Export or Import command: where the blocks come from and
// go to, filled in by the command's dialog, then carried out once.
//
// Page ranges are 0-based with the "to" page exclusive.
#pragma once

#include <string>

#include "blocktool/collections/MarkupBlocksExport.h"
#include "host/AV.h"

class CBlocksPropagateData {
 public:
  CBlocksPropagateData(host::AVDoc* sourceDoc, int activePage, int numberOfPages, int mode);

  // Copies the blocks of the active page (its selection with mode bit 0x10)
  // to every page of the destination range except the active page itself.
  void Duplicate();
  // To the destination document, else to the destination file document
  // (saved to the export file), else to a new file at the export file path.
  // The number of blocks copied; 0 also when the file could not be written.
  int Export();
  // From the file at the export file path into the destination range of the
  // source document. The number of blocks copied.
  int Import();

  host::AVDoc* avSourceDoc() const { return sourceDoc_; }
  host::AVDoc* avDestinationDoc() const { return destinationDoc_; }
  void avDestinationDoc(host::AVDoc* doc) { destinationDoc_ = doc; }
  host::PDDoc* pdDestinationDoc() const { return destinationFile_; }
  void pdDestinationDoc(host::PDDoc* doc) { destinationFile_ = doc; }
  int FromPage() const { return fromPage_; }
  void FromPage(int page) { fromPage_ = page; }
  int ToPage() const { return toPage_; }
  void ToPage(int page) { toPage_ = page; }
  int NumberOfPages() const { return numberOfPages_; }
  void NumberOfPages(int count) { numberOfPages_ = count; }
  int SourceFromPage() const { return sourceFromPage_; }
  void SourceFromPage(int page) { sourceFromPage_ = page; }
  int SourceToPage() const { return sourceToPage_; }
  void SourceToPage(int page) { sourceToPage_ = page; }
  int SourceNumberOfPages() const { return sourceNumberOfPages_; }
  int ActivePage() const { return activePage_; }
  const std::string& ExportFile() const { return exportFile_; }
  void ExportFile(std::string path) { exportFile_ = std::move(path); }
  void SetMode(int mode) { mode_ = mode; }
  void AddMode(int bits) { mode_ |= bits; }
  int GetMode() const { return mode_; }
  bool HasMode(int bits) const { return (mode_ & bits) == bits; }

 private:
  int ExportToOpenDocument(host::AVDoc* destination);
  int ExportToFileDocument();
  int ExportToNewFile();
  // Writes doc to the export file: false (reported) when the file is one
  // that another open document reads, or the write failed.
  bool SaveToExportFile(host::PDDoc& doc, const char* where);

  host::AVDoc* sourceDoc_ = nullptr;
  host::AVDoc* destinationDoc_ = nullptr;
  host::PDDoc* destinationFile_ = nullptr;
  int sourceFromPage_ = 0;
  int sourceToPage_ = 0;
  int sourceNumberOfPages_ = 0;
  int activePage_ = 0;
  int fromPage_ = 0;
  int toPage_ = 0;
  int numberOfPages_ = 0;
  std::string exportFile_;
  int mode_ = 0;
};

// Whether path names the file of an open document other than except (the
// same file by device and inode, whatever the path's spelling).
bool IsFileOfOpenDocument(const std::string& path, const host::PDDoc* except = nullptr);
