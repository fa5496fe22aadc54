#pragma once

#include <string>

namespace stelvador {

class FileDialog;
class FlexGrid;
class MessageBox;
class SpreadsheetApplications;

// What the workbook import and the template commands need of the data entry window.
class WorkbookCommandWindow {
  public:
    virtual ~WorkbookCommandWindow() = default;

    virtual void setScreenTitle(const std::string& title) = 0;
    virtual FlexGrid& analysisGrid() = 0;
    virtual FileDialog& fileDialog() = 0;
    // The data entry screen with a cleared, freshly laid-out analysis grid, as New File sets it
    // up, but without the grid template file: the current folder is the workbook's, where a
    // template would be litter, or a failure for an import that succeeded. Runs in
    // continue-on-error mode; leaves its failure pending.
    virtual void layOutEmptyGrid() = 0;
    // The spreadsheet applications of the program, and the folder of the program's workbooks.
    virtual SpreadsheetApplications& spreadsheetApplications() = 0;
    virtual std::string programFolder() const = 0;
    // Shown when no spreadsheet application can be reached.
    virtual void showMessage(const std::string& text) = 0;
    // The wait cursor while a workbook is read (true), and the usual one again (false).
    virtual void showBusy(bool busy) { static_cast<void>(busy); }
};

}  // namespace stelvador
