// The document layer over qpdf: one open PDF file (or a new document) with
// its pages, flags and saving.
#pragma once

#include "viewer/pdf/DocumentCore.h"
#include "viewer/pdf/PdfDocument.h"

namespace viewer::pdf {

class QpdfDocument final : public PdfDocument {
 public:
  QpdfDocument(DocumentCoreRef core, std::string path);
  ~QpdfDocument() override;
  QpdfDocument(const QpdfDocument&) = delete;
  QpdfDocument& operator=(const QpdfDocument&) = delete;

  const DocumentCoreRef& Core() const { return core_; }

  int NumPages() const override;
  host::PDPage AcquirePage(int index) override;
  host::CosDoc GetCosDoc() override;
  host::CosObj Catalog() override;

  int Flags() const override { return core_->Flags(); }
  void SetFlags(int flags) override { core_->SetFlags(flags); }
  void ClearFlags(int flags) override { core_->ClearFlags(flags); }
  std::int32_t Permissions() const override;

  host::ASPathName Path() const override { return host::ASPathName(path_); }
  host::AVDoc* GetAVDoc() const override;

  void Save(const host::ASPathName& path, int saveFlags) override;
  host::PDPage CreatePage(int afterIndex, const host::ASFixedRect& mediaBox) override;
  void Close() override;

  void WriteTo(const std::string& path) override;
  std::string WriteToMemory(MemoryCopy kind) override;
  std::uint64_t Revision() const override { return core_->Revision(); }
  void FailWritesAfterBytesForTesting(std::int64_t bytes) override { failWritesAfter_ = bytes; }
  int PageIndexOf(const host::CosObj& pageDict) const override;

 private:
  DocumentCoreRef core_;
  std::string path_;
  std::int64_t failWritesAfter_ = -1;
};

}  // namespace viewer::pdf
