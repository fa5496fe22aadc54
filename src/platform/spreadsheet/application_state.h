#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/save_changes_question.h"
#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

struct ApplicationState;
struct ApplicationRegistryState;
struct WorkbookState;
struct SheetState;

// What shows an application's workbooks (its window); told of every change.
class WorkbookView {
  public:
    virtual ~WorkbookView() = default;
    virtual void SetShown(bool shown) = 0;
    virtual void WorkbooksChanged() = 0;
    virtual void CellChanged(const SheetState& sheet, int row, int column) = 0;
    virtual void SavedStateChanged(const WorkbookState& book) = 0;
};

struct SheetState {
    WorkbookState* book = nullptr;  // the owner
    SheetData data;
};

struct WorkbookState {
    ApplicationState* application = nullptr;  // the owner
    std::string path;
    bool saved = true;
    int activeSheet = 0;  // -1: the active sheet is no worksheet
    std::vector<std::shared_ptr<SheetState>> sheets;
    // The .xlsx package the workbook was read from or last saved as; null for a new workbook.
    std::shared_ptr<const XlsxSource> xlsxSource;
};

struct ApplicationState {
    ApplicationRegistryState* registry = nullptr;  // the owner
    std::shared_ptr<SaveChangesQuestion> question;
    bool visible = false;
    std::vector<std::shared_ptr<WorkbookState>> books;
    std::shared_ptr<WorkbookState> activeBook;
    std::unique_ptr<WorkbookView> view;
};

struct ApplicationRegistryState {
    std::shared_ptr<SaveChangesQuestion> question;
    std::vector<std::shared_ptr<ApplicationState>> applications;
};

// True when both paths name the same file: the same device and inode, or where a file is not
// there, the same canonical path. The empty path names no file.
bool SameFile(const std::string& one, const std::string& other);

// The workbook open under the path in any application of the registry, or nullptr.
std::shared_ptr<WorkbookState> FindOpenWorkbook(const ApplicationRegistryState& registry,
                                                const std::string& path);

// Opens a workbook file into the application and makes it active. A workbook already open in
// any application of the registry is not read again: it is made the active workbook of the
// application that holds it, with its unsaved changes, and returned.
std::shared_ptr<WorkbookState> OpenWorkbook(ApplicationState& application, const std::string& path);

// Drops the workbook from its application without saving; the previous workbook becomes active.
void CloseWorkbook(const std::shared_ptr<WorkbookState>& book);

// Writes a cell's text; the workbook counts as changed when the value differs.
void SetCellText(SheetState& sheet, int row, int column, const std::string& text);

// Writes the workbook as .xlsx to the path and makes it the workbook's own.
void SaveWorkbookAs(WorkbookState& book, const std::string& path);

// The path a Save As proposes: an .xlsx workbook's own path; for a workbook read from another
// format (.xls, which this program does not write) a new .xlsx name beside it that no file has.
std::string SuggestedSavePath(const WorkbookState& book);

// Asks the user for the path to save the workbook to, proposing SuggestedSavePath; a workbook
// read from .xls is first said to be saved as a new .xlsx file. The empty text on a cancel.
std::string ChooseSavePathFor(const WorkbookState& book);

// Saves to the workbook's own path when it is an .xlsx, else to a path the user chooses;
// false when the user cancels the choice.
bool SaveWorkbook(WorkbookState& book);

void SetApplicationVisible(ApplicationState& application, bool visible);

// Asks whether to keep the changes of each unsaved workbook of the applications, then saves
// those the user keeps: to the workbook's own .xlsx, else (a workbook read from .xls, or an own
// path that failed) to a path the user chooses. A failed save is reported and the question
// asked again, and so is a cancelled choice of a path. False when the user answers Cancel; a
// Cancel among the first questions saves nothing.
bool SettleUnsavedWorkbooks(const std::vector<std::shared_ptr<ApplicationState>>& applications);

// Closes the window, drops the workbooks without asking and removes the application from its
// registry.
void CloseApplication(const std::shared_ptr<ApplicationState>& application);

// Asks about unsaved workbooks, then closes the application; false, with the application
// running and its window as it was, when the user cancels.
bool QuitApplication(const std::shared_ptr<ApplicationState>& application);

std::string FileNameOf(const std::string& path);

}  // namespace stelvador
