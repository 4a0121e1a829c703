// The example page on a real X server (Xvfb), with a drawing procedure's
// block frames and banner over it, as a person sees it: the screen is
// grabbed, checked at known places and written to the build folder
// (screenshots/example-page.png) for a person to look at. The test runs
// itself again under xvfb-run; without xvfb-run it is skipped.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "viewer/core/PageView.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/QtTestSupport.h"

namespace korvid::qttest {
namespace {

constexpr const char* kUnderXvfb = "KORVID_UNDER_XVFB";

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    if (std::filesystem::exists(std::filesystem::path(folders.substr(start, end - start)) / program)) return true;
    start = end + 1;
  }
  return false;
}

// A block as the block tool draws it: a frame and a banner with the name.
struct Block {
  static void Draw(host::AVPageView* view, const host::AVRect*, void* data) {
    const Block& block = *static_cast<Block*>(data);
    auto* surface = static_cast<viewer::DrawSurface*>(view->AcquirePlatformPort());
    surface->SetColor({65535, 0, 65535});
    surface->FrameRect(block.rect);
    const int width = surface->TextWidth(block.name);
    const host::AVRect banner{block.rect.left + 2, block.rect.top + 2, block.rect.left + 2 + width + 5,
                              block.rect.top + 2 + surface->FontHeight() + 2};
    surface->SetColor({65535, 32768, 32768});
    surface->FillRect(banner);
    surface->SetColor({65535, 65535, 65535});
    surface->DrawText({banner.left + 3, banner.top + 3, banner.right, banner.bottom}, block.name);
    view->ReleasePlatformPort(surface);
  }
  host::AVRect rect;
  std::u16string name;
};

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& wanted) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y) && wanted(image.pixel(x, y))) ++count;
  return count;
}

TEST(Screenshot, TheExamplePageWithABlockOverIt) {
  if (!std::getenv(kUnderXvfb)) {
    if (!OnPath("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = std::string(kUnderXvfb) + "=1 QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' '" +
                                self + "' --gtest_filter='Screenshot.*'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    return;
  }
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  QtRig rig;
  viewer::Document& doc = rig.Open(ExamplePdf());
  Block heading{{60, 80, 400, 130}, u"Headline"};
  rig.Host().DrawProcs().Register(&Block::Draw, &heading);
  viewer::qt::MainWindow& window = *rig.Front().WindowOf(&doc);
  window.raise();
  doc.View().Invalidate(nullptr);
  QTest::qWait(300);
  Settle();

  viewer::qt::PageViewWidget& view = rig.PageView(doc);
  const QImage shot = QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
  const QString folder = KORVID_BINARY_DIR "/screenshots";
  QDir().mkpath(folder);
  EXPECT_TRUE(shot.save(folder + "/example-page.png"));

  const QPoint origin = view.viewport()->mapTo(&window, view.DeviceToViewport(QPoint(0, 0)));
  const auto at = [&](int x, int y) { return shot.pixel(origin + QPoint(x, y)); };
  // Page content: the title's letters below the banner, paper beside them.
  EXPECT_GT(CountPixels(shot, QRect(origin + QPoint(72, 70), QSize(300, 26)).translated(0, 0),
                        [](QRgb p) { return qGray(p) < 100; }),
            100);
  EXPECT_EQ(at(580, 400), qRgb(255, 255, 255));
  // The block's frame and its banner with the name in white.
  EXPECT_EQ(at(60, 110), qRgb(255, 0, 255));
  EXPECT_EQ(at(399, 129), qRgb(255, 0, 255));
  EXPECT_EQ(at(63, 83), qRgb(255, 128, 128));
  const QRect banner(origin + QPoint(62, 82), QSize(60, 14));
  EXPECT_GT(CountPixels(shot, banner, [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240; }), 20);
  rig.Host().DrawProcs().Unregister(&Block::Draw);
}

}  // namespace
}  // namespace korvid::qttest
