// Feeds random stored block trees to the page loader. The input is PDF
// object syntax in sections separated by NUL bytes: the first is the page's
// PieceInfo, the others become the indirect objects 10, 11, ... that it may
// refer to (so trees can hold cycles, shared levels and any kind of object
// anywhere). The page, whose content holds old marked content, is loaded,
// every block is written back into the page and the page is loaded again:
// the second load must find every block the first one did.
//
// Build and run (from the repository root):
//   cmake -S fuzz/storage -B build-fuzz-storage -G Ninja -DCMAKE_CXX_COMPILER=clang++-14
//   ninja -C build-fuzz-storage stored_tree_fuzzer
//   mkdir -p build-fuzz-storage/corpus
//   ./build-fuzz-storage/stored_tree_fuzzer build-fuzz-storage/corpus fuzz/storage/corpus -max_total_time=600
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>

#include "PageLoaderRun.h"
#include "viewer/pdf/HostDoubles.h"
#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/doc/QpdfDocument.h"

namespace {

constexpr int kFirstObject = 10;
constexpr int kMaxObjects = 16;

std::vector<std::string> Sections(const std::uint8_t* bytes, std::size_t size) {
  std::vector<std::string> sections(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == 0) {
      if (sections.size() > kMaxObjects) break;
      sections.emplace_back();
    } else {
      sections.back().push_back(static_cast<char>(bytes[i]));
    }
  }
  return sections;
}

// Builds the page from the sections; false when qpdf refuses their syntax.
bool BuildPage(QPDF& qpdf, QPDFObjectHandle page, const std::vector<std::string>& sections) {
  try {
    for (std::size_t i = 1; i < sections.size(); ++i) {
      qpdf.replaceObject(QPDFObjGen(kFirstObject + static_cast<int>(i) - 1, 0),
                         QPDFObjectHandle::parse(&qpdf, sections[i]));
    }
    page.replaceKey("/PieceInfo", QPDFObjectHandle::parse(&qpdf, sections[0]));
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(
                                     &qpdf, "/Other BMC /Zolt.block BMC 0 0 1 1 re f EMC EMC /Zolt.block BMC EMC"));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static korvid::test::TestAtoms atoms;
  static korvid::test::SilentEvents events;
  // Kept to the end of the process: destroyed among the exit handlers it
  // would outlive statics of the qpdf library.
  static host::PagePDEContentTable* content = viewer::pdf::MakePageContentTable(atoms).release();
  static const bool ready = (PreparePageLoader(content, atoms.Atom("Zolt.block")), true);
  (void)ready;

  auto doc = viewer::pdf::PdfDocument::Create(events, atoms);
  host::PDPage page = doc->CreatePage(-1, {0, 792 * host::fixedOne, 612 * host::fixedOne, 0});
  QPDF& qpdf = dynamic_cast<viewer::pdf::QpdfDocument&>(*doc).Core()->Qpdf();
  if (!BuildPage(qpdf, qpdf.getAllPages().front(), Sections(bytes, size))) return 0;

  RunPageLoader(page);
  return 0;
}
