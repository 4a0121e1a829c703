#include "viewer/qt/InputGate.h"

#include <QApplication>
#include <QEvent>

namespace viewer::qt {

namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::TouchBegin:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputGate::InputGate(QWidget* allowed) : allowed_(allowed) { qApp->installEventFilter(this); }

InputGate::~InputGate() { qApp->removeEventFilter(this); }

bool InputGate::Allowed(QObject* target) const {
  // Pop-ups of the dialog's widgets are windows of their own: follow the
  // parents across windows.
  for (QObject* object = target; object; object = object->parent())
    if (object == allowed_) return true;
  return false;
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  if (!allowed_ || !IsInput(event->type()) || !watched->isWidgetType()) return false;
  if (Allowed(watched)) return false;
  event->ignore();
  return true;
}

}  // namespace viewer::qt
