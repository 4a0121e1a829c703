#include "dialogframework/ResizableControl.h"

#include <algorithm>

CResizableControl::CResizableControl(CResizableDlg& owner, host::ADMItem* item, ControlResizeType type, bool free,
                                     const host::ADMRect& dialogInitialRect)
    : free_(free),
      item_(item),
      initialRect_(item->GetBoundsRect()),
      dialogInitialRect_(dialogInitialRect),
      type_(type),
      owner_(owner) {}

namespace {

// One edge pair (left/right or top/bottom) under the stretch rule: the far
// edge follows the dialog's growth; without growth the control gets back
// its initial extent when it sits at its initial near edge.
void Stretch(int growth, int initialNear, int initialFar, int near, int& far) {
  if (growth != 0) far = initialFar + growth;
  else if (near == initialNear && far != initialFar) far = near + initialFar - initialNear;
}

void Shift(int offset, int& near, int& far) {
  const int extent = far - near;
  near = offset;
  far = offset + extent;
}

}  // namespace

void CResizableControl::ResizeControl(const host::ADMRect& dialogRect) {
  const host::ADMRect& i = initialRect_;
  const host::ADMRect& d = dialogInitialRect_;
  const host::ADMRect current = item_->GetBoundsRect();
  host::ADMRect c = current;
  const int dx = dialogRect.right - d.right;
  const int dy = dialogRect.bottom - d.bottom;

  if ((type_ & ResizeFollowLeft) && dialogRect.left != d.left) c.left = dialogRect.left + i.left - d.left;
  if ((type_ & ResizeFollowTop) && dialogRect.top != d.top) c.top = dialogRect.top + i.top - d.top;
  if (type_ & ResizeStretchRight) Stretch(dx, i.left, i.right, c.left, c.right);
  if (type_ & ResizeStretchBottom) Stretch(dy, i.top, i.bottom, c.top, c.bottom);
  if (type_ & ResizeShiftRight) Shift(i.left + dx, c.left, c.right);
  if (type_ & ResizeShiftHalfRight) Shift(i.left + dx / 2, c.left, c.right);
  if (type_ & ResizeShiftDown) Shift(i.top + dy, c.top, c.bottom);

  if (c == current) return;
  if (!free_) {
    c.top = std::max(c.top, i.top);
    c.left = std::max(c.left, i.left);
    c.bottom = std::max(c.bottom, i.bottom);
    c.right = std::max(c.right, i.right);
  }
  if (c != current) item_->SetBoundsRect(c);
}
