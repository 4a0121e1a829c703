// Propagating the 10 blocks of page 1 to the other 999 pages of a document,
// and saving the document afterwards, each measured against qpdf reading
// and rewriting the saved file (10,000 blocks) in the same run. The ratios
// are printed after the table.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "blocktool/collections/BlocksPropagateData.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 1000;
constexpr int kBlocks = 10;

struct Fixture {
  fs::path folder;
  fs::path blank;  // 1,000 empty pages
  fs::path saved;  // the same after propagation

  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "korvid-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    blank = folder / "blank.pdf";
    saved = folder / "saved.pdf";
    QPDF qpdf;
    qpdf.emptyPDF();
    for (int page = 0; page < kPages; ++page) {
      QPDFObjectHandle dict = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] /Resources << >> >>");
      dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, ""));
      qpdf.addPage(qpdf.makeIndirectObject(dict), false);
    }
    QPDFWriter writer(qpdf, blank.c_str());
    writer.write();
  }
  ~Fixture() { fs::remove_all(folder); }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

// The viewer with the block tool, the blank document open and ten blocks on
// its first page.
struct Session {
  korvid::testing::HostHarness harness;
  viewer::Document* doc = nullptr;

  Session() {
    harness.AttachLinkedPlugin(&PIMain, &PIResources);
    doc = &harness.Host().Documents().Open(TheFixture().blank.string(), true);
    CMarkupPageCollection& page = *LoadedPageCollection(doc, 0);
    for (int i = 0; i < kBlocks; ++i) {
      auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, page.NewBlockID());
      block->PropertyList()->UpdateProperty("Name", std::string_view("Block" + std::to_string(i)));
      const double top = 780 - 70 * i;
      block->BlockRectFx({host::FloatToFixed(50), host::FloatToFixed(top), host::FloatToFixed(300),
                          host::FloatToFixed(top - 50)});
      block->UpdateBlockCoordiantesProperty();
      page.AddBlock(block);
    }
  }

  void Propagate() {
    CBlocksPropagateData data(doc, 0, kPages, kImportAsImported);
    data.FromPage(0);
    data.ToPage(kPages);
    data.Duplicate();
  }

  void Save() { doc->GetPDDoc()->Save(host::ASPathName(TheFixture().saved.string()), host::kPDSaveFull); }
};

void BM_Propagate10BlocksTo1000Pages(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<Session>();
    state.ResumeTiming();
    session->Propagate();
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
}

void BM_SaveAfterPropagation(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<Session>();
    session->Propagate();
    state.ResumeTiming();
    session->Save();
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
}

void BM_Baseline_QpdfRewritesSavedFile(benchmark::State& state) {
  if (!fs::exists(TheFixture().saved)) {
    Session session;
    session.Propagate();
    session.Save();
  }
  const fs::path out = TheFixture().folder / "rewritten.pdf";
  for (auto _ : state) {
    QPDF qpdf;
    qpdf.processFile(TheFixture().saved.c_str());
    QPDFWriter writer(qpdf, out.c_str());
    writer.write();
  }
}

BENCHMARK(BM_Baseline_QpdfRewritesSavedFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Propagate10BlocksTo1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveAfterPropagation)->Unit(benchmark::kMillisecond)->Iterations(3);

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const std::string& measured,
                const std::string& baseline) {
  const auto m = reporter.times.find(measured);
  const auto b = reporter.times.find(baseline);
  if (m == reporter.times.end() || b == reporter.times.end() || b->second <= 0) return;
  std::printf("%-44s %.2fx its baseline (%s)\n", what, m->second / b->second, baseline.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string baseline = "BM_Baseline_QpdfRewritesSavedFile";
  PrintRatio(reporter, "propagation of 10 blocks to 1,000 pages:", "BM_Propagate10BlocksTo1000Pages/iterations:3",
             baseline);
  PrintRatio(reporter, "save after the propagation:", "BM_SaveAfterPropagation/iterations:3", baseline);
  benchmark::Shutdown();
  return 0;
}
