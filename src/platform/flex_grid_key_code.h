#pragma once

#include <QString>
#include <Qt>

namespace stelvador {

// The character code the grid reports for a key press, as the control's KeyPress gives it:
// 13 Enter, 9 Tab, 8 Backspace, 127 Ctrl+Backspace, 27 Escape, 1 to 26 Ctrl+A to Ctrl+Z
// (3 Ctrl+C, 22 Ctrl+V, 24 Ctrl+X), otherwise the Unicode code point of the typed character.
// Keys that type no character (arrows, function keys, Delete, Alt combinations) give -1.
int KeyPressCode(int key, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace stelvador
