// Blocks in a 1,000-page document, each measured against qpdf doing the
// underlying file work alone on the same files in the same run:
//   save:  20 blocks on every page written into the pages and the document
//          saved through the viewer (will-save notifications, then the
//          file), vs qpdf rewriting the file without blocks (read + write),
//          and vs qpdf rewriting the saved file, blocks and all (from disk
//          as qpdf reads files and through the viewer's block cache);
//   load:  the document with those blocks opened in the viewer and the
//          blocks of every page loaded, vs qpdf opening the file and walking
//          every page with everything its PieceInfo reaches, from disk as
//          qpdf reads files and through the viewer's block cache.
// The ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "blocktool/collections/BlockPages.h"
#include "viewer/pdf/doc/CachedFileInputSource.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 1000;
constexpr int kBlocksPerPage = 20;

struct Fixture {
  fs::path folder;
  std::string blank;
  std::string withBlocks;

  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "korvid-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    blank = (folder / "blank.pdf").string();
    withBlocks = (folder / "blocks.pdf").string();
    korvid::testing::WriteBlankPdf(blank, kPages, [](QPDF& qpdf, QPDFObjectHandle& page, int index) {
      page.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, "0 0 1 rg 10 10 " + std::to_string(index % 500) +
                                                                          " 20 re f\n"));
    });
  }
  ~Fixture() { fs::remove_all(folder); }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

// Every page of the document loaded, with 20 blocks drawn on it.
void DrawBlocks(korvid::testing::BlockPages& pages, viewer::Document& doc) {
  CMarkupDocCollection& collection = *pages.DocCollection(doc);
  collection.AcquirePages(0, kPages - 1);
  for (int page = 0; page < kPages; ++page) {
    CMarkupPageCollection& blocks = *collection.PageCollection(page);
    doc.View().SetPageNum(page);
    for (int i = 0; i < kBlocksPerPage; ++i) {
      BlockRef block = pages.NewBlock(blocks, {10 + 25 * i, 10 + 30 * i, 30 + 25 * i, 35 + 30 * i},
                                      i % 3 == 0 ? PropImage : PropText);
      block->PropertyList()->UpdateProperty("Description", std::string_view("block " + std::to_string(i)));
    }
  }
  doc.View().SetPageNum(0);
}

void Rewrite(benchmark::State& state, const std::string& in, const char* outName, bool throughCache) {
  const std::string out = (TheFixture().folder / outName).string();
  for (auto _ : state) {
    QPDF qpdf;
    if (throughCache) {
      qpdf.processInputSource(std::make_shared<viewer::pdf::CachedFileInputSource>(in));
    } else {
      qpdf.processFile(in.c_str());
    }
    QPDFWriter writer(qpdf, out.c_str());
    writer.write();
  }
}

void BM_Baseline_QpdfRewritesBlankFile(benchmark::State& state) {
  Rewrite(state, TheFixture().blank, "rewritten.pdf", false);
}

// The file the save wrote, rewritten by qpdf: what writing those blocks
// costs qpdf alone, reading the file as qpdf does and through the viewer's
// block cache (as the viewer's documents read their files).
void BM_Baseline_QpdfRewritesFileWithBlocks(benchmark::State& state) {
  Rewrite(state, TheFixture().withBlocks, "rewritten-blocks.pdf", false);
}

void BM_Baseline_QpdfRewritesFileWithBlocksThroughCache(benchmark::State& state) {
  Rewrite(state, TheFixture().withBlocks, "rewritten-blocks.pdf", true);
}

void BM_SaveWithBlocks(benchmark::State& state) {
  korvid::testing::BlockPages pages;
  viewer::Document& doc = pages.Open(TheFixture().blank);
  DrawBlocks(pages, doc);
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& page : pages.DocCollection(doc)->PageCollections()) page->Validate(false);
    state.ResumeTiming();
    doc.GetPDDoc()->Save(host::ASPathName(TheFixture().withBlocks), host::kPDSaveFull);
  }
  state.counters["blocks"] = static_cast<double>(kPages * kBlocksPerPage);
}

// Every object the page reaches through its PieceInfo, read once.
void Walk(QPDFObjectHandle object, std::set<QPDFObjGen>& seen) {
  if (object.isIndirect() && !seen.insert(object.getObjGen()).second) return;
  if (object.isDictionary()) {
    for (auto& [key, value] : object.ditems()) Walk(value, seen);
  } else if (object.isArray()) {
    for (auto& item : object.aitems()) Walk(item, seen);
  }
}

void OpenAndWalkPages(benchmark::State& state, const std::function<void(QPDF&)>& open) {
  for (auto _ : state) {
    QPDF qpdf;
    open(qpdf);
    std::set<QPDFObjGen> seen;
    for (QPDFObjectHandle page : qpdf.getAllPages()) {
      page.getDictAsMap();
      Walk(page.getKey("/PieceInfo"), seen);
    }
    benchmark::DoNotOptimize(seen.size());
  }
}

void BM_Baseline_QpdfOpensAndWalksPages(benchmark::State& state) {
  OpenAndWalkPages(state, [](QPDF& qpdf) { qpdf.processFile(TheFixture().withBlocks.c_str()); });
}

// The same, reading the file through the viewer's block cache: what the
// load costs beyond qpdf's own work when both read the file the same way.
void BM_Baseline_QpdfOpensAndWalksPagesThroughCache(benchmark::State& state) {
  OpenAndWalkPages(state, [](QPDF& qpdf) {
    qpdf.processInputSource(std::make_shared<viewer::pdf::CachedFileInputSource>(TheFixture().withBlocks));
  });
}

void BM_LoadAllBlocks(benchmark::State& state) {
  korvid::testing::BlockPages pages;
  std::size_t blocks = 0;
  for (auto _ : state) {
    viewer::Document& doc = pages.Open(TheFixture().withBlocks);
    pages.DocCollection(doc)->AcquirePages(0, kPages - 1);
    state.PauseTiming();
    blocks = 0;
    for (const auto& page : pages.DocCollection(doc)->PageCollections()) {
      blocks += static_cast<std::size_t>(page->GetSize());
    }
    pages.Close(doc);
    state.ResumeTiming();
  }
  state.counters["blocks"] = static_cast<double>(blocks);
}

// The save benchmark writes the file the load benchmarks read.
BENCHMARK(BM_Baseline_QpdfRewritesBlankFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWithBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QpdfRewritesFileWithBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QpdfRewritesFileWithBlocksThroughCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QpdfOpensAndWalksPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QpdfOpensAndWalksPagesThroughCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllBlocks)->Unit(benchmark::kMillisecond);

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  void PrintRatio(const char* what, const char* measured, const char* baseline) const {
    const auto m = times.find(measured);
    const auto b = times.find(baseline);
    if (m == times.end() || b == times.end() || b->second <= 0) return;
    std::printf("%-22s %.2fx (CPU %.2fx) %s\n", what, m->second / b->second,
                cpuTimes.at(measured) / cpuTimes.at(baseline), baseline);
  }
  std::map<std::string, double> times;
  std::map<std::string, double> cpuTimes;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("save with blocks:", "BM_SaveWithBlocks", "BM_Baseline_QpdfRewritesBlankFile");
  reporter.PrintRatio("save with blocks:", "BM_SaveWithBlocks", "BM_Baseline_QpdfRewritesFileWithBlocks");
  reporter.PrintRatio("save with blocks:", "BM_SaveWithBlocks", "BM_Baseline_QpdfRewritesFileWithBlocksThroughCache");
  reporter.PrintRatio("load of all blocks:", "BM_LoadAllBlocks", "BM_Baseline_QpdfOpensAndWalksPages");
  reporter.PrintRatio("load of all blocks:", "BM_LoadAllBlocks", "BM_Baseline_QpdfOpensAndWalksPagesThroughCache");
  benchmark::Shutdown();
  return 0;
}
