// A document's page view: the page shown, zoom, rotation, scroll, the
// page-to-device transform, draw passes and mouse tracking. Headless, a view
// shows its whole current page with the top-left corner of the crop box (as
// displayed) at device (0, 0) and one pixel per point at 100 %.
#pragma once

#include <optional>

#include "host/AV.h"
#include "viewer/core/PageGeometry.h"

namespace viewer {

class Document;
class DrawSurface;
class Host;

class PageView final : public host::AVPageView {
 public:
  // Zoom factors the view accepts (1.0 = 100 %).
  static constexpr double kMinZoom = 1.0 / 64;
  static constexpr double kMaxZoom = 1.0e7;

  PageView(Host& host, Document& doc);

  host::AVDoc* GetAVDoc() const override;
  host::PDPage AcquirePage() const override;
  int GetPageNum() const override { return pageNum_; }
  void SetPageNum(int page) override;
  void GoToPage(int page) override;

  host::ASFixed Zoom() const override { return host::FloatToFixed(zoom_); }
  void ZoomTo(host::ASFixed zoom) override { SetZoomFactor(host::FixedToFloat(zoom)); }
  int Rotation() const override { return rotation_; }
  void SetRotation(int degrees) override;
  void ScrollTo(host::AVDevCoord x, host::AVDevCoord y) override;

  host::AVRect RectToDevice(const host::ASFixedRect& rect) const override { return Geometry().RectToDevice(rect); }
  host::ASFixedRect DeviceRectToPage(const host::AVRect& rect) const override { return Geometry().RectToPage(rect); }
  host::AVPoint PointToDevice(const host::ASFixedPoint& p) const override { return Geometry().PointToDevice(p); }
  host::ASFixedPoint DevicePointToPage(host::AVDevCoord x, host::AVDevCoord y) const override {
    return Geometry().PointToPage(x, y);
  }
  host::AVRect GetGrayRect() const override { return Geometry().PageArea(); }
  host::AVRect GetAperture() const override;

  void BeginOperation() override { ++operationDepth_; }
  void EndOperation() override;
  void Invalidate(const host::AVRect* rect) override;
  void DrawNow() override;

  void* AcquirePlatformPort() override;
  void ReleasePlatformPort(void* port) override;
  void DrawRectOutlineWithHandles(const host::AVRect& rect, bool midpoints, bool thin) override;

  bool IsMouseStillDown() override;
  host::AVPoint LastMousePosition() const override { return lastMouse_; }
  host::AVRect DragRect(host::AVDevCoord x, host::AVDevCoord y, const host::AVRect& start,
                        host::AVDragType kind) override;
  host::AVRect SnapDragRect(host::AVDevCoord x, host::AVDevCoord y, const host::AVRect& start, host::AVDragType kind,
                            const host::AVRect* limit, host::AVCursor moveCursor, host::AVCursor copyCursor,
                            int* modifiersAtRelease) override;
  host::AVMenuItem* DoPopupMenu(host::AVMenu* menu, host::AVDevCoord x, host::AVDevCoord y, bool rightButton) override;
  host::PDAnnot AnnotAtPoint(host::AVDevCoord x, host::AVDevCoord y, host::ASAtom subtype) override;
  void InvalidateAnnot(const host::PDAnnot& annot) override;

  // For front ends and the host.
  Document& Doc() const { return doc_; }
  double ZoomFactor() const { return zoom_; }
  // Zooms as the user would (notifies page-view-did-change 8); factors are
  // clamped to [kMinZoom, kMaxZoom].
  void SetZoomFactor(double zoom);
  host::AVPoint Scroll() const { return {scrollX_, scrollY_}; }
  // The visible area; 0 x 0 (the default) fits the whole page.
  void SetViewportSize(int width, int height);
  int ViewportWidth() const { return viewportWidth_; }
  int ViewportHeight() const { return viewportHeight_; }
  // Zooms so that the whole page, or its width, fills the visible area
  // (nothing while the view has no visible area).
  void FitPage();
  void FitWidth();
  // Continuous: the pages one below the other, scrolled through; else one
  // page at a time. Device space is the current page's either way.
  bool Continuous() const { return continuous_; }
  void SetContinuous(bool continuous);
  PageGeometry Geometry() const;
  // One draw pass: will-draw, the host's outline (if any), every drawing
  // procedure on the surface, did-draw. Front ends call it when they paint.
  void RunDrawPass(DrawSurface& surface, const host::AVRect& updateRect);
  bool InDrawPass() const { return surface_ != nullptr; }
  void SetLastMousePosition(host::AVPoint p) { lastMouse_ = p; }
  // Page boxes are read again at the next use.
  void ForgetPageBoxes() { boxes_.reset(); }

 private:
  struct PageBoxes {
    int page = -1;
    host::ASFixedRect cropBox;
    int rotate = 0;
  };
  void CheckPage(int page) const;
  void Changed(int flags);
  // The current page at 100 %.
  PageGeometry ActualSize() const;

  Host& host_;
  Document& doc_;
  int pageNum_ = 0;
  double zoom_ = 1.0;
  int rotation_ = 0;
  int scrollX_ = 0;
  int scrollY_ = 0;
  int viewportWidth_ = 0;
  int viewportHeight_ = 0;
  bool continuous_ = false;
  int operationDepth_ = 0;
  bool pendingInvalidate_ = false;
  host::AVPoint lastMouse_;
  DrawSurface* surface_ = nullptr;
  std::optional<host::AVRect> outline_;
  bool outlineMidpoints_ = false;
  mutable std::optional<PageBoxes> boxes_;
};

}  // namespace viewer
