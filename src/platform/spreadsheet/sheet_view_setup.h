#pragma once

class QTableView;

namespace stelvador {

// Sets up a view of a worksheet's cells (a SheetTableModel) as the spreadsheet window shows
// them: a long text drawn on one line, elided; no column fitted to its contents (a double click
// on a heading's edge) wider than 40 digits; and a cell editor that holds at most
// kCellTextLimit characters, so typing stops there and a longer paste into it is refused.
void SetUpSheetView(QTableView& view);

}  // namespace stelvador
