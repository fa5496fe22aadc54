#include "platform/flex_grid_key_code.h"

#include <QList>

namespace stelvador {

int KeyPressCode(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (alt) {
        // Alt combinations belong to the menus.
        return -1;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Backspace:
            return control ? 127 : 8;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Delete:
            return -1;
        default:
            break;
    }
    if (control) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return key - Qt::Key_A + 1;
        }
        return -1;
    }
    if (text.isEmpty()) {
        return -1;
    }
    const char32_t code = text.toUcs4().value(0, 0);
    return code == 0 ? -1 : static_cast<int>(code);
}

}  // namespace stelvador
