// The rectangle of a rectangle drag while the pointer moves: which edges
// follow the pointer for each drag kind, the limit the rectangle stays in,
// and snapping to the page's edges.
#pragma once

#include <optional>

#include "host/AV.h"

namespace viewer::qt {

struct RectDragRule {
  host::AVRect start;
  host::AVDragType kind = host::kDragMove;
  std::optional<host::AVRect> limit;
  // Snapping: edges that come within kSnapDistance of the page's edges
  // jump onto them.
  bool snap = false;
  host::AVRect page;
};

inline constexpr int kSnapDistance = 4;

// Left below right, top below bottom.
host::AVRect NormalizedRect(const host::AVRect& rect);

// The rectangle when the pointer is (dx, dy) from where the button went
// down: kind 0 moves the whole rectangle; 1 to 4 move the top-left,
// top-right, bottom-right and bottom-left corners; 5 to 8 the top, right,
// bottom and left edges. A moved rectangle keeps its size inside the limit;
// a resized one has its moving edges stopped at it. The answer is
// normalized.
host::AVRect DraggedRect(const RectDragRule& rule, int dx, int dy);

}  // namespace viewer::qt
