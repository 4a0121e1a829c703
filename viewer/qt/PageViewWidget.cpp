#include "viewer/qt/PageViewWidget.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "host/HostError.h"
#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/PageGeometry.h"
#include "viewer/core/PageView.h"
#include "viewer/qt/InputMapping.h"
#include "viewer/qt/PageRenderer.h"
#include "viewer/qt/PainterSurface.h"
#include "viewer/qt/QtFrontEnd.h"
#include "viewer/qt/RectDragLoop.h"

namespace viewer::qt {

namespace {

// The canvas never grows beyond this (pixels per side), so that many pages
// at a high zoom still fit the scroll bars' integers; pages beyond it are
// laid out smaller than the zoom asks.
constexpr int kLargestCanvasSide = 1 << 29;
const QColor kBackground(0x80, 0x80, 0x80);

int Side(double pixels, int largest) {
  if (!std::isfinite(pixels)) return largest;
  return static_cast<int>(std::clamp<double>(std::round(pixels), 1, largest));
}

Qt::CursorShape ResizeShape(host::AVDragType kind) {
  switch (kind) {
    case host::kDragTopLeft:
    case host::kDragBottomRight:
      return Qt::SizeFDiagCursor;
    case host::kDragTopRight:
    case host::kDragBottomLeft:
      return Qt::SizeBDiagCursor;
    case host::kDragTop:
    case host::kDragBottom:
      return Qt::SizeVerCursor;
    case host::kDragLeft:
    case host::kDragRight:
      return Qt::SizeHorCursor;
    default:
      return Qt::CrossCursor;
  }
}

}  // namespace

PageViewWidget::PageViewWidget(QtFrontEnd& front, Host& host, Document& doc, QWidget* parent)
    : QAbstractScrollArea(parent),
      front_(front),
      host_(host),
      doc_(&doc),
      view_(&doc.View()),
      renderer_(std::make_unique<PageRenderer>(doc.Pdf())) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
  repaintTimer_.setSingleShot(true);
  connect(&repaintTimer_, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
  Relayout();
}

PageViewWidget::~PageViewWidget() = default;

void PageViewWidget::Detach() {
  doc_ = nullptr;
  view_ = nullptr;
  renderer_.reset();
  repaintTimer_.stop();
}

// ---- Layout and scrolling ----------------------------------------------------------

void PageViewWidget::Relayout() {
  if (!doc_) return;
  const int numPages = doc_->Pdf().NumPages();
  const bool sizesStale = laid_.zoom != view_->ZoomFactor() || laid_.rotation != view_->Rotation() ||
                          laid_.numPages != numPages || laid_.revision != doc_->Pdf().Revision();
  if (sizesStale) {
    const int largest = kLargestCanvasSide / std::max(1, numPages + 1);
    pageSizes_.assign(static_cast<std::size_t>(numPages), QSize(1, 1));
    for (int i = 0; i < numPages; ++i) {
      try {
        const host::PDPage page = doc_->Pdf().AcquirePage(i);
        const PageGeometry geometry(page->CropBox(), page->Rotate() + view_->Rotation(), view_->ZoomFactor());
        pageSizes_[static_cast<std::size_t>(i)] =
            QSize(Side(geometry.DisplayWidth(), largest), Side(geometry.DisplayHeight(), largest));
      } catch (const host::HostError&) {
        // A page that cannot be read takes the smallest place.
      }
    }
  }
  laid_ = {view_->ZoomFactor(), view_->Rotation(), numPages, view_->Continuous(), view_->GetPageNum(),
           doc_->Pdf().Revision()};
  canvas_.Lay(pageSizes_, view_->Continuous(), view_->GetPageNum());
  UpdateScrollBars();
}

void PageViewWidget::UpdateScrollBars() {
  const QSize area = viewport()->size();
  const QSize canvas = canvas_.Size();
  horizontalScrollBar()->setRange(0, std::max(0, canvas.width() - area.width()));
  verticalScrollBar()->setRange(0, std::max(0, canvas.height() - area.height()));
  horizontalScrollBar()->setPageStep(area.width());
  verticalScrollBar()->setPageStep(area.height());
  if (view_) view_->SetViewportSize(area.width() - 2 * PageCanvas::kGap, area.height() - 2 * PageCanvas::kGap);
}

QPoint PageViewWidget::ScrollOffset() const {
  // A canvas narrower than the view is centred in it.
  const int spareWidth = viewport()->width() - canvas_.Size().width();
  const int x = spareWidth > 0 ? -spareWidth / 2 : horizontalScrollBar()->value();
  return {x, verticalScrollBar()->value()};
}

QRect PageViewWidget::VisibleCanvas() const { return QRect(ScrollOffset(), viewport()->size()); }

QPoint PageViewWidget::DeviceOrigin() const {
  if (!view_) return {};
  QPoint origin = canvas_.PageRect(view_->GetPageNum()).topLeft();
  try {
    const host::AVRect area = view_->GetGrayRect();  // the core's own scrolling moves the page
    origin -= QPoint(area.left, area.top);
  } catch (const host::HostError&) {
  }
  return origin;
}

QPoint PageViewWidget::ViewportToDevice(const QPoint& point) const { return point + ScrollOffset() - DeviceOrigin(); }
QPoint PageViewWidget::DeviceToViewport(const QPoint& device) const { return device + DeviceOrigin() - ScrollOffset(); }
QPoint PageViewWidget::DeviceToGlobal(const QPoint& device) const {
  return viewport()->mapToGlobal(DeviceToViewport(device));
}

std::vector<int> PageViewWidget::PagesInView() const { return canvas_.PagesIn(VisibleCanvas()); }

void PageViewWidget::scrollContentsBy(int, int) {
  viewport()->update();
  FollowScroll();
}

void PageViewWidget::FollowScroll() {
  if (!view_ || !view_->Continuous() || followingScroll_) return;
  const int page = canvas_.MostVisible(VisibleCanvas());
  if (page < 0 || page == view_->GetPageNum()) return;
  // The current page follows what the user scrolls to; the view stays put.
  followingScroll_ = true;
  view_->GoToPage(page);
  followingScroll_ = false;
}

void PageViewWidget::ScrollToPage(int page) {
  const QRect rect = canvas_.PageRect(page);
  followingScroll_ = true;
  verticalScrollBar()->setValue(rect.isEmpty() ? 0 : rect.top() - PageCanvas::kGap);
  followingScroll_ = false;
}

void PageViewWidget::ViewChanged() {
  if (!doc_) return;
  const bool moved = view_->GetPageNum() != laid_.page || view_->ZoomFactor() != laid_.zoom ||
                     view_->Rotation() != laid_.rotation || view_->Continuous() != laid_.continuous;
  Relayout();
  if (moved && !followingScroll_) ScrollToPage(view_->GetPageNum());
  ScheduleRepaint();
}

void PageViewWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

// ---- Painting ----------------------------------------------------------------------

void PageViewWidget::ScheduleRepaint() {
  if (!sinceLastPass_.isValid() || sinceLastPass_.elapsed() >= kPassInterval) {
    viewport()->update();
  } else if (!repaintTimer_.isActive()) {
    repaintTimer_.start(static_cast<int>(kPassInterval - sinceLastPass_.elapsed()));
  }
}

void PageViewWidget::RepaintNow() { viewport()->repaint(); }

void PageViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), kBackground);
  if (!doc_) return;
  if (laid_.revision != doc_->Pdf().Revision() || laid_.numPages != doc_->Pdf().NumPages()) Relayout();
  const QtFrontEnd::PaintScope painting(front_);
  painter.translate(-ScrollOffset());
  const std::vector<int> pages = PagesInView();
  PaintPages(painter, pages);
  if (view_->GetPageNum() >= 0) {
    painter.translate(DeviceOrigin());
    PaintDrawProcedures(painter);
    if (doc_) PaintDragFeedback(painter);
  }
  if (renderer_) renderer_->Keep(pages);
}

void PageViewWidget::PaintPages(QPainter& painter, const std::vector<int>& pages) {
  for (int page : pages) {
    const QRect rect = canvas_.PageRect(page);
    painter.fillRect(rect.translated(2, 2), QColor(0x50, 0x50, 0x50));  // a shadow
    const QImage& image =
        renderer_->Image({page, rect.size(), view_->Rotation(), viewport()->devicePixelRatioF()});
    if (image.isNull()) {
      painter.fillRect(rect, Qt::white);
    } else {
      painter.drawImage(rect, image);
    }
  }
}

void PageViewWidget::PaintDrawProcedures(QPainter& painter) {
  host::AVRect area;
  try {
    area = view_->GetAperture();
  } catch (const host::HostError&) {
    // Beyond the zoom the host serves: the drawing procedures still run.
  }
  PainterSurface surface(painter);
  // A procedure that invalidates the view during the pass is drawn again
  // a pass interval after this pass began.
  sinceLastPass_.restart();
  ++passes_;
  painter.save();
  view_->RunDrawPass(surface, area);
  painter.restore();
}

void PageViewWidget::PaintDragFeedback(QPainter& painter) {
  if (!dragFeedback_) return;
  const host::AVRect& r = *dragFeedback_;
  const QRect rect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(rect);
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.drawRect(rect);
  painter.restore();
}

// ---- Input -------------------------------------------------------------------------

bool PageViewWidget::HandToolActive() const {
  host::AVToolRec* active = host_.Tools().Active();
  return active && active == host_.Tools().ByTypeName(ToolManager::kHandTool);
}

bool PageViewWidget::viewportEvent(QEvent* event) {
  // Tab goes to the tool like any key, not to the next widget.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void PageViewWidget::Press(QMouseEvent* event, int clickCount) {
  if (!doc_) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (view_->Continuous()) {
    const int page = canvas_.PageAt(at + ScrollOffset());
    if (page >= 0 && page != view_->GetPageNum()) {
      // A click on another page makes it the current one first.
      followingScroll_ = true;
      view_->GoToPage(page);
      followingScroll_ = false;
      if (!doc_) return;
      Relayout();
    }
  }
  const QPoint device = ViewportToDevice(at);
  const int modifiers = HostModifiers(event->modifiers());
  front_.NoteMouseTarget(viewport());
  if (event->button() == Qt::LeftButton) {
    front_.SetButtonDown(true);
    if (HandToolActive()) {
      panFrom_ = event->globalPosition().toPoint();
      viewport()->setCursor(Qt::ClosedHandCursor);
    }
    host_.Click(*view_, device.x(), device.y(), modifiers, clickCount);
  } else if (event->button() == Qt::RightButton) {
    host_.RightClick(*view_, device.x(), device.y(), modifiers, clickCount);
  }
  front_.RefreshCommandStates();
}

void PageViewWidget::mousePressEvent(QMouseEvent* event) { Press(event, 1); }

void PageViewWidget::mouseDoubleClickEvent(QMouseEvent* event) { Press(event, 2); }

void PageViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!doc_) return;
  if (panFrom_) {
    const QPoint now = event->globalPosition().toPoint();
    const QPoint delta = now - *panFrom_;
    panFrom_ = now;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
    return;
  }
  front_.NoteMouseTarget(viewport());
  const QPoint device = ViewportToDevice(event->position().toPoint());
  host_.AdjustCursor(*view_, device.x(), device.y());
  if (HandToolActive()) viewport()->setCursor(Qt::OpenHandCursor);
}

void PageViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  front_.SetButtonDown(false);
  if (panFrom_) {
    panFrom_.reset();
    viewport()->setCursor(Qt::OpenHandCursor);
  }
}

void PageViewWidget::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  if (doc_) host_.MouseLeft(*view_);
}

void PageViewWidget::keyPressEvent(QKeyEvent* event) {
  if (!doc_) return;
  if (const std::optional<int> code = HostKeyCode(event->key(), event->text())) {
    const bool handled = host_.Key(*code, HostModifiers(event->modifiers()));
    front_.RefreshCommandStates();
    if (handled || !doc_) return;
  }
  // Keys the tool leaves alone scroll; past the ends of the one page shown
  // they turn the page.
  QScrollBar* bar = verticalScrollBar();
  const int page = view_->GetPageNum();
  const bool single = !view_->Continuous();
  if (single && event->key() == Qt::Key_PageDown && bar->value() == bar->maximum() &&
      page + 1 < doc_->Pdf().NumPages()) {
    view_->GoToPage(page + 1);
  } else if (single && event->key() == Qt::Key_PageUp && bar->value() == 0 && page > 0) {
    view_->GoToPage(page - 1);
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

// ---- Rectangle drags ----------------------------------------------------------------

DragResult PageViewWidget::TrackDrag(const DragRequest& request) {
  if (!doc_ || !front_.ButtonDown()) return {request.start, 0};
  RectDragRule rule;
  rule.start = request.start;
  rule.kind = request.kind;
  if (request.limit) rule.limit = *request.limit;
  rule.snap = request.snap;
  try {
    rule.page = view_->GetGrayRect();
  } catch (const host::HostError&) {
    rule.snap = false;
  }
  RectDragLoop::Hooks hooks;
  hooks.toDevice = [this](const QPoint& global) { return ViewportToDevice(viewport()->mapFromGlobal(global)); };
  hooks.show = [this](const std::optional<host::AVRect>& rect) {
    dragFeedback_ = rect;
    viewport()->update();
  };
  hooks.cursor = [this, &request](bool copying) {
    if (request.kind != host::kDragMove) return QCursor(ResizeShape(request.kind));
    const host::AVCursor wanted = copying && request.copyCursor ? request.copyCursor : request.moveCursor;
    return wanted ? front_.Cursors().For(wanted) : QCursor(Qt::SizeAllCursor);
  };
  RectDragLoop loop(*viewport(), rule, QPoint(request.x, request.y), std::move(hooks));
  const DragResult result = loop.Run();
  front_.SetButtonDown(false);
  return result;
}

}  // namespace viewer::qt
