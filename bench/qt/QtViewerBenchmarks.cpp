// The desktop viewer on a 500-page document, offscreen:
//   first page:  from asking the host to open the file to the end of the
//                first paint of its page view (pages and drawing
//                procedures), vs Qt PDF alone loading the file and rendering
//                its first page at the same size (aim: 300 ms);
//   scrolling:   the continuous view scrolled through every page, a view
//                height at a time and painted at each step, vs Qt PDF alone
//                rendering every page once. Counters: the most pages in view
//                and the most pages rendered at one step (only pages in view
//                may be rendered), images held, and the resident memory
//                before and after (it must stay flat).
// The ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>
#include <QImage>
#include <QPdfDocument>
#include <QScrollBar>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "bench/RatioReporter.h"
#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageView.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/PageRenderer.h"
#include "viewer/qt/PageViewWidget.h"
#include "viewer/qt/QtFrontEnd.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPages = 500;

// 500 letter pages of text lines, a filled box and a rule each.
struct Fixture {
  fs::path folder;
  fs::path file;

  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "korvid-bench-qt-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    file = folder / "pages.pdf";
    QPDF qpdf;
    qpdf.emptyPDF();
    const QPDFObjectHandle font = qpdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    for (int page = 0; page < kPages; ++page) {
      std::string content = "BT /F1 24 Tf 72 720 Td (Page " + std::to_string(page + 1) + ") Tj ET\n";
      content += "0.9 0.5 0.2 rg 72 560 220 120 re f 0 g 0.5 w 72 540 m 540 540 l S\n";
      for (int line = 0; line < 30; ++line)
        content += "BT /F1 10 Tf 72 " + std::to_string(520 - 14 * line) +
                   " Td (The quick brown fox jumps over the lazy dog, line " + std::to_string(line) + ".) Tj ET\n";
      QPDFObjectHandle dict = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
      QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
      QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
      fonts.replaceKey("/F1", font);
      resources.replaceKey("/Font", fonts);
      dict.replaceKey("/Resources", resources);
      dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, content));
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

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The viewer with its Qt front end; plug-ins from the build's folder or none.
struct Viewer {
  explicit Viewer(bool withPlugins) {
    viewer::HostOptions options;
    options.language = "ENU";
    options.pluginDir = withPlugins ? KORVID_PLUGIN_DIR : "/nonexistent";
    host = std::make_unique<viewer::Host>(front, options);
    front.Attach(*host);
    host->LoadPlugins();
    front.RebuildNow();
  }
  ~Viewer() {
    front.Detach();
    host.reset();
    QCoreApplication::processEvents();
  }
  viewer::qt::QtFrontEnd front;
  std::unique_ptr<viewer::Host> host;
};

viewer::qt::PageViewWidget& ViewOf(Viewer& v, viewer::Document& doc) { return *v.front.WindowOf(&doc)->PageViewArea(); }

void BM_Baseline_QtPdfFirstPage(benchmark::State& state) {
  const QString file = QString::fromStdString(TheFixture().file.string());
  for (auto _ : state) {
    QPdfDocument doc;
    doc.load(file);
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    benchmark::DoNotOptimize(doc.render(0, QSize(612, 792), options));
  }
}

void BM_FirstPagePainted(benchmark::State& state) {
  Viewer v(state.range(0) != 0);
  for (auto _ : state) {
    const auto start = Clock::now();
    viewer::Document& doc = v.host->Documents().Open(TheFixture().file.string(), true);
    viewer::qt::PageViewWidget& view = ViewOf(v, doc);
    while (view.Passes() == 0) QCoreApplication::processEvents(QEventLoop::AllEvents);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    v.host->Documents().Close(doc, true);
    QCoreApplication::processEvents();
  }
}

void BM_Baseline_QtPdfRendersEveryPage(benchmark::State& state) {
  QPdfDocument doc;
  doc.load(QString::fromStdString(TheFixture().file.string()));
  QPdfDocumentRenderOptions options;
  options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
  for (auto _ : state)
    for (int page = 0; page < kPages; ++page) benchmark::DoNotOptimize(doc.render(page, QSize(612, 792), options));
}

void BM_ScrollThroughEveryPage(benchmark::State& state) {
  Viewer v(false);
  viewer::Document& doc = v.host->Documents().Open(TheFixture().file.string(), true);
  doc.View().SetContinuous(true);
  viewer::qt::PageViewWidget& view = ViewOf(v, doc);
  QCoreApplication::processEvents();
  QScrollBar* bar = view.verticalScrollBar();
  int mostInView = 0, mostRenderedAtOnce = 0, mostHeld = 0;
  double rssBefore = 0, rssAfter = 0;
  for (auto _ : state) {
    bar->setValue(0);
    view.viewport()->repaint();
    rssBefore = ResidentMegabytes();
    for (int top = 0; top <= bar->maximum(); top += bar->pageStep()) {
      const int before = view.Renderer().RenderCount();
      bar->setValue(top);
      view.viewport()->repaint();
      const int inView = static_cast<int>(view.PagesInView().size());
      mostInView = std::max(mostInView, inView);
      mostRenderedAtOnce = std::max(mostRenderedAtOnce, view.Renderer().RenderCount() - before);
      mostHeld = std::max(mostHeld, view.Renderer().ImagesHeld());
      if (view.Renderer().RenderCount() - before > inView) state.SkipWithError("a page out of view was rendered");
    }
    rssAfter = ResidentMegabytes();
  }
  state.counters["pages_in_view_max"] = mostInView;
  state.counters["rendered_at_once_max"] = mostRenderedAtOnce;
  state.counters["images_held_max"] = mostHeld;
  state.counters["rss_before_MB"] = rssBefore;
  state.counters["rss_after_MB"] = rssAfter;
  state.counters["current_page"] = doc.View().GetPageNum() + 1;
}

BENCHMARK(BM_Baseline_QtPdfFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPagePainted)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QtPdfRendersEveryPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScrollThroughEveryPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TheFixture();
  korvid::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("first page painted (no plug-ins):", "BM_FirstPagePainted/0/manual_time",
             "BM_Baseline_QtPdfFirstPage");
  reporter.PrintRatio("first page painted (build's plug-ins):", "BM_FirstPagePainted/1/manual_time",
             "BM_Baseline_QtPdfFirstPage");
  reporter.PrintRatio("scrolling through every page:", "BM_ScrollThroughEveryPage/iterations:3",
             "BM_Baseline_QtPdfRendersEveryPage/iterations:3");
  benchmark::Shutdown();
  return 0;
}
