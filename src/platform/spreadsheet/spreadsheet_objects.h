#pragma once

#include <memory>
#include <string>
#include <vector>

namespace stelvador {

struct ApplicationState;
struct WorkbookState;
struct SheetState;

// References to the objects of a spreadsheet application, held by their callers like automation
// object references. A default-constructed reference is empty ("Nothing"); so is a reference
// whose object has gone (its application has quit). Every operation through an empty reference
// throws RunTimeError 424 (object required), so a caller that failed to obtain an object meets
// that failure at its next use of it.

class Worksheet;

// One cell of a worksheet, addressed by row and column from 1.
class Cell {
  public:
    // The cell's value as text: numbers in shortest round-trip form ("38.65042", "23"), text as
    // it stands, booleans "TRUE"/"FALSE", dates as ISO dates, an empty cell the empty text.
    std::string Value() const;
    // Makes the text the cell's value; the empty text empties the cell.
    void setValue(const std::string& text) const;

  private:
    friend class Worksheet;
    Cell(std::weak_ptr<SheetState> sheet, int row, int column);

    std::weak_ptr<SheetState> m_sheet;
    int m_row;
    int m_column;
};

class Worksheet {
  public:
    Worksheet() = default;

    bool isNothing() const { return m_sheet.expired(); }
    std::string Name() const;
    // Throws RunTimeError 9 (subscript out of range) for a row or column outside the sheet's
    // limits (1 to 1,048,576 rows, 1 to 16,384 columns).
    Cell Cells(int row, int column) const;
    // The rows, in order, that hold at least one cell with a value.
    std::vector<int> RowsWithValues() const;

  private:
    friend class Workbook;
    friend class SpreadsheetApplication;
    explicit Worksheet(std::weak_ptr<SheetState> sheet) : m_sheet(std::move(sheet)) {}

    std::weak_ptr<SheetState> m_sheet;
};

class Workbook {
  public:
    Workbook() = default;

    bool isNothing() const { return m_book.expired(); }
    // The path the workbook was opened from (or last saved to).
    std::string FullName() const;
    // True while the workbook holds no changes since it was opened or saved.
    bool Saved() const;
    // The worksheet at a position from 1; RunTimeError 9 when the workbook has no such sheet.
    Worksheet Worksheets(int index) const;
    int WorksheetCount() const;
    // Writes the workbook as .xlsx to its own path (a workbook read from another format asks
    // for a path first, see SaveChangesQuestion) or to the given path, which it then takes as
    // its own. RunTimeError 75 when the file cannot be written.
    void Save() const;
    void SaveAs(const std::string& path) const;
    // Closes the workbook without asking or saving: it leaves its application, and every
    // reference to it and its sheets becomes empty. For a caller that changed nothing in it.
    void Close() const;

  private:
    friend class WorkbookCollection;
    explicit Workbook(std::weak_ptr<WorkbookState> book) : m_book(std::move(book)) {}

    std::weak_ptr<WorkbookState> m_book;
};

// The collection of open workbooks of one application.
class WorkbookCollection {
  public:
    // Opens the workbook file (.xlsx or .xls, told apart by content) and makes it the active
    // workbook; a workbook already open under the same file, in this application or another
    // one of the process, is returned as it stands (active in the application that holds it).
    // Errors: 52 empty name, 53 no such file, 76 no such folder, 75 not readable, 321 not a
    // workbook / corrupt / encrypted / beyond the size this program reads.
    Workbook Open(const std::string& path) const;
    // The workbook open in this application under the same file, or an empty reference; opens
    // nothing and changes nothing.
    Workbook Find(const std::string& path) const;
    int Count() const;

  private:
    friend class SpreadsheetApplication;
    explicit WorkbookCollection(std::weak_ptr<ApplicationState> app) : m_app(std::move(app)) {}

    std::weak_ptr<ApplicationState> m_app;
};

// One spreadsheet application created by this process (see SpreadsheetApplications).
class SpreadsheetApplication {
  public:
    SpreadsheetApplication() = default;

    bool isNothing() const { return m_app.expired(); }
    bool Visible() const;
    // True shows the application's window (the open workbooks' first sheets, editable, with
    // File > Save and Save As); false hides it.
    void setVisible(bool visible) const;
    WorkbookCollection Workbooks() const;
    // The active sheet of the active workbook; an empty reference when no workbook is open.
    Worksheet ActiveSheet() const;
    // Asks about every workbook holding unsaved changes (Save / Don't Save / Cancel) and saves
    // those the user wants kept, then closes the window and drops the workbooks; the application
    // ends and every reference to it and its objects becomes empty. False when the user answers
    // Cancel: the application runs on with its window and workbooks as they were.
    bool Quit() const;

  private:
    friend class SpreadsheetApplications;
    explicit SpreadsheetApplication(std::weak_ptr<ApplicationState> app) : m_app(std::move(app)) {}

    std::weak_ptr<ApplicationState> m_app;
};

}  // namespace stelvador
