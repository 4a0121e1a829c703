// Feeds bytes to the page-content layer as a page's content stream: the
// interpreter reads them (also as the content of forms the page draws, so
// forms can draw themselves), every element is queried, some are removed,
// the content is written back and read again.
//
// Build and run (from the repository root):
//   cmake -S fuzz/pdf -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14
//   ninja -C build-fuzz content_fuzzer
//   mkdir -p build-fuzz/corpus
//   ./build-fuzz/content_fuzzer build-fuzz/corpus fuzz/pdf/corpus -max_total_time=300
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include <qpdf/QPDF.hh>

#include "viewer/pdf/HostDoubles.h"
#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/doc/QpdfDocument.h"

namespace {

using Atoms = korvid::test::TestAtoms;
using Events = korvid::test::SilentEvents;

// Fonts, a colour space, an image and forms whose content is the input itself.
void AddResources(QPDF& qpdf, QPDFObjectHandle page, const std::string& content) {
  QPDFObjectHandle resources = QPDFObjectHandle::parse(R"(<<
    /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>
             /F2 << /Type /Font /Subtype /Type1 /BaseFont /X /FirstChar 30 /Widths [500 -3 1000000000 600] >>
             /F3 << /Type /Font /Subtype /Type0 /Encoding /Identity-V
                    /DescendantFonts [<< /W [1 [500] 3 9000000 700 5 [] ] >>] >>
             /F4 << /Type /Font /Subtype /Type3 /FontMatrix [0 0 0 0 0 0] /Widths [1] /FirstChar 0
                    /Encoding << /Differences [0 /a 300 /b -5 /c] >> >> >>
    /ColorSpace << /CS1 [/Separation /Spot /DeviceCMYK << >>] /CS3 /CS1 >>
    /ExtGState << /G1 << /LW 3 /Font [null 12] >> >>
  >>)");
  QPDFObjectHandle profile = QPDFObjectHandle::newStream(&qpdf, "");
  profile.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(3));
  resources.getKey("/ColorSpace").replaceKey("/CS2", QPDFObjectHandle::newArray(
                                                         {QPDFObjectHandle::newName("/ICCBased"), profile}));
  QPDFObjectHandle image = QPDFObjectHandle::newStream(&qpdf, "x");
  image.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
  QPDFObjectHandle form = QPDFObjectHandle::newStream(&qpdf, content);
  form.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
  form.getDict().replaceKey("/BBox", QPDFObjectHandle::parse("[0 0 10 10]"));
  form.getDict().replaceKey("/Matrix", QPDFObjectHandle::parse("[2 0 0 2 1 1]"));
  form.getDict().replaceKey("/Resources", resources);
  QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
  xobjects.replaceKey("/Im1", image);
  xobjects.replaceKey("/Fm1", form);
  resources.replaceKey("/XObject", xobjects);
  page.replaceKey("/Resources", resources);
}

void Walk(const host::PDEContent& content, int depth) {
  for (int i = 0; i < content.NumElems(); ++i) {
    host::PDEElementRef e = content.GetElem(i);
    e->BBox();
    e->GState();
    switch (e->Type()) {
      case host::PDEType::Text:
        for (int r = 0; r < e->NumRuns(); ++r) {
          e->RunBBox(r);
          e->RunGState(r);
          e->RunTextState(r);
          e->RunMatrix(r);
          e->RunFont(r);
          e->RunText(r);
        }
        break;
      case host::PDEType::Path:
        e->PaintOp();
        e->PathData();
        break;
      case host::PDEType::Form:
      case host::PDEType::Container:
        if (depth > 70) __builtin_trap();  // the depth limit must hold
        Walk(*e->Content(), depth + 1);
        break;
      default:
        break;
    }
  }
}

// Removes the elements the input's bytes select, at every level.
void RemoveSome(host::PDEContent& content, const std::string& data, size_t& pick) {
  for (int i = content.NumElems() - 1; i >= 0; --i) {
    const unsigned char choice = static_cast<unsigned char>(data[pick++ % data.size()]);
    host::PDEElementRef e = content.GetElem(i);
    if ((e->Type() == host::PDEType::Form || e->Type() == host::PDEType::Container) && (choice & 2)) {
      RemoveSome(*e->Content(), data, pick);
    }
    if (choice & 1) content.RemoveElem(i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static Atoms atoms;
  static Events events;
  // Kept to the end of the process: destroyed among the exit handlers it
  // would outlive statics of the qpdf library.
  static host::PagePDEContentTable* table = viewer::pdf::MakePageContentTable(atoms).release();
  static char ownerTag;
  const auto owner = reinterpret_cast<host::ExtensionID>(&ownerTag);
  const std::string data(reinterpret_cast<const char*>(bytes), size);

  auto doc = viewer::pdf::PdfDocument::Create(events, atoms);
  host::PDPage page = doc->CreatePage(-1, {0, 792 * host::fixedOne, 612 * host::fixedOne, 0});
  QPDF& qpdf = dynamic_cast<viewer::pdf::QpdfDocument&>(*doc).Core()->Qpdf();
  QPDFObjectHandle pageDict = qpdf.getAllPages().front();
  AddResources(qpdf, pageDict, data);
  if (size > 1 && (bytes[0] & 1)) {  // the content split over two streams
    pageDict.replaceKey("/Contents", QPDFObjectHandle::newArray({QPDFObjectHandle::newStream(&qpdf, data.substr(0, size / 2)),
                                                                 QPDFObjectHandle::newStream(&qpdf, data.substr(size / 2))}));
  } else {
    pageDict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, data));
  }

  host::PDEContentRef content = table->AcquirePageContent(page, owner);
  Walk(*content, 0);
  if (!data.empty()) {
    size_t pick = 0;
    RemoveSome(*content, data, pick);
  }
  table->SetPageContent(page, owner, content);
  table->ReleasePageContent(page, owner);

  host::PDEContentRef again = table->AcquirePageContent(page, owner);
  Walk(*again, 0);
  table->ReleasePageContent(page, owner);
  return 0;
}
