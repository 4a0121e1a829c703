#include "viewer/pdf/content/PageContentTable.h"

#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/doc/QpdfPage.h"

namespace viewer::pdf {
namespace {

const QpdfPage& PageOf(const host::PDPage& page) {
  const auto* impl = dynamic_cast<const QpdfPage*>(page.operator->());
  if (impl == nullptr) host::RaiseHostError(host::kErrBadParameter, "a page of another host");
  return *impl;
}

}  // namespace

PageContentTable::Key PageContentTable::KeyOf(const host::PDPage& page, host::ExtensionID owner) {
  const QpdfPage& impl = PageOf(page);
  return Key{impl.Core().get(), impl.Id(), owner};
}

host::PDEContentRef PageContentTable::AcquirePageContent(const host::PDPage& page, host::ExtensionID owner) {
  const QpdfPage& impl = PageOf(page);
  const Key key = KeyOf(page, owner);
  auto found = acquired_.find(key);
  if (found == acquired_.end()) {
    PageContent content =
        TranslateQpdfErrors(host::kErrBadFile, [&] { return reader_.Read(impl.Core(), impl.PageDict()); });
    found = acquired_.emplace(key, Acquisition{impl.Core(), std::move(content), 0}).first;
  }
  ++found->second.count;
  return found->second.content.root;
}

void PageContentTable::SetPageContent(const host::PDPage& page, host::ExtensionID owner,
                                      const host::PDEContentRef& content) {
  auto found = acquired_.find(KeyOf(page, owner));
  if (found == acquired_.end() || found->second.content.root != content) {
    host::RaiseHostError(host::kErrBadParameter, "content not acquired for this page");
  }
  Acquisition& acquisition = found->second;
  TranslateQpdfErrors(host::kErrBadFile, [&] { WriteBack(*acquisition.core, acquisition.content.sources); });
}

void PageContentTable::ReleasePageContent(const host::PDPage& page, host::ExtensionID owner) {
  auto found = acquired_.find(KeyOf(page, owner));
  if (found != acquired_.end() && --found->second.count <= 0) acquired_.erase(found);
}

std::unique_ptr<host::PagePDEContentTable> MakePageContentTable(AtomResolver& atoms) {
  return std::make_unique<PageContentTable>(atoms);
}

}  // namespace viewer::pdf
