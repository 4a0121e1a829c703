// How keys and modifier keys reach tools: the key codes and modifier bits
// tools have always been given, read from Qt's key events.
#pragma once

#include <optional>

#include <QString>
#include <Qt>

namespace viewer::qt {

// Shift 0x01; Alt and Ctrl both 0x08 (the copy modifier), since many window
// managers take Alt-drags for moving windows.
int HostModifiers(Qt::KeyboardModifiers modifiers);

// Return and keypad Enter 3, Backspace and Delete 8, Tab and Backtab 9,
// arrows 28 to 31, Space 32; any other key that types a character gives
// that character's code. Keys that type nothing (modifiers alone, function
// keys) give nothing.
std::optional<int> HostKeyCode(int qtKey, const QString& text);

}  // namespace viewer::qt
