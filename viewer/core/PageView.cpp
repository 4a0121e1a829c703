#include "viewer/core/PageView.h"

#include <algorithm>

#include "host/HostError.h"
#include "viewer/core/Document.h"
#include "viewer/core/FrontEnd.h"
#include "viewer/core/Host.h"

namespace viewer {

namespace {

// The port handed out when a plug-in draws outside a draw pass: what it
// draws there is drawn again by its drawing procedure in the next pass,
// which the host asks for at once.
class DeferredDrawSurface final : public DrawSurface {
 public:
  void SetColor(const host::RGBColor16&) override {}
  void FrameRect(const host::AVRect&) override {}
  void FillRect(const host::AVRect&) override {}
  int FontHeight() override { return 12; }
  int TextWidth(const std::u16string& text) override { return 6 * static_cast<int>(text.size()); }
  void DrawText(const host::AVRect&, const std::u16string&) override {}
};

DeferredDrawSurface gDeferredSurface;

constexpr host::RGBColor16 kOutlineColor{0, 0, 0};
constexpr int kHandleSize = 6;

void DrawOutline(DrawSurface& surface, const host::AVRect& r, bool midpoints) {
  surface.SetColor(kOutlineColor);
  surface.FrameRect(r);
  std::vector<host::AVPoint> corners = {{r.left, r.top}, {r.right - kHandleSize, r.top},
                                        {r.right - kHandleSize, r.bottom - kHandleSize},
                                        {r.left, r.bottom - kHandleSize}};
  if (midpoints) {
    const int midX = (r.left + r.right - kHandleSize) / 2;
    const int midY = (r.top + r.bottom - kHandleSize) / 2;
    corners.insert(corners.end(), {{midX, r.top}, {r.right - kHandleSize, midY}, {midX, r.bottom - kHandleSize},
                                   {r.left, midY}});
  }
  for (const host::AVPoint& p : corners) surface.FillRect({p.h, p.v, p.h + kHandleSize, p.v + kHandleSize});
}

}  // namespace

PageView::PageView(Host& host, Document& doc) : host_(host), doc_(doc) {
  if (doc_.Pdf().NumPages() == 0) pageNum_ = -1;
}

host::AVDoc* PageView::GetAVDoc() const { return &doc_; }

host::PDPage PageView::AcquirePage() const {
  CheckPage(pageNum_);
  return doc_.Pdf().AcquirePage(pageNum_);
}

void PageView::CheckPage(int page) const {
  if (page < 0 || page >= doc_.Pdf().NumPages()) host::RaiseHostError(host::kErrPageRange);
}

void PageView::SetPageNum(int page) {
  CheckPage(page);
  pageNum_ = page;
}

void PageView::GoToPage(int page) {
  CheckPage(page);
  if (page == pageNum_) return;
  pageNum_ = page;
  Changed(host::kPageViewPageChanged);
}

void PageView::SetZoomFactor(double zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  Changed(host::kPageViewZoomChanged);
}

void PageView::SetRotation(int degrees) {
  const int rotation = NormalizeRotation(degrees);
  if (rotation == rotation_) return;
  rotation_ = rotation;
  Changed(0);
}

void PageView::ScrollTo(host::AVDevCoord x, host::AVDevCoord y) {
  if (x == scrollX_ && y == scrollY_) return;
  scrollX_ = x;
  scrollY_ = y;
  Changed(0);
}

void PageView::SetViewportSize(int width, int height) {
  viewportWidth_ = std::max(0, width);
  viewportHeight_ = std::max(0, height);
}

void PageView::FitPage() {
  if (viewportWidth_ <= 0 || viewportHeight_ <= 0 || pageNum_ < 0) return;
  const PageGeometry actual = ActualSize();
  if (actual.DisplayWidth() <= 0 || actual.DisplayHeight() <= 0) return;
  SetZoomFactor(std::min(viewportWidth_ / actual.DisplayWidth(), viewportHeight_ / actual.DisplayHeight()));
}

void PageView::FitWidth() {
  if (viewportWidth_ <= 0 || pageNum_ < 0) return;
  const PageGeometry actual = ActualSize();
  if (actual.DisplayWidth() > 0) SetZoomFactor(viewportWidth_ / actual.DisplayWidth());
}

PageGeometry PageView::ActualSize() const {
  Geometry();  // reads the page's boxes
  return PageGeometry(boxes_->cropBox, boxes_->rotate + rotation_, 1.0);
}

void PageView::SetContinuous(bool continuous) {
  if (continuous == continuous_) return;
  continuous_ = continuous;
  Changed(0);
}

void PageView::Changed(int flags) {
  host_.Front().ViewChanged(*this);
  if (flags != 0) {
    host::AVNotificationArgs args;
    args.view = this;
    args.avDoc = &doc_;
    args.pdDoc = &doc_.Pdf();
    args.flags = flags;
    host_.Notify(host::AVNotification::PageViewDidChange, args);
  }
  Invalidate(nullptr);
}

PageGeometry PageView::Geometry() const {
  if (!boxes_ || boxes_->page != pageNum_) {
    const host::PDPage page = AcquirePage();
    boxes_ = PageBoxes{pageNum_, page->CropBox(), page->Rotate()};
  }
  return PageGeometry(boxes_->cropBox, boxes_->rotate + rotation_, zoom_, scrollX_, scrollY_);
}

host::AVRect PageView::GetAperture() const {
  const PageGeometry geometry = Geometry();
  const host::AVRect page = geometry.PageArea();  // raises beyond the zoom limit
  const int width = viewportWidth_ > 0 ? viewportWidth_ : page.right - page.left;
  const int height = viewportHeight_ > 0 ? viewportHeight_ : page.bottom - page.top;
  return {0, 0, width, height};
}

void PageView::EndOperation() {
  if (operationDepth_ > 0 && --operationDepth_ == 0 && pendingInvalidate_) {
    pendingInvalidate_ = false;
    host_.Front().InvalidateView(*this, nullptr);
  }
}

void PageView::Invalidate(const host::AVRect* rect) {
  if (operationDepth_ > 0) {
    pendingInvalidate_ = true;
    return;
  }
  host_.Front().InvalidateView(*this, rect);
}

void PageView::DrawNow() {
  if (operationDepth_ > 0 || InDrawPass()) {
    Invalidate(nullptr);
    return;
  }
  host_.Front().PaintNow(*this);
}

void PageView::RunDrawPass(DrawSurface& surface, const host::AVRect& updateRect) {
  if (InDrawPass()) return;
  auto painting = host_.Ui().Enter();
  host::AVNotificationArgs args;
  args.view = this;
  args.avDoc = &doc_;
  host_.Notify(host::AVNotification::PageViewWillDraw, args);
  surface_ = &surface;
  if (outline_) DrawOutline(surface, *outline_, outlineMidpoints_);
  outline_.reset();
  const auto procs = host_.DrawProcs().Entries();
  for (const auto& entry : procs) {
    try {
      entry.proc(this, &updateRect, entry.clientData);
    } catch (...) {
      // Drawing procedures catch their own errors; the pass goes on.
    }
  }
  surface_ = nullptr;
  host_.Notify(host::AVNotification::PageViewDidDraw, args);
}

void* PageView::AcquirePlatformPort() {
  if (surface_) return surface_;
  Invalidate(nullptr);
  return static_cast<DrawSurface*>(&gDeferredSurface);
}

void PageView::ReleasePlatformPort(void*) {}

void PageView::DrawRectOutlineWithHandles(const host::AVRect& rect, bool midpoints, bool /*thin*/) {
  if (surface_) {
    DrawOutline(*surface_, rect, midpoints);
    return;
  }
  outline_ = rect;
  outlineMidpoints_ = midpoints;
  DrawNow();
}

bool PageView::IsMouseStillDown() { return host_.Front().IsMouseButtonDown(); }

host::AVRect PageView::DragRect(host::AVDevCoord x, host::AVDevCoord y, const host::AVRect& start,
                                host::AVDragType kind) {
  return host_.Front().TrackRectDrag({this, x, y, start, kind}).rect;
}

host::AVRect PageView::SnapDragRect(host::AVDevCoord x, host::AVDevCoord y, const host::AVRect& start,
                                    host::AVDragType kind, const host::AVRect* limit, host::AVCursor moveCursor,
                                    host::AVCursor copyCursor, int* modifiersAtRelease) {
  const DragResult result =
      host_.Front().TrackRectDrag({this, x, y, start, kind, true, limit, moveCursor, copyCursor});
  if (modifiersAtRelease) *modifiersAtRelease = result.modifiers;
  return result.rect;
}

host::AVMenuItem* PageView::DoPopupMenu(host::AVMenu* menu, host::AVDevCoord x, host::AVDevCoord y,
                                        bool /*rightButton*/) {
  if (!menu) return nullptr;
  host::AVMenuItem* chosen = host_.Front().PopupMenu(*this, menu, x, y);
  if (chosen) host_.ChooseMenuItem(*chosen);
  return chosen;
}

host::PDAnnot PageView::AnnotAtPoint(host::AVDevCoord x, host::AVDevCoord y, host::ASAtom subtype) {
  const host::PDPage page = AcquirePage();
  for (int i = page->NumAnnots() - 1; i >= 0; --i) {
    host::PDAnnot annot = page->GetAnnot(i);
    if (!annot.IsValid() || (subtype != host::ASAtomNull && annot.Subtype() != subtype)) continue;
    if (annot.Flags() & (host::kPDAnnotHidden | host::kPDAnnotNoView)) continue;
    const host::AVRect r = RectToDevice(annot.Rect());
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return annot;
  }
  return {};
}

void PageView::InvalidateAnnot(const host::PDAnnot& annot) {
  const host::AVRect r = RectToDevice(annot.Rect());
  Invalidate(&r);
}

}  // namespace viewer
