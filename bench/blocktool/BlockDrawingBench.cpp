// A page with 2,000 blocks (one in ten selected) in the viewer with the
// block tool active: the cost of one drawing pass (RedrawAll through the
// page view's drawing procedure) and of one hit test (GetClickedBlock).
//
// Baselines, measured in the same run:
// - drawing: the same drawing calls (frame, handles, banner, name) made
//   straight on the same recording surface from rectangles computed
//   beforehand: what any pass over 2,000 blocks must cost at least;
// - hit test: a loop over 2,000 rectangles held in a vector asking whether
//   the point is inside.
// Printed: the time per pass and per hit test, each as a ratio to its
// baseline, and the pass as a share of one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"
#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageView.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace {

constexpr int kBlocks = 2000;
constexpr int kColumns = 40;
constexpr double kFrameMs = 1000.0 / 60.0;

// The viewer, its page and its blocks, made once for every benchmark.
class Page {
 public:
  static Page& Get() {
    static Page page;
    return page;
  }
  viewer::PageView& View() { return doc_->View(); }
  viewer::script::ScriptFrontEnd& Front() { return harness_.FrontEnd(); }
  CMarkupPageCollection& Collection() { return *Service.GetDocMarkupPageCollection(doc_); }
  std::vector<host::AVRect> rects;

 private:
  Page() {
    const std::string path = folder_.File("blocks.pdf");
    korvid::test::WriteOnePagePdf(path);
    harness_.AttachLinkedPlugin(&PIMain, &PIResources);
    doc_ = &harness_.Open(path);
    harness_.Host().SetActiveTool(harness_.Host().Tools().ByTypeName(kMarkupToolType), true);
    CMarkupPageCollection& page = Collection();
    for (int i = 0; i < kBlocks; ++i) {
      // 40 columns of 50 rows of 15 x 15 point blocks, overlapping their
      // neighbours a little as real mark-up does.
      const int left = 5 + (i % kColumns) * 15;
      const int top = 5 + (i / kColumns) * 15;
      const host::AVRect rect{left, top, left + 18, top + 18};
      auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, page.NewBlockID());
      block->PropertyList()->UpdateProperty("Name", std::string_view("Block " + std::to_string(i)));
      block->BlockRectFx(View().DeviceRectToPage(rect));
      page.AddBlock(block);
      if (i % 10 == 0) {
        block->Selected(page.SelectedGroup().GetSize() == 0);
        page.SelectedGroup().AddBlock(block);
      }
      rects.push_back(rect);
    }
  }

  korvid::testing::TempDir folder_;
  korvid::testing::HostHarness harness_;
  viewer::Document* doc_ = nullptr;
};

void BM_BaselineDrawingCalls(benchmark::State& state) {
  Page& page = Page::Get();
  std::vector<viewer::script::DrawOp> ops;
  const std::u16string name = u"Block 1000";
  for (auto _ : state) {
    ops.clear();
    for (std::size_t i = 0; i < page.rects.size(); ++i) {
      const host::AVRect& r = page.rects[i];
      ops.push_back({viewer::script::DrawOp::Kind::Color, {}, {32768, 32768, 32768}, {}});
      ops.push_back({viewer::script::DrawOp::Kind::Frame, r, {}, {}});
      if (i % 10 == 0) {
        for (int h = 0; h < 8; ++h) ops.push_back({viewer::script::DrawOp::Kind::Fill, r, {}, {}});
      }
      ops.push_back({viewer::script::DrawOp::Kind::Color, {}, {65535, 32768, 32768}, {}});
      ops.push_back({viewer::script::DrawOp::Kind::Fill, r, {}, {}});
      ops.push_back({viewer::script::DrawOp::Kind::Color, {}, {65535, 65535, 65535}, {}});
      ops.push_back({viewer::script::DrawOp::Kind::Text, r, {}, name});
    }
    benchmark::DoNotOptimize(ops.data());
  }
}

void BM_RedrawAll(benchmark::State& state) {
  Page& page = Page::Get();
  for (auto _ : state) {
    page.Front().PaintNow(page.View());
    benchmark::DoNotOptimize(page.Front().LastPass(page.View()).size());
  }
  // Colour, frame, colour, banner, colour, name: six calls a block at least.
  if (page.Front().LastPass(page.View()).size() < 6u * kBlocks) state.SkipWithError("not every block was drawn");
}

void BM_BaselinePointInRects(benchmark::State& state) {
  Page& page = Page::Get();
  int x = 0;
  for (auto _ : state) {
    int found = -1;
    x = (x + 7) % 600;
    for (std::size_t i = 0; i < page.rects.size(); ++i) {
      const host::AVRect& r = page.rects[i];
      if (r.left <= x && x <= r.right && r.top <= 300 && 300 <= r.bottom) found = static_cast<int>(i);
    }
    benchmark::DoNotOptimize(found);
  }
}

void BM_HitTest(benchmark::State& state) {
  Page& page = Page::Get();
  CMarkupPageCollection& collection = page.Collection();
  int x = 0;
  for (auto _ : state) {
    x = (x + 7) % 600;
    benchmark::DoNotOptimize(collection.GetClickedBlock(x, 300));
  }
}

BENCHMARK(BM_BaselineDrawingCalls)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselinePointInRects)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTest)->Unit(benchmark::kMicrosecond);

// Prints the ratios after the usual report.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      const double ns = run.GetAdjustedRealTime() * 1000.0;  // microseconds reported
      if (name == "BM_BaselineDrawingCalls") drawBaseline_ = ns;
      if (name == "BM_RedrawAll") {
        redraw_ = ns;
        redrawCpu_ = run.GetAdjustedCPUTime() * 1000.0;
      }
      if (name == "BM_BaselinePointInRects") hitBaseline_ = ns;
      if (name == "BM_HitTest") hit_ = ns;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (redraw_ > 0 && drawBaseline_ > 0) {
      std::cout << "RedrawAll, " << kBlocks << " blocks: " << redraw_ / 1e6 << " ms per pass ("
                << redraw_ / 1e6 / kFrameMs * 100 << " % of a 60 Hz frame; CPU time " << redrawCpu_ / 1e6
                << " ms); ratio to the bare drawing calls: " << redraw_ / drawBaseline_ << "\n";
    }
    if (hit_ > 0 && hitBaseline_ > 0) {
      std::cout << "hit test, " << kBlocks << " blocks: " << hit_ / 1e3 << " us; ratio to a loop over rectangles: "
                << hit_ / hitBaseline_ << "\n";
    }
  }

 private:
  double drawBaseline_ = 0, redraw_ = 0, redrawCpu_ = 0, hitBaseline_ = 0, hit_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
