// A document's page view on screen: its pages rendered on a canvas that
// scrolls (one page, or all of them one below the other), the drawing
// procedures painted over the current page, and the mouse and keys passed
// to the host in the current page's device space (the page's top-left
// corner at (0, 0), one pixel per point at 100 %).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

#include "viewer/core/FrontEnd.h"
#include "viewer/qt/PageCanvas.h"

namespace viewer {
class Document;
class Host;
class PageView;
}  // namespace viewer

namespace viewer::qt {

class PageRenderer;
class QtFrontEnd;

class PageViewWidget final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Draw passes follow one another at most this often (a drawing procedure
  // that invalidates its view on every pass, as blinking does, is drawn
  // about 60 times a second).
  static constexpr int kPassInterval = 16;

  PageViewWidget(QtFrontEnd& front, Host& host, Document& doc, QWidget* parent = nullptr);
  ~PageViewWidget() override;

  // The document is closing: nothing of it may be touched from now on.
  void Detach();
  bool Attached() const { return doc_ != nullptr; }

  // The core changed the view (page, zoom, rotation, layout, visibility)
  // or the document's pages.
  void ViewChanged();
  // Paints at the next chance, but not sooner than kPassInterval after the
  // last pass.
  void ScheduleRepaint();
  void RepaintNow();

  // The rectangle drag of a tool: modal until the button is released.
  DragResult TrackDrag(const DragRequest& request);
  // Device space of the current page and the viewport, both ways.
  QPoint DeviceToViewport(const QPoint& device) const;
  QPoint ViewportToDevice(const QPoint& point) const;
  QPoint DeviceToGlobal(const QPoint& device) const;

  // For measurements and tests: the page renderer and the pages in view.
  const PageRenderer& Renderer() const { return *renderer_; }
  std::vector<int> PagesInView() const;
  const PageCanvas& Canvas() const { return canvas_; }
  int Passes() const { return passes_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void Relayout();
  void UpdateScrollBars();
  QPoint ScrollOffset() const;
  QRect VisibleCanvas() const;
  // Canvas position of the current page's device (0, 0).
  QPoint DeviceOrigin() const;
  void FollowScroll();
  void ScrollToPage(int page);
  void Press(QMouseEvent* event, int clickCount);
  bool HandToolActive() const;
  void PaintPages(QPainter& painter, const std::vector<int>& pages);
  void PaintDrawProcedures(QPainter& painter);
  void PaintDragFeedback(QPainter& painter);

  QtFrontEnd& front_;
  Host& host_;
  Document* doc_;
  PageView* view_;
  std::unique_ptr<PageRenderer> renderer_;
  PageCanvas canvas_;
  std::vector<QSize> pageSizes_;
  // What the layout was made for.
  struct Laid {
    double zoom = 0;
    int rotation = -1;
    int numPages = -1;
    bool continuous = false;
    int page = -1;
    std::uint64_t revision = 0;
  } laid_;
  bool followingScroll_ = false;
  std::optional<host::AVRect> dragFeedback_;
  std::optional<QPoint> panFrom_;
  QTimer repaintTimer_;
  QElapsedTimer sinceLastPass_;
  int passes_ = 0;
};

}  // namespace viewer::qt
