#include "viewer/qt/RectDragLoop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "viewer/qt/InputMapping.h"

namespace viewer::qt {

RectDragLoop::RectDragLoop(QWidget& grabber, RectDragRule rule, QPoint press, Hooks hooks)
    : grabber_(&grabber), rule_(rule), press_(press), hooks_(std::move(hooks)), rect_(NormalizedRect(rule.start)) {}

DragResult RectDragLoop::Run() {
  qApp->installEventFilter(this);
  grabber_->grabMouse();
  ShowCursor(QGuiApplication::queryKeyboardModifiers());
  hooks_.show(rect_);
  if (!finished_) loop_.exec();
  qApp->removeEventFilter(this);
  if (grabber_) {
    grabber_->releaseMouse();
    grabber_->unsetCursor();
  }
  hooks_.show(std::nullopt);
  return {rect_, modifiers_};
}

void RectDragLoop::Follow(const QPoint& global) {
  const QPoint at = hooks_.toDevice(global);
  rect_ = DraggedRect(rule_, at.x() - press_.x(), at.y() - press_.y());
  hooks_.show(rect_);
}

void RectDragLoop::Finish(int modifiers) {
  modifiers_ = modifiers;
  finished_ = true;
  loop_.exit();
}

void RectDragLoop::ShowCursor(Qt::KeyboardModifiers modifiers) {
  if (grabber_) grabber_->setCursor(hooks_.cursor((HostModifiers(modifiers) & host::kModifierOption) != 0));
}

bool RectDragLoop::eventFilter(QObject*, QEvent* event) {
  if (finished_) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      Follow(mouse->globalPosition().toPoint());
      ShowCursor(mouse->modifiers());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      Follow(mouse->globalPosition().toPoint());
      Finish(HostModifiers(mouse->modifiers()));
      return false;  // the view hears of the release too
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
        rect_ = NormalizedRect(rule_.start);
        Finish(0);
      } else {
        ShowCursor(key->modifiers());
      }
      return true;
    }
    case QEvent::ApplicationDeactivate:
      // The button may come up where this application never hears of it.
      Finish(HostModifiers(QGuiApplication::queryKeyboardModifiers()));
      return false;
    default:
      return false;
  }
}

}  // namespace viewer::qt
