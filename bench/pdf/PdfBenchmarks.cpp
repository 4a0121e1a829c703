// What the PDF layer adds to qpdf, each measured against qpdf doing the
// underlying work alone on the same file in the same run:
//   page content:  acquiring a page's elements (decode, parse, interpret,
//                  build the element model) vs qpdf parsing the content
//                  with callbacks that do nothing;
//   save:          a save through the document (temporary file, fsync,
//                  rename) vs QPDFWriter writing straight to a file.
// The ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "bench/RatioReporter.h"
#include "viewer/pdf/HostDoubles.h"
#include "viewer/pdf/PdfDocument.h"

namespace {

namespace fs = std::filesystem;

using Atoms = korvid::test::TestAtoms;
using Events = korvid::test::SilentEvents;

// A busy page: text lines, filled and stroked paths, state changes and
// marked content, about 30 000 operations; and 200 plain pages.
struct Fixture {
  fs::path folder;
  fs::path file;

  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "korvid-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    file = folder / "busy.pdf";
    QPDF qpdf;
    qpdf.emptyPDF();
    std::string content;
    for (int i = 0; i < 1500; ++i) {
      const std::string y = std::to_string(10 + (i % 700));
      content += "/Span BMC q 0." + std::to_string(i % 10) + " g BT /F1 9 Tf 20 " + y + " Td (Line of text " +
                 std::to_string(i) + ") Tj ET Q EMC\n";
      content += "q 1 0 0 RG 0.5 w 10 " + y + " m 600 " + y + " l S Q 20 " + y + " 30 4 re f\n";
    }
    for (int page = 0; page < 200; ++page) {
      QPDFObjectHandle dict = QPDFObjectHandle::parse(
          "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 "
          "/BaseFont /Helvetica >> >> >> >>");
      dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, page == 0 ? content : "0 0 10 10 re f"));
      qpdf.addPage(qpdf.makeIndirectObject(dict), false);
    }
    QPDFWriter writer(qpdf, file.c_str());
    writer.write();
  }
  ~Fixture() { fs::remove_all(folder); }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

class NoOp final : public QPDFObjectHandle::ParserCallbacks {
  void handleObject(QPDFObjectHandle, size_t, size_t) override {}
  void handleEOF() override {}
};

void BM_Baseline_QpdfParsesContent(benchmark::State& state) {
  QPDF qpdf;
  qpdf.processFile(TheFixture().file.c_str());
  QPDFPageObjectHelper page(qpdf.getAllPages().front());
  NoOp callbacks;
  for (auto _ : state) page.parseContents(&callbacks);
}

void BM_AcquirePageContent(benchmark::State& state) {
  Atoms atoms;
  Events events;
  auto doc = viewer::pdf::PdfDocument::Open(TheFixture().file, events, atoms);
  auto table = viewer::pdf::MakePageContentTable(atoms);
  host::PDPage page = doc->AcquirePage(0);
  static char owner;
  const auto id = reinterpret_cast<host::ExtensionID>(&owner);
  for (auto _ : state) {
    host::PDEContentRef content = table->AcquirePageContent(page, id);
    benchmark::DoNotOptimize(content->NumElems());
    table->ReleasePageContent(page, id);
  }
}

void BM_Baseline_QpdfWritesFile(benchmark::State& state) {
  QPDF qpdf;
  qpdf.processFile(TheFixture().file.c_str());
  const fs::path out = TheFixture().folder / "baseline.pdf";
  for (auto _ : state) {
    QPDFWriter writer(qpdf, out.c_str());
    writer.write();
  }
}

void BM_SaveThroughDocument(benchmark::State& state) {
  Atoms atoms;
  Events events;
  auto doc = viewer::pdf::PdfDocument::Open(TheFixture().file, events, atoms);
  const std::string out = (TheFixture().folder / "saved.pdf").string();
  for (auto _ : state) doc->WriteTo(out);
}

BENCHMARK(BM_Baseline_QpdfParsesContent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AcquirePageContent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QpdfWritesFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveThroughDocument)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  korvid::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("page content acquisition:", "BM_AcquirePageContent", "BM_Baseline_QpdfParsesContent");
  reporter.PrintRatio("save through the document:", "BM_SaveThroughDocument", "BM_Baseline_QpdfWritesFile");
  benchmark::Shutdown();
  return 0;
}
