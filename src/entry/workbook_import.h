#pragma once

#include <string_view>

namespace stelvador {

class FlexGrid;
class Worksheet;
class WorkbookCommandWindow;

// The import dialog's filters.
inline constexpr std::string_view kXlsImportFilter = "Excel files (*.xls)|*.xls";
inline constexpr std::string_view kXlsxImportFilter = "Excel files (*.xlsx)|*.xlsx";

// The sheet block the import reads: rows 1 to 301 and columns A to AR, the analysis grid's shape.
inline constexpr int kImportedRows = 301;
inline constexpr int kImportedColumns = 44;

// Copies sheet cells A1 to AR301 into grid rows 0 to 300, columns 0 to 43, each cell's value as
// text (an empty sheet cell gives the empty text), so a sheet laid out like the grid fills it
// cell for cell. A cell whose value cannot be read keeps its text and leaves its failure
// pending; the others are read. The grid must hold 301 x 44 cells. Ends with the current cell
// at row 300, column 43.
void CopySheetIntoGrid(const Worksheet& sheet, FlexGrid& grid);

// The workbook import: asks for a workbook with the filter first (a cancel changes nothing and
// reports nothing), then runs New File with a running spreadsheet application (or a new one) at
// hand and copies the workbook's active sheet into the fresh analysis grid. A workbook open in
// any of the program's spreadsheet applications is read as its window shows it, unsaved edits
// and all; any other is read from the file and not left open, so the next import reads the file
// as it then is. Runs in continue-on-error mode and leaves the last failure pending for the
// error reporter; a workbook that cannot be read leaves the fresh layout.
void ImportWorkbook(WorkbookCommandWindow& window, std::string_view filter);

}  // namespace stelvador
