// Device rectangle helpers of the service object. Sums and differences of
// device coordinates are taken in 64 bits so that rectangles far out at
// high zoom cannot overflow.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "blocktool/model/Service.h"

namespace {

using Wide = std::int64_t;

host::AVDevCoord Clamp(Wide v) {
  return static_cast<host::AVDevCoord>(std::clamp<Wide>(v, std::numeric_limits<host::AVDevCoord>::min(),
                                                         std::numeric_limits<host::AVDevCoord>::max()));
}

Wide Distance(host::AVDevCoord a, host::AVDevCoord b) {
  const Wide d = Wide{b} - Wide{a};
  return d < 0 ? -d : d;
}

}  // namespace

void CService::OffsetRect(host::AVRect& rect, std::int64_t dx, std::int64_t dy) {
  rect.left = Clamp(rect.left + dx);
  rect.right = Clamp(rect.right + dx);
  rect.top = Clamp(rect.top + dy);
  rect.bottom = Clamp(rect.bottom + dy);
}

bool CService::PointInRect(const host::AVRect& rect, std::int64_t x, std::int64_t y) {
  return std::min(rect.left, rect.right) <= x && x <= std::max(rect.left, rect.right) &&
         std::min(rect.top, rect.bottom) <= y && y <= std::max(rect.top, rect.bottom);
}

bool CService::EqualRect(const host::AVRect& a, const host::AVRect& b, int tolerance) {
  return Distance(a.left, b.left) <= tolerance && Distance(a.top, b.top) <= tolerance &&
         Distance(a.right, b.right) <= tolerance && Distance(a.bottom, b.bottom) <= tolerance;
}

bool CService::RectOverlaps(const host::AVRect& a, const host::AVRect& b, int tolerance) {
  return Wide{a.left} <= Wide{b.right} + tolerance && Wide{a.right} >= Wide{b.left} - tolerance &&
         Wide{a.top} <= Wide{b.bottom} + tolerance && Wide{a.bottom} >= Wide{b.top} - tolerance;
}

bool CService::RectInside(const host::AVRect& outer, const host::AVRect& inner, int tolerance) {
  return PointInRect(outer, Wide{inner.left} + tolerance, Wide{inner.top} + tolerance) &&
         PointInRect(outer, Wide{inner.right} - tolerance, Wide{inner.bottom} - tolerance);
}

host::AVRect CService::UnionRect(const host::AVRect& a, const host::AVRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
