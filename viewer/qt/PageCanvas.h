// Where pages sit on a page view's canvas: one page (single-page layout) or
// every page one below the other (continuous layout), centred, with a gap
// around each. The canvas is what the scroll bars move over.
#pragma once

#include <vector>

#include <QRect>
#include <QSize>

namespace viewer::qt {

class PageCanvas {
 public:
  static constexpr int kGap = 8;

  // sizes: each page as displayed, in device pixels. shown: the one page of
  // the single-page layout (ignored when continuous).
  void Lay(const std::vector<QSize>& sizes, bool continuous, int shown);

  QSize Size() const { return size_; }
  bool Continuous() const { return continuous_; }
  int NumPages() const { return static_cast<int>(rects_.size()); }
  // The page's place on the canvas; empty for a page the layout does not show.
  QRect PageRect(int page) const;
  // Pages that meet the area, in order.
  std::vector<int> PagesIn(const QRect& area) const;
  // The page under a canvas point, or the nearest one above it; -1 when none.
  int PageAt(const QPoint& point) const;
  // The page that fills most of the area; -1 when none is in it.
  int MostVisible(const QRect& area) const;

 private:
  std::vector<QRect> rects_;
  QSize size_;
  bool continuous_ = false;
  int shown_ = -1;
};

}  // namespace viewer::qt
