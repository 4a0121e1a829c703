// Built only while the viewer's PDF layer is not part of the build: the host
// then opens no documents and serves page content to nobody. Removed from
// the build as soon as the PDF layer is there.
#include "host/HostError.h"
#include "viewer/core/ServedTable.h"
#include "viewer/pdf/PdfDocument.h"

namespace viewer::pdf {

namespace {

class NoPageContent final : public ServedTable<host::PagePDEContentTable> {
 public:
  NoPageContent() : ServedTable("PagePDEContent", 0x60000) {}
  host::PDEContentRef AcquirePageContent(const host::PDPage&, host::ExtensionID) override {
    host::RaiseHostError(host::kErrUnsupported, "no PDF layer");
  }
  void SetPageContent(const host::PDPage&, host::ExtensionID, const host::PDEContentRef&) override {
    host::RaiseHostError(host::kErrUnsupported, "no PDF layer");
  }
  void ReleasePageContent(const host::PDPage&, host::ExtensionID) override {}
};

}  // namespace

std::unique_ptr<PdfDocument> PdfDocument::Open(const std::string& path, DocumentEvents&, AtomResolver&) {
  host::RaiseHostError(host::kErrUnsupported, "no PDF layer: " + path);
}

std::unique_ptr<PdfDocument> PdfDocument::Create(DocumentEvents&, AtomResolver&) {
  host::RaiseHostError(host::kErrUnsupported, "no PDF layer");
}

std::unique_ptr<host::PagePDEContentTable> MakePageContentTable(AtomResolver&) {
  return std::make_unique<NoPageContent>();
}

}  // namespace viewer::pdf
