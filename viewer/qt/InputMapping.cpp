#include "viewer/qt/InputMapping.h"

#include <QList>

#include "host/HostTypes.h"

namespace viewer::qt {

int HostModifiers(Qt::KeyboardModifiers modifiers) {
  int bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= host::kModifierShift;
  if (modifiers & (Qt::AltModifier | Qt::ControlModifier)) bits |= host::kModifierOption;
  return bits;
}

std::optional<int> HostKeyCode(int qtKey, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return host::kKeyEnter;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      return host::kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return host::kKeyTab;
    case Qt::Key_Left:
      return host::kKeyLeftArrow;
    case Qt::Key_Right:
      return host::kKeyRightArrow;
    case Qt::Key_Up:
      return host::kKeyUpArrow;
    case Qt::Key_Down:
      return host::kKeyDownArrow;
    case Qt::Key_Space:
      return host::kKeySpace;
    default:
      break;
  }
  if (text.isEmpty()) return std::nullopt;
  const char32_t code = text.toUcs4().value(0);
  if (code < 0x20 || code == 0x7F) return std::nullopt;
  return static_cast<int>(code);
}

}  // namespace viewer::qt
