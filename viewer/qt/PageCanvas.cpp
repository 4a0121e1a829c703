#include "viewer/qt/PageCanvas.h"

#include <algorithm>

namespace viewer::qt {

void PageCanvas::Lay(const std::vector<QSize>& sizes, bool continuous, int shown) {
  continuous_ = continuous;
  shown_ = shown;
  rects_.assign(sizes.size(), QRect());
  int width = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i)
    if (continuous || static_cast<int>(i) == shown) width = std::max(width, sizes[i].width());
  width += 2 * kGap;
  int y = kGap;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (!continuous && static_cast<int>(i) != shown) continue;
    const QSize page = sizes[i];
    rects_[i] = QRect(QPoint((width - page.width()) / 2, y), page);
    y += page.height() + kGap;
  }
  size_ = QSize(width, y);
}

QRect PageCanvas::PageRect(int page) const {
  if (page < 0 || page >= NumPages()) return {};
  return rects_[static_cast<std::size_t>(page)];
}

std::vector<int> PageCanvas::PagesIn(const QRect& area) const {
  std::vector<int> pages;
  if (!continuous_) {
    if (PageRect(shown_).intersects(area)) pages.push_back(shown_);
    return pages;
  }
  // Pages go down the canvas in order: find the first that reaches the area.
  const auto first = std::lower_bound(rects_.begin(), rects_.end(), area.top(),
                                      [](const QRect& r, int top) { return r.bottom() < top; });
  for (auto it = first; it != rects_.end() && it->top() <= area.bottom(); ++it) {
    if (it->intersects(area)) pages.push_back(static_cast<int>(it - rects_.begin()));
  }
  return pages;
}

int PageCanvas::PageAt(const QPoint& point) const {
  if (!continuous_) return PageRect(shown_).isEmpty() ? -1 : shown_;
  const auto below = std::upper_bound(rects_.begin(), rects_.end(), point.y(),
                                      [](int y, const QRect& r) { return y < r.top() - kGap; });
  return below == rects_.begin() ? -1 : static_cast<int>(below - rects_.begin()) - 1;
}

int PageCanvas::MostVisible(const QRect& area) const {
  int best = -1;
  long long bestArea = 0;
  for (int page : PagesIn(area)) {
    const QRect seen = rects_[static_cast<std::size_t>(page)].intersected(area);
    const long long seenArea = static_cast<long long>(seen.width()) * seen.height();
    if (seenArea > bestArea) {
      bestArea = seenArea;
      best = page;
    }
  }
  return best;
}

}  // namespace viewer::qt
