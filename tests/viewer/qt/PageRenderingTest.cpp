// What a page view shows: the page rendered from the document's current
// state, the drawing procedures over it, passes that follow one another no
// faster than the screen refreshes, alerts of drawing procedures shown after
// the paint, and only the pages in view rendered.
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "host/PD.h"
#include "viewer/core/PageView.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/qt/PageRenderer.h"
#include "viewer/qt/QtTestSupport.h"

namespace korvid::qttest {
namespace {

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128) ++dark;
  return dark;
}

// The device rectangle of a page rectangle of the example's first page
// (612 x 792 points) at 100 %, as a viewport rectangle.
QRect OnScreen(viewer::qt::PageViewWidget& view, double left, double bottom, double right, double top) {
  const QPoint a = view.DeviceToViewport(QPoint(static_cast<int>(left), static_cast<int>(792 - top)));
  const QPoint b = view.DeviceToViewport(QPoint(static_cast<int>(right), static_cast<int>(792 - bottom)));
  return QRect(a, b - QPoint(1, 1));
}

class PageRendering : public ::testing::Test {
 protected:
  QtRig rig;
  viewer::Document& doc = rig.Open(ExamplePdf());
  viewer::qt::PageViewWidget& view = rig.PageView(doc);
};

TEST_F(PageRendering, ThePageIsRenderedOnWhiteWithItsFormFields) {
  const QImage shown = rig.Grab(doc);
  // The title, the filled-in text field ("Jane Doe"), plain paper, and the
  // grey around the page.
  EXPECT_GT(DarkPixels(shown, OnScreen(view, 72, 700, 400, 724)), 100);
  EXPECT_GT(DarkPixels(shown, OnScreen(view, 180, 590, 400, 610)), 30);
  EXPECT_EQ(shown.pixel(OnScreen(view, 450, 200, 460, 210).center()), qRgb(255, 255, 255));
  EXPECT_NE(shown.pixel(view.DeviceToViewport(QPoint(-4, 300))), qRgb(255, 255, 255));
}

TEST_F(PageRendering, AHiddenFieldDisappearsWhenTheViewPaintsAgain) {
  const QRect field = OnScreen(view, 180, 590, 400, 610);
  ASSERT_GT(DarkPixels(rig.Grab(doc), field), 30);
  host::PDAnnot name = doc.Pdf().AcquirePage(0)->GetAnnot(0);
  name.SetFlags(name.Flags() | 2);  // hidden
  doc.View().Invalidate(nullptr);
  EXPECT_EQ(DarkPixels(rig.Grab(doc), field), 0);
}

struct Painted {
  static void Proc(host::AVPageView* view, const host::AVRect*, void* data) {
    auto& self = *static_cast<Painted*>(data);
    ++self.passes;
    auto* surface = static_cast<viewer::DrawSurface*>(view->AcquirePlatformPort());
    surface->SetColor({65535, 0, 0});
    surface->FillRect(self.rect);
    surface->SetColor({0, 0, 65535});
    surface->FrameRect(self.frame);
    view->ReleasePlatformPort(surface);
    if (self.invalidateAgain) view->Invalidate(nullptr);
    if (self.alert) {
      self.alert = false;
      self.host->Viewer().AlertNote("drawn");
    }
  }
  host::AVRect rect{72, 107, 540, 117};   // over the rule under the title
  host::AVRect frame{100, 300, 200, 400};
  int passes = 0;
  bool invalidateAgain = false;
  bool alert = false;
  viewer::Host* host = nullptr;
};

TEST_F(PageRendering, DrawingProceduresPaintOverThePageInDeviceSpace) {
  Painted painted;
  rig.Host().DrawProcs().Register(&Painted::Proc, &painted);
  doc.View().Invalidate(nullptr);
  const QImage shown = rig.Grab(doc);
  EXPECT_GT(painted.passes, 0);
  EXPECT_EQ(shown.pixel(view.DeviceToViewport(QPoint(300, 112))), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(view.DeviceToViewport(QPoint(100, 350))), qRgb(0, 0, 255));   // left edge of the frame
  EXPECT_EQ(shown.pixel(view.DeviceToViewport(QPoint(199, 350))), qRgb(0, 0, 255));   // its right edge, inside
  EXPECT_EQ(shown.pixel(view.DeviceToViewport(QPoint(150, 350))), qRgb(255, 255, 255));
  rig.Host().DrawProcs().Unregister(&Painted::Proc);
}

TEST_F(PageRendering, AViewThatInvalidatesItselfIsPaintedAboutSixtyTimesASecond) {
  Painted painted;
  painted.invalidateAgain = true;
  rig.Host().DrawProcs().Register(&Painted::Proc, &painted);
  doc.View().Invalidate(nullptr);
  QTest::qWait(500);
  rig.Host().DrawProcs().Unregister(&Painted::Proc);
  EXPECT_GT(painted.passes, 5);   // it goes on by itself...
  EXPECT_LT(painted.passes, 45);  // ...but does not spin
}

TEST_F(PageRendering, AnAlertOfADrawingProcedureIsShownAfterThePaint) {
  Painted painted;
  painted.alert = true;
  painted.host = &rig.Host();
  bool shownWhilePainting = true;
  Person person;
  person.Then([] { return ActiveMessageBox() != nullptr; },
              [&] {
                shownWhilePainting = rig.Front().Painting();
                ActiveMessageBox()->accept();
              });
  rig.Host().DrawProcs().Register(&Painted::Proc, &painted);
  doc.View().Invalidate(nullptr);
  ASSERT_TRUE(WaitUntil([&] { return person.Done(); }));
  EXPECT_FALSE(shownWhilePainting);
  EXPECT_EQ(rig.Front().AlertTexts(), std::vector<std::string>{"drawn"});
  rig.Host().DrawProcs().Unregister(&Painted::Proc);
}

TEST_F(PageRendering, AnExtremeZoomIsShownFromImagesOfBoundedSize) {
  doc.View().SetContinuous(true);
  doc.View().SetZoomFactor(5000);
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
  const QImage shown = rig.Grab(doc);
  EXPECT_FALSE(shown.isNull());
  EXPECT_LE(view.Renderer().PixelsHeld(),
            viewer::qt::PageRenderer::kPixelLimit * (1 + viewer::qt::PageRenderer::kReserve));
}

TEST_F(PageRendering, ContinuousScrollingRendersOnlyThePagesInViewAndFollowsTheCurrentPage) {
  doc.View().SetContinuous(true);
  Settle();
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum());
  Settle();
  EXPECT_EQ(doc.View().GetPageNum(), 2);
  for (int page : view.PagesInView()) EXPECT_GE(page, 1);
  EXPECT_LE(view.Renderer().ImagesHeld(), 3 + viewer::qt::PageRenderer::kReserve);
  // The menus' page commands scroll the view to the page.
  doc.View().GoToPage(0);
  Settle();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(doc.View().GetPageNum(), 0);
}

TEST_F(PageRendering, AClickOnAnotherPageOfAContinuousViewMakesItCurrentFirst) {
  doc.View().SetContinuous(true);
  doc.View().SetZoomFactor(0.4);
  Settle();
  RecordingTool tool(rig.Host(), "Recorder");
  const QPoint canvasToViewport =
      view.DeviceToViewport(QPoint(0, 0)) - view.Canvas().PageRect(doc.View().GetPageNum()).topLeft();
  const QRect second = view.Canvas().PageRect(1).translated(canvasToViewport);
  ASSERT_TRUE(view.viewport()->rect().contains(second.topLeft() + QPoint(20, 30)));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, second.topLeft() + QPoint(20, 30));
  EXPECT_EQ(doc.View().GetPageNum(), 1);
  ASSERT_EQ(tool.events.size(), 1u);
  EXPECT_NEAR(tool.events[0].x, 20, 1);  // relative to the page clicked
  EXPECT_NEAR(tool.events[0].y, 30, 1);
}

}  // namespace
}  // namespace korvid::qttest
