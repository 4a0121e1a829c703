// A one-page document written with qpdf and opened through the document
// layer, with its page content acquired through the "PagePDEContent" table.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/PDE.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace korvid::test {

class PageContentFixture {
 public:
  // build adds what the page needs: resources and extra objects.
  explicit PageContentFixture(const std::string& content,
                              const std::function<void(QPDF&, QPDFObjectHandle page)>& build = {});

  host::PDEContentRef Acquire();
  void Release();
  void WriteBack(const host::PDEContentRef& content);

  // The page's content as stored now (all streams, decoded).
  std::string PageBytes();
  host::PDPage Page() { return open_->doc->AcquirePage(0); }
  viewer::pdf::PdfDocument& Doc() { return *open_->doc; }
  OpenDoc& Open() { return *open_; }
  TestAtoms& Atoms() { return open_->atoms; }
  const ScratchFolder& Folder() const { return folder_; }

  static host::ExtensionID Owner();

 private:
  ScratchFolder folder_;
  std::unique_ptr<OpenDoc> open_;
  std::unique_ptr<host::PagePDEContentTable> table_;
};

// A stream object with the given dictionary (parsed) and data.
QPDFObjectHandle NewStream(QPDF& qpdf, const std::string& dict, const std::string& data);

// The kinds of a content list and its nested lists, e.g. "Path Text Form{Path}".
std::string Outline(const host::PDEContent& content);

}  // namespace korvid::test
