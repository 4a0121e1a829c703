// Clicks, drags and keys on a page view reach the active tool in the
// current page's device space. The rule under the title of the example's
// first page (page y 680, x 72 to 540) is found in what the view shows, and
// the tool must be told the device point the rule has at that zoom and
// rotation: what a person clicks on is what the tool hears about.
#include <optional>

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "viewer/core/PageView.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/qt/QtTestSupport.h"

namespace korvid::qttest {
namespace {

viewer::Host* gHost = nullptr;

constexpr double kRuleY = 680;       // page space
constexpr double kRuleLeft = 72;

struct Line {
  QPoint start;  // viewport pixels
  int length = 0;
};

bool Dark(QRgb pixel) { return qGray(pixel) < 200; }

// Where the paper is: the box around the white pixels.
QRect Paper(const QImage& image) {
  QRect paper;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 255, 255)) paper |= QRect(x, y, 1, 1);
  return paper.adjusted(1, 1, -1, -1);
}

// The longest run of dark pixels on the paper along rows (horizontal) or columns.
std::optional<Line> LongestLine(const QImage& image, bool horizontal) {
  std::optional<Line> best;
  const QRect paper = Paper(image);
  const int lines = horizontal ? paper.height() : paper.width();
  const int length = horizontal ? paper.width() : paper.height();
  const auto at = [&](int line, int i) {
    return horizontal ? QPoint(paper.left() + i, paper.top() + line) : QPoint(paper.left() + line, paper.top() + i);
  };
  for (int l = 0; l < lines; ++l) {
    int run = 0;
    for (int i = 0; i <= length; ++i) {
      if (i < length && Dark(image.pixel(at(l, i)))) {
        ++run;
        continue;
      }
      if (run > 0 && (!best || run > best->length)) best = Line{at(l, i - run), run};
      run = 0;
    }
  }
  return best;
}

struct ViewCase {
  double zoom;
  int rotation;
};

class PageViewInput : public ::testing::TestWithParam<ViewCase> {
 protected:
  QtRig rig;
  viewer::Document& doc = rig.Open(ExamplePdf());
  RecordingTool tool{rig.Host(), "Recorder"};

  void SetUp() override {
    doc.View().SetZoomFactor(GetParam().zoom);
    doc.View().SetRotation(GetParam().rotation);
    Settle();
  }
  QWidget* Viewport() { return rig.PageView(doc).viewport(); }
  // Where the rule starts on screen, with a point a little way along it.
  QPoint OnTheRule() {
    const bool horizontal = GetParam().rotation == 0;
    const std::optional<Line> rule = LongestLine(rig.Grab(doc), horizontal);
    EXPECT_TRUE(rule && rule->length > 300 * GetParam().zoom) << "the rule is not shown";
    if (!rule) return {};
    return rule->start + (horizontal ? QPoint(10, 0) : QPoint(0, 10));
  }
};

TEST_P(PageViewInput, AClickReachesTheToolWhereThePageShowsIt) {
  const QPoint at = OnTheRule();
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
  ASSERT_EQ(tool.events.size(), 1u);
  const RecordingTool::Event& click = tool.events[0];
  EXPECT_EQ(click.what, "click");
  EXPECT_EQ(click.modifiers, 0x01);
  EXPECT_EQ(click.count, 1);
  EXPECT_NEAR(click.pageY, kRuleY, 1.5);
  EXPECT_NEAR(click.pageX, kRuleLeft + 10 / GetParam().zoom, 1.5);
  // The device point of the rule at this zoom and rotation.
  const double zoom = GetParam().zoom;
  if (GetParam().rotation == 0) {
    EXPECT_NEAR(click.x, kRuleLeft * zoom + 10, 2);
    EXPECT_NEAR(click.y, (792 - kRuleY) * zoom, 2);
  } else {
    EXPECT_NEAR(click.x, kRuleY * zoom, 2);
    EXPECT_NEAR(click.y, kRuleLeft * zoom + 10, 2);
  }
}

TEST_P(PageViewInput, ADragEndsWhereThePointerIsReleased) {
  const QPoint at = OnTheRule();
  Person person;
  person.Then([&] { return rig.Front().ActiveDrag() != nullptr; },
              [&] {
                QTest::mouseMove(Viewport(), at + QPoint(40, 20));
                QTest::mouseMove(Viewport(), at + QPoint(100, 50));
                QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::AltModifier, at + QPoint(100, 50));
              });
  tool.dragWhenDown = true;
  tool.snapped = true;
  QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_TRUE(person.Done());
  ASSERT_EQ(tool.events.size(), 1u);
  EXPECT_TRUE(tool.events[0].buttonDown);
  ASSERT_EQ(tool.drags.size(), 1u);
  const host::AVRect r = tool.drags[0].rect;
  const int x = tool.events[0].x, y = tool.events[0].y;
  EXPECT_EQ(r, (host::AVRect{x, y, x + 100, y + 50}));
  EXPECT_EQ(tool.drags[0].modifiers, 0x08);  // Alt at release
  EXPECT_FALSE(rig.Front().IsMouseButtonDown());
}

INSTANTIATE_TEST_SUITE_P(ZoomAndRotation, PageViewInput,
                         ::testing::Values(ViewCase{1.0, 0}, ViewCase{2.0, 0}, ViewCase{1.0, 90}),
                         [](const auto& info) {
                           return "zoom" + std::to_string(static_cast<int>(info.param.zoom * 100)) + "_rotation" +
                                  std::to_string(info.param.rotation);
                         });

class PageViewKeys : public ::testing::Test {
 protected:
  QtRig rig;
  viewer::Document& doc = rig.Open(ExamplePdf());
  RecordingTool tool{rig.Host(), "Recorder"};
};

TEST_F(PageViewKeys, KeysReachTheToolAsTheirCodes) {
  QWidget* view = &rig.PageView(doc);
  view->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int code;
    int bits;
  } cases[] = {{Qt::Key_Return, {}, 3, 0},        {Qt::Key_Enter, Qt::KeypadModifier, 3, 0},
               {Qt::Key_Backspace, {}, 8, 0},     {Qt::Key_Delete, {}, 8, 0},
               {Qt::Key_Tab, {}, 9, 0},           {Qt::Key_Backtab, Qt::ShiftModifier, 9, 0x01},
               {Qt::Key_Left, {}, 28, 0},         {Qt::Key_Right, {}, 29, 0},
               {Qt::Key_Up, Qt::AltModifier, 30, 0x08}, {Qt::Key_Down, Qt::ControlModifier, 31, 0x08},
               {Qt::Key_Space, {}, 32, 0},        {Qt::Key_D, {}, 'd', 0}};
  for (const auto& c : cases) {
    tool.events.clear();
    QTest::keyClick(view, c.key, c.modifiers);
    ASSERT_EQ(tool.events.size(), 1u) << c.code;
    EXPECT_EQ(tool.events[0].x, c.code);
    EXPECT_EQ(tool.events[0].modifiers, c.bits) << c.code;
  }
}

TEST_F(PageViewKeys, ADoubleClickCountsTwoAndARightClickGoesToTheRightClickHandler) {
  QWidget* viewport = rig.PageView(doc).viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
  QTest::mouseClick(viewport, Qt::RightButton, Qt::ControlModifier, QPoint(210, 220));
  ASSERT_EQ(tool.events.size(), 3u);
  EXPECT_EQ(tool.events[1].count, 2);
  EXPECT_EQ(tool.events[2].what, "right-click");
  EXPECT_EQ(tool.events[2].modifiers, 0x08);
  EXPECT_EQ(tool.events[2].x - tool.events[0].x, 10);
  EXPECT_EQ(tool.events[2].y - tool.events[0].y, 20);
}

TEST_F(PageViewKeys, APlugInsCursorShowsOverThePageWithItsHotSpot) {
  const host::ExtensionID module = viewer::testing::FakeModule(5);
  rig.Host().Resources().AddModule(module, viewer::testing::MakeBlob({{"cursors/128.xpm", R"(/* XPM */
static const char *move[] = {
"8 8 2 1 3 5",
". c None",
"# c #000000",
"########", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#", "########"
};
)"}}));
  static host::AVCursor cursor;
  cursor = rig.Host().Viewer().LoadCursorResource(module, 128);
  host::AVToolRec rec;
  rec.AdjustCursor = [](host::AVToolRec*, host::AVPageView*, host::AVDevCoord, host::AVDevCoord) {
    gHost->Viewer().SetCursor(cursor);
    return true;
  };
  static const host::ASAtom type = rig.Host().Atoms().Intern("Cursors");
  rec.GetType = [](host::AVToolRec*) { return type; };
  gHost = &rig.Host();
  rig.Host().Tools().Register(&rec);
  rig.Host().SetActiveTool(&rec, true);
  QWidget* viewport = rig.PageView(doc).viewport();
  QMouseEvent move(QEvent::MouseMove, QPointF(100, 100), viewport->mapToGlobal(QPointF(100, 100)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &move);
  EXPECT_EQ(viewport->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(viewport->cursor().hotSpot(), QPoint(3, 5));
  rig.Host().SetActiveTool(rig.Host().Tools().Default(), true);
  QCoreApplication::sendEvent(viewport, &move);
  EXPECT_EQ(viewport->cursor().shape(), Qt::OpenHandCursor);  // the hand tool's own
}

}  // namespace
}  // namespace korvid::qttest
