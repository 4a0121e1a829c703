#include "viewer/pdf/PageContentFixture.h"

namespace korvid::test {

PageContentFixture::PageContentFixture(const std::string& content,
                                       const std::function<void(QPDF&, QPDFObjectHandle)>& build) {
  WritePdf(folder_ / "page.pdf", [&](QPDF& qpdf) {
    QPDFObjectHandle page = AddPage(qpdf, PageSpec{content, QPDFObjectHandle::newNull()});
    if (build) build(qpdf, page);
  });
  open_ = std::make_unique<OpenDoc>(folder_ / "page.pdf");
  table_ = viewer::pdf::MakePageContentTable(open_->atoms);
}

host::ExtensionID PageContentFixture::Owner() {
  static char tag;
  return reinterpret_cast<host::ExtensionID>(&tag);
}

host::PDEContentRef PageContentFixture::Acquire() { return table_->AcquirePageContent(Page(), Owner()); }

void PageContentFixture::Release() { table_->ReleasePageContent(Page(), Owner()); }

void PageContentFixture::WriteBack(const host::PDEContentRef& content) {
  table_->SetPageContent(Page(), Owner(), content);
}

std::string PageContentFixture::PageBytes() {
  host::CosObj contents = Page()->GetCosObj().DictGet("Contents");
  if (contents.Type() == host::CosType::Stream) return contents.StreamDecoded(1 << 24);
  std::string joined;
  for (int i = 0; i < contents.ArrayLength(); ++i) joined += contents.ArrayGet(i).StreamDecoded(1 << 24) + "|";
  return joined;
}

QPDFObjectHandle NewStream(QPDF& qpdf, const std::string& dict, const std::string& data) {
  QPDFObjectHandle stream = QPDFObjectHandle::newStream(&qpdf, data);
  for (const auto& [key, value] : QPDFObjectHandle::parse(dict).getDictAsMap()) stream.getDict().replaceKey(key, value);
  return stream;
}

namespace {

const char* KindName(host::PDEType type) {
  switch (type) {
    case host::PDEType::Text: return "Text";
    case host::PDEType::Path: return "Path";
    case host::PDEType::Image: return "Image";
    case host::PDEType::Form: return "Form";
    case host::PDEType::Container: return "Container";
    case host::PDEType::Shading: return "Shading";
    default: return "Other";
  }
}

}  // namespace

std::string Outline(const host::PDEContent& content) {
  std::string text;
  for (int i = 0; i < content.NumElems(); ++i) {
    host::PDEElementRef element = content.GetElem(i);
    if (!text.empty()) text += ' ';
    text += KindName(element->Type());
    if (element->Type() == host::PDEType::Form || element->Type() == host::PDEType::Container) {
      text += "{" + Outline(*element->Content()) + "}";
    }
  }
  return text;
}

}  // namespace korvid::test
