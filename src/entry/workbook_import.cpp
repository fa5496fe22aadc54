#include "entry/workbook_import.h"

#include <string>

#include "common/continue_on_error.h"
#include "common/error_numbers.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"
#include "entry/workbook_command_window.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/spreadsheet/spreadsheet.h"

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
    Project().LastFileName = name;

    window.layOutEmptyGrid();
    window.setScreenTitle("Open Excel File");
    const SpreadsheetApplication application = ObtainApplication(window.spreadsheetApplications());
    if (application.isNothing()) {
        window.showMessage("Can't open Excel.");
    }
    window.setScreenTitle("Wait  Please");

    Workbook book;
    bool openedHere = false;
    Worksheet sheet;
    const bool opened = ContinueOnError([&] {
        const WorkbookCollection workbooks = application.Workbooks();
        const int countBefore = workbooks.Count();
        book = workbooks.Open(name);
        openedHere = workbooks.Count() > countBefore;
        sheet = application.ActiveSheet();
        if (sheet.isNothing()) {
            // The active sheet is no worksheet (a chart): it has no cells to read.
            throw RunTimeError(error::kObjectRequired, "The active sheet holds no cells.");
        }
    });
    if (opened) {
        CopySheetIntoGrid(sheet, window.analysisGrid());
    }
    if (openedHere) {
        ContinueOnError([&] { book.Close(); });
    }
    window.setScreenTitle("Data Entry Screen");
}

}  // namespace stelvador
