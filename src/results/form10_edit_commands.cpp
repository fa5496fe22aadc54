// The Edit commands on the results grid. Select All starts at row 0, column 0: every cell.
#include <QClipboard>
#include <QGuiApplication>

#include "common/error_message_tables.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "entry/error_reporter.h"
#include "platform/flex_grid.h"
#include "results/form10.h"

namespace stelvador {

namespace {

QClipboard& Clipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw RunTimeError(error::kCantOpenClipboard, "Can't open clipboard");
    }
    return *clipboard;
}

// A block of empty cells as large as the grid's selection.
std::string EmptyBlock(const FlexGrid& grid) {
    const int rows = std::abs(grid.RowSel() - grid.Row()) + 1;
    const int cols = std::abs(grid.ColSel() - grid.Col()) + 1;
    std::string row(static_cast<std::size_t>(cols - 1), '\t');
    std::string block;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) {
            block += '\r';
        }
        block += row;
    }
    return block;
}

void Copy(const FlexGrid& grid) {
    QString text = QString::fromStdString(grid.Clip());
    // The desktop's line end between rows.
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Clipboard().setText(text);
}

void Delete(FlexGrid& grid) {
    grid.setClip(EmptyBlock(grid));
}

}  // namespace

void Form10::mnuEditCut_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { cutSelection(); });
}

void Form10::mnuEditCopy_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { copySelection(); });
}

void Form10::mnuEditPaste_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { pasteClipboard(); });
}

void Form10::mnuEditDelete_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { deleteSelection(); });
}

void Form10::mnuEditSelectAll_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { selectAllCells(); });
}

void Form10::cutSelection() {
    Copy(MSFlexGrid1());
    Delete(MSFlexGrid1());
}

void Form10::copySelection() {
    Copy(MSFlexGrid1());
}

void Form10::pasteClipboard() {
    QString text = Clipboard().text();
    if (text.isEmpty()) {
        return;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    MSFlexGrid1().setClip(text.toStdString());
}

void Form10::deleteSelection() {
    Delete(MSFlexGrid1());
}

void Form10::selectAllCells() {
    FlexGrid& grid = MSFlexGrid1();
    grid.setVisible(false);
    grid.setRow(0);
    grid.setCol(0);
    grid.setRowSel(grid.Rows() - 1);
    grid.setColSel(grid.Cols() - 1);
    grid.setTopRow(1);
    grid.setVisible(true);
}

}  // namespace stelvador
