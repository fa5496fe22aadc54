#include "platform/flex_grid_key_code.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

struct KeyCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int code;
};

class KeyPressCodeTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyPressCodeTest, GivesCharacterCode) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(KeyPressCode(c.key, c.modifiers, c.text), c.code)
        << "key " << c.key << " text " << c.text.toStdString();
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::KeyboardModifiers kControl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressCodeTest,
    ::testing::Values(
        KeyCase{Qt::Key_A, kNone, "a", 97}, KeyCase{Qt::Key_A, kShift, "A", 65},
        KeyCase{Qt::Key_1, kNone, "1", 49}, KeyCase{Qt::Key_Period, kNone, ".", 46},
        KeyCase{Qt::Key_Space, kNone, " ", 32}, KeyCase{Qt::Key_Comma, kNone, ",", 44},
        KeyCase{Qt::Key_Adiaeresis, kNone, QString::fromUtf8("\xc3\xa4"), 0xe4},
        KeyCase{Qt::Key_unknown, kNone, QString::fromUtf8("\xe2\x82\xac"), 0x20ac},
        KeyCase{Qt::Key_Return, kNone, "\r", 13}, KeyCase{Qt::Key_Enter, kNone, "\r", 13},
        KeyCase{Qt::Key_Tab, kNone, "\t", 9}, KeyCase{Qt::Key_Backspace, kNone, "\b", 8},
        KeyCase{Qt::Key_Backspace, kControl, "", 127}, KeyCase{Qt::Key_Escape, kNone, "", 27},
        // Control letters, whatever text the platform attaches to them.
        KeyCase{Qt::Key_C, kControl, "c", 3}, KeyCase{Qt::Key_C, kControl, "\x03", 3},
        KeyCase{Qt::Key_V, kControl, "", 22}, KeyCase{Qt::Key_X, kControl, "x", 24},
        KeyCase{Qt::Key_A, kControl, "", 1}, KeyCase{Qt::Key_Z, kControl | kShift, "", 26},
        // Keys that type nothing.
        KeyCase{Qt::Key_Delete, kNone, "\x7f", -1}, KeyCase{Qt::Key_F1, kNone, "", -1},
        KeyCase{Qt::Key_Shift, kShift, "", -1}, KeyCase{Qt::Key_1, kControl, "1", -1},
        KeyCase{Qt::Key_A, Qt::AltModifier, "a", -1}));

}  // namespace
}  // namespace stelvador
