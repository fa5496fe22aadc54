#include "entry/workbook_import.h"

#include <optional>
#include <string>
#include <vector>

#include "common/cell_text_limit.h"
#include "common/continue_on_error.h"
#include "common/error_numbers.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"
#include "entry/workbook_command_window.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/workbook_file.h"
#include "platform/spreadsheet/workbook_refusal.h"

namespace stelvador {

namespace {

// A running application, else a new one; the empty reference when neither can be had. A failed
// attach is no failure of the import when a new application starts.
SpreadsheetApplication ObtainApplication(SpreadsheetApplications& applications) {
    SpreadsheetApplication application;
    const int pendingBefore = PendingError();
    const std::string reasonBefore = PendingReason();
    if (ContinueOnError([&] { application = applications.Attach(); })) {
        return application;
    }
    SetPendingError(pendingBefore, reasonBefore);
    ContinueOnError([&] { application = applications.Create(); });
    return application;
}

// The texts of sheet cells A1 to AR301, row by row; a cell whose value could not be read holds
// nothing (its grid cell keeps its text).
using ImportedCells = std::vector<std::optional<std::string>>;

std::size_t CellIndex(int row, int column) {
    return static_cast<std::size_t>(row) * kImportedColumns + static_cast<std::size_t>(column);
}

// From the sheet of a workbook open in the application, as it stands there.
ImportedCells ReadOpenSheet(const Worksheet& sheet) {
    ImportedCells cells(static_cast<std::size_t>(kImportedRows) * kImportedColumns);
    for (int r = 0; r < kImportedRows; ++r) {
        for (int c = 0; c < kImportedColumns; ++c) {
            ContinueOnError([&] {
                std::string text = sheet.Cells(r + 1, c + 1).Value();
                if (ExceedsCellTextLimit(text)) {
                    throw SheetCellTooLong(r + 1, c + 1);
                }
                cells[CellIndex(r, c)] = std::move(text);
            });
        }
    }
    return cells;
}

// The workbook's active sheet: as the application holding it shows it, unsaved edits and all,
// when the workbook is open in any of the applications (which makes it the active workbook
// there), else read from the file, only as far as the grid takes.
ImportedCells ReadImportedCells(const SpreadsheetApplication& application,
                                const SpreadsheetApplications& applications,
                                const std::string& name) {
    // Without an application of its own the import reads nothing (424, object required).
    static_cast<void>(application.Workbooks());
    const SpreadsheetApplication holder = applications.Holding(name);
    if (!holder.isNothing()) {
        holder.Workbooks().Open(name);
        const Worksheet sheet = holder.ActiveSheet();
        if (sheet.isNothing()) {
            RefuseChartSheet();
        }
        return ReadOpenSheet(sheet);
    }
    const WorkbookData data =
        ReadWorkbookFile(name, ActiveSheetRange(kImportedRows, kImportedColumns));
    ImportedCells cells(static_cast<std::size_t>(kImportedRows) * kImportedColumns, std::string());
    data.sheets.at(0).cells.ForEach([&](int row, int column, const CellValue& value) {
        if (row <= kImportedRows && column <= kImportedColumns) {
            cells[CellIndex(row - 1, column - 1)] = value.text;
        }
    });
    return cells;
}

// The wait cursor for as long as it lives.
class BusyWindow {
  public:
    explicit BusyWindow(WorkbookCommandWindow& window) : m_window(window) {
        m_window.showBusy(true);
    }
    ~BusyWindow() { m_window.showBusy(false); }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

  private:
    WorkbookCommandWindow& m_window;
};

}  // namespace

void CopySheetIntoGrid(const Worksheet& sheet, FlexGrid& grid) {
    for (int r = 0; r < kImportedRows; ++r) {
        for (int c = 0; c < kImportedColumns; ++c) {
            ContinueOnError([&] { grid.setTextMatrix(r, c, sheet.Cells(r + 1, c + 1).Value()); });
        }
    }
    ContinueOnError([&] {
        grid.setRow(kImportedRows - 1);
        grid.setCol(kImportedColumns - 1);
    });
}

void ImportWorkbook(WorkbookCommandWindow& window, std::string_view filter) {
    EnterContinueOnError();
    FileDialog& dialog = window.fileDialog();
    dialog.setFileName(std::string());
    const bool answered = ContinueOnError([&] {
        dialog.setFilter(std::string(filter));
        dialog.ShowOpen();
    });
    const std::string name = dialog.FileName();
    if (!answered || name.empty()) {
        return;  // nothing has changed yet, and a cancel is no failure
    }
    SpreadsheetApplications& applications = window.spreadsheetApplications();
    const SpreadsheetApplication application = ObtainApplication(applications);

    // The workbook is read before the grid is laid out afresh: a cell too long for the grid
    // refuses the workbook and leaves the window as it was.
    ImportedCells cells;
    bool tooLong = false;
    bool read = false;
    {
        const BusyWindow busy(window);
        read = ContinueOnError([&] {
            try {
                cells = ReadImportedCells(application, applications, name);
            } catch (const SheetCellTooLong&) {
                tooLong = true;
                throw;
            }
        });
    }
    if (tooLong) {
        return;
    }
    const int readError = PendingError();
    const std::string readReason = PendingReason();

    Project().LastFileName = name;
    window.layOutEmptyGrid();
    window.setScreenTitle("Open Excel File");
    if (application.isNothing()) {
        window.showMessage("Can't open Excel.");
    }
    window.setScreenTitle("Wait  Please");
    FlexGrid& grid = window.analysisGrid();
    if (read) {
        for (int r = 0; r < kImportedRows; ++r) {
            for (int c = 0; c < kImportedColumns; ++c) {
                if (const auto& text = cells[CellIndex(r, c)]) {
                    ContinueOnError([&] { grid.setTextMatrix(r, c, *text); });
                }
            }
        }
        ContinueOnError([&] {
            grid.setRow(kImportedRows - 1);
            grid.setCol(kImportedColumns - 1);
        });
    }
    if (readError != 0) {
        // New File began afresh; the read's failure is the one to report.
        SetPendingError(readError, readReason);
    }
    window.setScreenTitle("Data Entry Screen");
}

}  // namespace stelvador
