// The front end's small rules: rectangles of drags of every kind, limits
// and snapping; where pages sit on the canvas; file filters; shortcuts;
// cursors; the painter surface's outlines.
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "viewer/qt/Choosers.h"
#include "viewer/qt/Cursors.h"
#include "viewer/qt/MenuView.h"
#include "viewer/qt/PageCanvas.h"
#include "viewer/qt/PainterSurface.h"
#include "viewer/qt/RectDrag.h"

namespace viewer::qt {
namespace {

TEST(RectDrag, EachKindMovesItsEdgesWithThePointer) {
  const host::AVRect start{100, 100, 200, 150};
  const struct {
    host::AVDragType kind;
    host::AVRect expected;
  } cases[] = {
      {host::kDragMove, {110, 95, 210, 145}},       {host::kDragTopLeft, {110, 95, 200, 150}},
      {host::kDragTopRight, {100, 95, 210, 150}},   {host::kDragBottomRight, {100, 100, 210, 145}},
      {host::kDragBottomLeft, {110, 100, 200, 145}}, {host::kDragTop, {100, 95, 200, 150}},
      {host::kDragRight, {100, 100, 210, 150}},     {host::kDragBottom, {100, 100, 200, 145}},
      {host::kDragLeft, {110, 100, 200, 150}},
  };
  for (const auto& c : cases) {
    RectDragRule rule;
    rule.start = start;
    rule.kind = c.kind;
    EXPECT_EQ(DraggedRect(rule, 10, -5), c.expected) << "kind " << c.kind;
  }
}

TEST(RectDrag, ARectangleDraggedPastItsCornerComesOutNormalized) {
  RectDragRule rule;
  rule.start = {50, 50, 50, 50};  // a new rectangle from a point
  rule.kind = host::kDragBottomRight;
  EXPECT_EQ(DraggedRect(rule, -20, -30), (host::AVRect{30, 20, 50, 50}));
}

TEST(RectDrag, TheLimitKeepsAMovedRectangleWholeAndStopsMovingEdges) {
  RectDragRule rule;
  rule.start = {100, 100, 200, 150};
  rule.limit = host::AVRect{0, 0, 300, 300};
  rule.kind = host::kDragMove;
  EXPECT_EQ(DraggedRect(rule, 150, -120), (host::AVRect{200, 0, 300, 50}));
  rule.kind = host::kDragBottomRight;
  EXPECT_EQ(DraggedRect(rule, 150, 500), (host::AVRect{100, 100, 300, 300}));
}

TEST(RectDrag, SnappingPullsEdgesNearThePageOntoIt) {
  RectDragRule rule;
  rule.start = {100, 100, 200, 150};
  rule.snap = true;
  rule.page = {0, 0, 612, 792};
  rule.kind = host::kDragMove;
  EXPECT_EQ(DraggedRect(rule, -97, 10), (host::AVRect{0, 110, 100, 160}));   // 3 from the left edge
  EXPECT_EQ(DraggedRect(rule, -90, 10), (host::AVRect{10, 110, 110, 160}));  // 10 away: stays
  rule.kind = host::kDragRight;
  EXPECT_EQ(DraggedRect(rule, 410, 0), (host::AVRect{100, 100, 612, 150}));
  rule.snap = false;
  EXPECT_EQ(DraggedRect(rule, 410, 0), (host::AVRect{100, 100, 610, 150}));
}

TEST(PageCanvas, ContinuousPagesGoDownCentredAndSinglePageShowsOne) {
  PageCanvas canvas;
  const std::vector<QSize> sizes = {QSize(600, 800), QSize(800, 600), QSize(600, 800)};
  canvas.Lay(sizes, true, 0);
  const int g = PageCanvas::kGap;
  EXPECT_EQ(canvas.Size(), QSize(800 + 2 * g, 2200 + 4 * g));
  EXPECT_EQ(canvas.PageRect(0), QRect(100 + g, g, 600, 800));
  EXPECT_EQ(canvas.PageRect(1), QRect(g, 800 + 2 * g, 800, 600));
  EXPECT_EQ(canvas.PagesIn(QRect(0, 700, 900, 200)), (std::vector<int>{0, 1}));
  EXPECT_EQ(canvas.PageAt(QPoint(5, 800 + g + 1)), 1);  // in the gap above page 2
  EXPECT_EQ(canvas.MostVisible(QRect(0, 700, 900, 500)), 1);

  canvas.Lay(sizes, false, 2);
  EXPECT_EQ(canvas.Size(), QSize(600 + 2 * g, 800 + 2 * g));
  EXPECT_TRUE(canvas.PageRect(0).isEmpty());
  EXPECT_EQ(canvas.PageRect(2), QRect(g, g, 600, 800));
  EXPECT_EQ(canvas.PagesIn(QRect(0, 0, 100, 100)), std::vector<int>{2});
  EXPECT_EQ(canvas.PageAt(QPoint(50, 50)), 2);
}

TEST(Choosers, FiltersMatchExtensionsInEitherCase) {
  EXPECT_EQ(NameFiltersFor({{"PDF files", {"pdf"}}, {"Block files", {"mct", "MCT"}}, {"", {"*"}}}),
            (QStringList{"PDF files (*.pdf *.PDF)", "Block files (*.mct *.MCT)", "Files (*)"}));
  EXPECT_TRUE(NameFiltersFor({}).isEmpty());
}

TEST(Menus, ShortcutModifiersTwoAndThreeAreCtrlAndCtrlShift) {
  EXPECT_EQ(ShortcutOf('z', 2), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(ShortcutOf('z', 3), QKeySequence("Ctrl+Shift+Z"));
  EXPECT_EQ(ShortcutOf('=', 2), QKeySequence("Ctrl+="));
  EXPECT_TRUE(ShortcutOf(0, 2).isEmpty());
}

TEST(Cursors, HostNumbersHaveTheirShapes) {
  const std::pair<int, Qt::CursorShape> cases[] = {{0, Qt::ArrowCursor},       {33, Qt::SizeHorCursor},
                                                   {35, Qt::SizeVerCursor},    {1204, Qt::SizeFDiagCursor},
                                                   {1205, Qt::SizeBDiagCursor}, {1000, Qt::CrossCursor},
                                                   {4711, Qt::ArrowCursor}};
  for (const auto& [number, shape] : cases) EXPECT_EQ(StandardCursorShape(number), shape) << number;
}

TEST(PainterSurface, OutlinesLieInsideTheRectangleAndFillsCoverIt) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PainterSurface surface(painter);
    surface.SetColor({0, 0, 65535});
    surface.FrameRect({2, 2, 10, 8});
    surface.SetColor({65535, 0, 0});
    surface.FillRect({12, 12, 14, 15});
  }
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(9, 7), qRgb(0, 0, 255));   // right and bottom edges are inside
  EXPECT_EQ(image.pixel(10, 8), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(13, 14), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(14, 15), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace viewer::qt
