#include "widgets/grid_editing.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "common/cell_text_limit.h"
#include "common/error_numbers.h"
#include "common/grid_text_block.h"
#include "common/run_time_error.h"
#include "common/too_long_cell.h"
#include "common/utf8.h"
#include "platform/clipboard.h"
#include "platform/flex_grid_view.h"

namespace stelvador {

namespace {

constexpr int kEnter = 13;
constexpr int kTab = 9;
constexpr int kBackspace = 8;
constexpr int kFirstPrintable = 32;
constexpr int kRightButton = 2;

bool IsCodePoint(int code) {
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Drops the text's last character: its lead byte and any continuation bytes after it.
void DropLastCharacter(std::string& text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) {
            return;
        }
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace

GridEditing::GridEditing(GridEditingVariant variant, FlexGridView& view, QLineEdit& cellMirror,
                         Clipboard& clipboard, HandlerTop handlerTop, QObject* parent)
    : QObject(parent),
      m_variant(variant),
      m_view(view),
      m_cellMirror(cellMirror),
      m_clipboard(clipboard),
      m_handlerTop(std::move(handlerTop)) {
    // The mirror carries whole cell texts; a text box's default length limit would cut them.
    m_cellMirror.setMaxLength(std::numeric_limits<int>::max());

    connect(&m_view, &FlexGridView::KeyPress, this,
            [this](int keyAscii) { runAtTop([&] { MSFlexGrid1_KeyPress(keyAscii); }); });
    connect(&m_view, &FlexGridView::MouseDown, this, [this](int button, int shift, int x, int y) {
        runAtTop([&] { MSFlexGrid1_MouseDown(button, shift, x, y); });
    });
    connect(&m_view, &FlexGridView::Click, this,
            [this] { runAtTop([&] { MSFlexGrid1_Click(); }); });
    connect(&m_cellMirror, &QLineEdit::textChanged, this,
            [this] { runAtTop([&] { Text1_Change(); }); });
    m_cellMirror.installEventFilter(this);
}

FlexGrid& GridEditing::grid() {
    return m_view.grid();
}

void GridEditing::runAtTop(const std::function<void()>& work) {
    m_handlerTop(work);
}

bool GridEditing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_cellMirror && event->type() == QEvent::ShortcutOverride) {
        // The window's shortcuts (Ctrl+C Close, Ctrl+A Clear All, ...) win over the text box's
        // own copy and select-all keys, as they do over the grid's.
        return true;
    }
    if (watched == &m_cellMirror && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int keyCode = key->key();
        const int shift = ShiftCode(key->modifiers());
        runAtTop([&] { Text1_KeyDown(keyCode, shift); });
        // The key goes no further: typed into the mirror, it would change the mirror's text,
        // and that text, copied from the cell last pressed, would then overwrite the current
        // cell, which the arrow keys may have moved elsewhere since.
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- typing ----------------------------------------------------------------------------------

void GridEditing::MSFlexGrid1_KeyPress(int keyAscii) {
    if (keyAscii == kEnter || keyAscii == kTab) {
        moveAfterEnter();
        return;
    }
    if (keyAscii == kBackspace) {
        std::string text = grid().Text();
        if (!text.empty()) {
            DropLastCharacter(text);
            grid().setText(text);
        }
        return;
    }
    if (keyAscii < kFirstPrintable || !IsCodePoint(keyAscii)) {
        return;
    }
    std::string text = grid().Text();
    AppendUtf8(text, static_cast<char32_t>(keyAscii));
    // Typing stops at the limit of a cell's text.
    if (ExceedsCellTextLimit(text)) {
        return;
    }
    grid().setText(text);
}

void GridEditing::moveAfterEnter() {
    FlexGrid& g = grid();
    const int lastRow = g.Rows() - 1;
    const int lastCol = g.Cols() - 1;
    // Row 1 and column 1 exist in both windows' grids; the clamps only guard a grid cut shorter.
    const int firstRow = std::min(1, lastRow);
    if (m_variant == GridEditingVariant::DataEntry) {
        if (g.Col() + 1 <= lastCol) {
            g.setCol(g.Col() + 1);
            return;
        }
        // The next analysis starts at its sample name, never at the row-number column.
        g.setRow(g.Row() + 1 <= lastRow ? g.Row() + 1 : firstRow);
        g.setCol(std::min(1, lastCol));
        return;
    }
    if (g.Row() + 1 <= lastRow) {
        g.setRow(g.Row() + 1);
        return;
    }
    g.setRow(firstRow);
    g.setCol(0);
}

// --- the cell mirror -------------------------------------------------------------------------

void GridEditing::MSFlexGrid1_MouseDown(int button, int /*shift*/, int x, int y) {
    m_cellMirror.setText(QString::fromStdString(grid().Text()));
    if (button == kRightButton) {
        popUpAt(x, y);
    }
}

void GridEditing::popUpAt(int x, int y) {
    if (m_popUpMenu == nullptr) {
        return;
    }
    QPoint at = m_view.mapToGlobal(QPoint(x, y));
    at.rx() -= m_popUpMenu->sizeHint().width() / 2;
    m_popUpMenu->popup(at);
}

void GridEditing::MSFlexGrid1_Click() {
    setTextFromMirror();
}

void GridEditing::Text1_Change() {
    setTextFromMirror();
}

void GridEditing::setTextFromMirror() {
    const std::string text = m_cellMirror.text().toStdString();
    // A text pasted or dropped into the mirror may be longer than a cell holds; the cell's own
    // text, copied into the mirror by a press, always goes back.
    if (ExceedsCellTextLimit(text) && text != grid().Text()) {
        throw tooLongText(grid().Row(), grid().Col());
    }
    grid().setText(text);
}

RunTimeError GridEditing::tooLongText(int row, int col) {
    // The data entry window's fixed row holds the headings; the results window's holds only
    // column numbers.
    const std::string heading = m_variant == GridEditingVariant::DataEntry && grid().FixedRows() > 0
                                    ? grid().TextMatrix(0, col)
                                    : std::string();
    return RunTimeError(error::kOutOfStringSpace, "Out of string space",
                        DescribeTooLongGridCell(row, col, heading));
}

void GridEditing::Text1_KeyDown(int /*keyCode*/, int /*shift*/) {
    m_view.setFocus();
}

// --- edit commands ---------------------------------------------------------------------------

void GridEditing::mnuEditCut_Click() {
    mnuEditCopy_Click();
    mnuEditDelete_Click();
}

void GridEditing::mnuEditCopy_Click() {
    m_clipboard.Clear();
    m_clipboard.SetText(grid().Clip());
}

void GridEditing::mnuEditPaste_Click() {
    const std::optional<std::string> text = m_clipboard.GetText();
    if (!text) {
        return;
    }
    FlexGrid& g = grid();
    // Only the cells that land in the selection count; a text over the limit refuses the whole
    // paste before any cell changes.
    const int top = std::min(g.Row(), g.RowSel());
    const int left = std::min(g.Col(), g.ColSel());
    if (const auto cell = FindTooLongCell(*text, std::abs(g.RowSel() - g.Row()) + 1,
                                          std::abs(g.ColSel() - g.Col()) + 1)) {
        const int row = top + cell->row - 1;
        const int col = left + cell->column - 1;
        throw tooLongText(row, col);
    }
    g.setClip(*text);
}

void GridEditing::mnuEditDelete_Click() {
    FlexGrid& g = grid();
    const int rows = std::abs(g.RowSel() - g.Row()) + 1;
    const int cols = std::abs(g.ColSel() - g.Col()) + 1;
    g.setClip(EmptyGridTextBlock(rows, cols));
}

void GridEditing::mnuEditSelectAll_Click() {
    FlexGrid& g = grid();
    const int first = m_variant == GridEditingVariant::DataEntry ? 1 : 0;
    // Hidden while the selection is redrawn; hiding takes the keyboard focus away, so the grid
    // gets it back when it had it.
    const bool hadFocus = m_view.hasFocus();
    g.setVisible(false);
    g.setRow(std::min(first, g.Rows() - 1));
    g.setCol(std::min(first, g.Cols() - 1));
    g.setRowSel(g.Rows() - 1);
    g.setColSel(g.Cols() - 1);
    g.setTopRow(std::min(1, g.Rows() - 1));
    g.setVisible(true);
    if (hadFocus) {
        m_view.setFocus();
    }
}

void GridEditing::mnuClear_Click() {
    if (m_variant != GridEditingVariant::DataEntry) {
        return;
    }
    grid().Clear();
    if (m_gridLayout) {
        m_gridLayout(grid());
    }
}

void GridEditing::mnuEditInsertRow_Click() {
    if (m_variant != GridEditingVariant::DataEntry) {
        return;
    }
    grid().AddItem("", grid().Row());
}

void GridEditing::mnuDelete_Click() {
    if (m_variant != GridEditingVariant::DataEntry || grid().Rows() <= 2) {
        return;
    }
    grid().RemoveItem(grid().Row());
}

}  // namespace stelvador
