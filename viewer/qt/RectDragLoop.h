// A rectangle drag on a page view: a nested event loop that holds the mouse
// until the button is released, showing the rectangle as it follows the
// pointer and the tool's cursor (its copy cursor while the copy modifier is
// held). Escape ends the drag where it began.
#pragma once

#include <functional>
#include <optional>

#include <QCursor>
#include <QEventLoop>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "viewer/core/FrontEnd.h"
#include "viewer/qt/RectDrag.h"

namespace viewer::qt {

class RectDragLoop final : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // A global screen point in the view's device space.
    std::function<QPoint(const QPoint& global)> toDevice;
    // The rectangle to show (nothing when the drag is over).
    std::function<void(const std::optional<host::AVRect>&)> show;
    // The cursor while the copy modifier is held or not.
    std::function<QCursor(bool copying)> cursor;
  };

  // grabber: the widget that holds the mouse; press: where the button went
  // down, in device space.
  RectDragLoop(QWidget& grabber, RectDragRule rule, QPoint press, Hooks hooks);

  // Runs until the button is released; answers the rectangle and the
  // modifier bits at release.
  DragResult Run();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(const QPoint& global);
  void Finish(int modifiers);
  void ShowCursor(Qt::KeyboardModifiers modifiers);

  QPointer<QWidget> grabber_;
  RectDragRule rule_;
  QPoint press_;
  Hooks hooks_;
  QEventLoop loop_;
  host::AVRect rect_;
  int modifiers_ = 0;
  bool finished_ = false;
};

}  // namespace viewer::qt
