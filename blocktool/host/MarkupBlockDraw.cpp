#include "blocktool/host/MarkupBlockDraw.h"

#include <cstdint>

#include "blocktool/model/MarkupBlock.h"
#include "blocktool/model/Service.h"

namespace {

host::AVDevCoord Clamp(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<host::AVDevCoord>(v);
}

host::AVRect Handle(std::int64_t left, std::int64_t top) {
  const std::int64_t size = CMarkupBlockDraw::kHandleSize;
  return {Clamp(left), Clamp(top), Clamp(left + size), Clamp(top + size)};
}

}  // namespace

void CMarkupBlockDraw::ValidateBlockAVRect() {
  if (host::AVPageView* view = block_.PageView()) block_.SetDeviceRect(view->RectToDevice(block_.BlockRectFx()));
  PlaceHandles(block_.StoredBlockRect());
}

void CMarkupBlockDraw::PlaceHandles(const host::AVRect& rect) {
  const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  const std::int64_t size = kHandleSize;
  const std::int64_t middleX = (l + r - size) / 2;
  const std::int64_t middleY = (t + b - size) / 2;
  handles_ = {Handle(l, t),        Handle(middleX, t),        Handle(r - size, t),
              Handle(r - size, middleY), Handle(r - size, b - size), Handle(middleX, b - size),
              Handle(l, b - size), Handle(l, middleY)};
}

int CMarkupBlockDraw::GetSelectedCursorPos(host::AVDevCoord x, host::AVDevCoord y) {
  ValidateBlockAVRect();
  if (!CService::PointInRect(block_.StoredBlockRect(), x, y)) return -1;
  for (int i = 0; i < kHandleCount; ++i) {
    if (CService::PointInRect(handles_[i], x, y)) return i;
  }
  return kInsideBlock;
}
