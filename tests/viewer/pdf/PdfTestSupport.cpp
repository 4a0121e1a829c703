#include "viewer/pdf/PdfTestSupport.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <qpdf/QPDFWriter.hh>

namespace korvid::test {

void RecordingEvents::WillSave(viewer::pdf::PdfDocument& doc, int saveFlags) {
  log.push_back("will-save " + std::to_string(saveFlags));
  if (onWillSave) onWillSave(doc);
}

void RecordingEvents::DidSave(viewer::pdf::PdfDocument&, int error) {
  log.push_back("did-save " + std::to_string(error));
}

void RecordingEvents::PageContentsDidChange(viewer::pdf::PdfDocument&, int pageIndex) {
  log.push_back("contents-changed " + std::to_string(pageIndex));
}

void RecordingEvents::CloseRequested(viewer::pdf::PdfDocument&) { log.push_back("close"); }

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvid-pdf-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> ScratchFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

QPDFObjectHandle AddPage(QPDF& qpdf, const PageSpec& spec) {
  QPDFObjectHandle box = QPDFObjectHandle::newArray();
  for (double v : spec.mediaBox) box.appendItem(QPDFObjectHandle::newReal(v, 2, true));
  QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
  page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
  page.replaceKey("/MediaBox", box);
  QPDFObjectHandle resources = spec.resources;
  page.replaceKey("/Resources", resources.isInitialized() && !resources.isNull() ? resources
                                                                                 : QPDFObjectHandle::newDictionary());
  page.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, spec.content));
  page = qpdf.makeIndirectObject(page);
  qpdf.addPage(page, false);
  return page;
}

void WritePdf(const std::filesystem::path& path, const std::function<void(QPDF&)>& build) {
  QPDF qpdf;
  qpdf.emptyPDF();
  build(qpdf);
  QPDFWriter writer(qpdf, path.c_str());
  writer.setStaticID(true);
  writer.write();
}

void WriteOnePagePdf(const std::filesystem::path& path) {
  WritePdf(path, [](QPDF& qpdf) { AddPage(qpdf, {}); });
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool QpdfCheckPasses(const std::filesystem::path& path) {
  const std::string command = "qpdf --check '" + path.string() + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

OpenDoc::OpenDoc(const std::filesystem::path& path) : doc(viewer::pdf::PdfDocument::Open(path, events, atoms)) {}

OpenDoc::OpenDoc() : doc(viewer::pdf::PdfDocument::Create(events, atoms)) {}

}  // namespace korvid::test
