// "PagePDEContent": page content acquired per plug-in and page, and written
// back on request.
#pragma once

#include <map>
#include <tuple>

#include <qpdf/QPDFObjGen.hh>

#include "host/PDE.h"
#include "viewer/pdf/content/PageContentReader.h"

namespace viewer::pdf {

class PageContentTable final : public host::PagePDEContentTable {
 public:
  explicit PageContentTable(AtomResolver& atoms) : reader_(atoms) {}

  std::string TableName() const override { return host::tables::kPagePDEContent; }
  host::TableVersion Version() const override { return 0x00060000; }

  // The same plug-in acquiring the same page again gets the same content
  // until it released it as often as it acquired it.
  host::PDEContentRef AcquirePageContent(const host::PDPage& page, host::ExtensionID owner) override;
  void SetPageContent(const host::PDPage& page, host::ExtensionID owner, const host::PDEContentRef& content) override;
  void ReleasePageContent(const host::PDPage& page, host::ExtensionID owner) override;

 private:
  using Key = std::tuple<const DocumentCore*, QPDFObjGen, host::ExtensionID>;
  struct Acquisition {
    DocumentCoreRef core;
    PageContent content;
    int count = 0;
  };

  static Key KeyOf(const host::PDPage& page, host::ExtensionID owner);

  PageContentReader reader_;
  std::map<Key, Acquisition> acquired_;
};

}  // namespace viewer::pdf
