#include "viewer/qt/RectDrag.h"

#include <algorithm>
#include <cstdlib>

namespace viewer::qt {

namespace {

struct MovingEdges {
  bool left = false, top = false, right = false, bottom = false;
};

MovingEdges EdgesOf(host::AVDragType kind) {
  switch (kind) {
    case host::kDragMove:
      return {true, true, true, true};
    case host::kDragTopLeft:
      return {true, true, false, false};
    case host::kDragTopRight:
      return {false, true, true, false};
    case host::kDragBottomRight:
      return {false, false, true, true};
    case host::kDragBottomLeft:
      return {true, false, false, true};
    case host::kDragTop:
      return {false, true, false, false};
    case host::kDragRight:
      return {false, false, true, false};
    case host::kDragBottom:
      return {false, false, false, true};
    case host::kDragLeft:
      return {true, false, false, false};
  }
  return {};
}

// How far a value must move to land on one of two targets within reach; 0
// when neither is.
int SnapShift(int value, int low, int high) {
  if (std::abs(value - low) <= kSnapDistance) return low - value;
  if (std::abs(value - high) <= kSnapDistance) return high - value;
  return 0;
}

void ShiftInside(host::AVRect& r, const host::AVRect& limit) {
  const host::AVRect l = NormalizedRect(limit);
  const int dx = r.left < l.left ? l.left - r.left : (r.right > l.right ? std::max(l.right - r.right, l.left - r.left) : 0);
  const int dy = r.top < l.top ? l.top - r.top : (r.bottom > l.bottom ? std::max(l.bottom - r.bottom, l.top - r.top) : 0);
  r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void ClampEdges(host::AVRect& r, const host::AVRect& limit, const MovingEdges& moving) {
  const host::AVRect l = NormalizedRect(limit);
  if (moving.left) r.left = std::clamp(r.left, l.left, l.right);
  if (moving.right) r.right = std::clamp(r.right, l.left, l.right);
  if (moving.top) r.top = std::clamp(r.top, l.top, l.bottom);
  if (moving.bottom) r.bottom = std::clamp(r.bottom, l.top, l.bottom);
}

void Snap(host::AVRect& r, const host::AVRect& page, const MovingEdges& moving, bool whole) {
  const host::AVRect p = NormalizedRect(page);
  if (whole) {
    // A moved rectangle snaps by whichever of its edges is nearer an edge.
    int dx = SnapShift(r.left, p.left, p.right);
    if (dx == 0) dx = SnapShift(r.right, p.left, p.right);
    int dy = SnapShift(r.top, p.top, p.bottom);
    if (dy == 0) dy = SnapShift(r.bottom, p.top, p.bottom);
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    return;
  }
  if (moving.left) r.left += SnapShift(r.left, p.left, p.right);
  if (moving.right) r.right += SnapShift(r.right, p.left, p.right);
  if (moving.top) r.top += SnapShift(r.top, p.top, p.bottom);
  if (moving.bottom) r.bottom += SnapShift(r.bottom, p.top, p.bottom);
}

}  // namespace

host::AVRect NormalizedRect(const host::AVRect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

host::AVRect DraggedRect(const RectDragRule& rule, int dx, int dy) {
  const MovingEdges moving = EdgesOf(rule.kind);
  const bool whole = rule.kind == host::kDragMove;
  host::AVRect r = rule.start;
  if (moving.left) r.left += dx;
  if (moving.right) r.right += dx;
  if (moving.top) r.top += dy;
  if (moving.bottom) r.bottom += dy;
  if (rule.snap) Snap(r, rule.page, moving, whole);
  if (rule.limit) {
    if (whole) ShiftInside(r, *rule.limit);
    else ClampEdges(r, *rule.limit, moving);
  }
  return NormalizedRect(r);
}

}  // namespace viewer::qt
