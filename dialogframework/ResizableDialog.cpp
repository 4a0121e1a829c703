#include "dialogframework/ResizableDialog.h"

CResizableDlg::CResizableDlg() = default;
CResizableDlg::~CResizableDlg() = default;

host::ADMRect CResizableDlg::CurrentRect() const {
  return GetDialog() ? GetDialog()->GetLocalRect() : host::ADMRect{};
}

void CResizableDlg::ObtainInitialRect() { initialRect_ = CurrentRect(); }

void CResizableDlg::AddResizableControl(host::ADMItem* item, ControlResizeType type, bool free) {
  if (!item) return;
  controls_[item->ID()] = std::make_unique<CResizableControl>(*this, item, type, free, initialRect_);
}

void CResizableDlg::RemoveResizableControl(host::ADMItem* item) {
  if (item) controls_.erase(item->ID());
}

void CResizableDlg::ResetResizableControlVertical(host::ADMItem* item, const host::ADMRect& rect) {
  if (!item) return;
  const auto it = controls_.find(item->ID());
  if (it == controls_.end()) return;
  host::ADMRect initial = it->second->InitialRect();
  initial.top = rect.top;
  initial.bottom = rect.bottom;
  it->second->SetInitialRect(initial);
}

void CResizableDlg::SetInitialResizableControlRect(host::ADMItem* item, const host::ADMRect& rect) {
  if (!item) return;
  const auto it = controls_.find(item->ID());
  if (it == controls_.end()) return;
  it->second->SetInitialRect(rect);
  item->SetBoundsRect(rect);
}

bool CResizableDlg::ResizeControls(host::ADMRect& rect) {
  rect = CurrentRect();
  bool atLeastInitial = true;
  if (rect.Width() < initialRect_.Width()) {
    rect.left = initialRect_.left;
    rect.right = initialRect_.right;
    atLeastInitial = false;
  }
  if (rect.Height() < initialRect_.Height()) {
    rect.top = initialRect_.top;
    rect.bottom = initialRect_.bottom;
    atLeastInitial = false;
  }
  for (auto& [id, control] : controls_) control->ResizeControl(rect);
  return atLeastInitial;
}

void CResizableDlg::Reanchor(const host::ADMRect& rect) {
  const int width = initialRect_.Width();
  const int height = initialRect_.Height();
  initialRect_ = host::ADMRect{rect.top, rect.left, rect.top + height, rect.left + width};
  for (auto& [id, control] : controls_) control->SetDialogInitialRect(initialRect_);
}

void CResizableDlg::MoveDialog(host::ADMRect& rect) {
  rect = CurrentRect();
  Reanchor(rect);
}

void CResizableDlg::ForceMoveDialog(const host::ADMPoint& topLeft) {
  if (GetDialog()) GetDialog()->Move(topLeft.h, topLeft.v);
  Reanchor(CurrentRect());
}
