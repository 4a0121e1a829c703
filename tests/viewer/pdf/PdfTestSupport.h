// Small real documents for the PDF layer's tests: built with qpdf, written to
// a scratch folder, opened through the document layer.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "viewer/pdf/HostDoubles.h"
#include "viewer/pdf/PdfDocument.h"

namespace korvid::test {

// Records what the document tells the viewer, one line per event.
class RecordingEvents final : public viewer::pdf::DocumentEvents {
 public:
  void WillSave(viewer::pdf::PdfDocument& doc, int saveFlags) override;
  void DidSave(viewer::pdf::PdfDocument& doc, int error) override;
  void PageContentsDidChange(viewer::pdf::PdfDocument& doc, int pageIndex) override;
  host::AVDoc* AVDocOf(const viewer::pdf::PdfDocument&) override { return nullptr; }
  void CloseRequested(viewer::pdf::PdfDocument& doc) override;

  std::vector<std::string> log;
  // Runs inside WillSave (a handler changing objects before the write).
  std::function<void(viewer::pdf::PdfDocument&)> onWillSave;
};

// A folder removed with everything in it at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }
  std::vector<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

struct PageSpec {
  std::string content;
  QPDFObjectHandle resources;  // null: an empty dictionary
  std::vector<double> mediaBox = {0, 0, 612, 792};
};

// Adds a page at the end of the document.
QPDFObjectHandle AddPage(QPDF& qpdf, const PageSpec& page);

// Builds a document with qpdf, lets `build` add to it, writes it.
void WritePdf(const std::filesystem::path& path, const std::function<void(QPDF&)>& build);

// A file with one empty page.
void WriteOnePagePdf(const std::filesystem::path& path);

std::string ReadFile(const std::filesystem::path& path);

// "qpdf --check" accepts the file (no errors, no warnings).
bool QpdfCheckPasses(const std::filesystem::path& path);

// A document open through the document layer with its own atoms and events.
struct OpenDoc {
  TestAtoms atoms;
  RecordingEvents events;
  std::unique_ptr<viewer::pdf::PdfDocument> doc;

  explicit OpenDoc(const std::filesystem::path& path);
  OpenDoc();  // a new document
  viewer::pdf::PdfDocument* operator->() const { return doc.get(); }
};

// The host error code a call raises, 0 when it raises none.
template <typename Fn>
int ErrorOf(Fn&& fn) {
  try {
    fn();
  } catch (const host::HostError& e) {
    return e.Code();
  }
  return 0;
}

}  // namespace korvid::test
