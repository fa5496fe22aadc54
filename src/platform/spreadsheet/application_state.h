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

// Opens a workbook file into the application (or finds it open there) and makes it active.
std::shared_ptr<WorkbookState> OpenWorkbook(ApplicationState& application, const std::string& path);

// Drops the workbook from its application without saving; the previous workbook becomes active.
void CloseWorkbook(const std::shared_ptr<WorkbookState>& book);

// Writes a cell's text; the workbook counts as changed when the value differs.
void SetCellText(SheetState& sheet, int row, int column, const std::string& text);

// Writes the workbook as .xlsx to the path and makes it the workbook's own.
void SaveWorkbookAs(WorkbookState& book, const std::string& path);

// Saves to the workbook's own path when it is an .xlsx, else to a path the user chooses;
// false when the user cancels the choice.
bool SaveWorkbook(WorkbookState& book);

// Asks whether to keep the changes of an unsaved workbook and saves them when told to; a
// failed save is reported and the question asked again. After a save to the workbook's own
// path has failed, Save asks for another path (cancelling it asks the question again), so the
// changes can be kept elsewhere when the workbook's folder cannot take them.
void AskAndSaveChanges(WorkbookState& book);

void SetApplicationVisible(ApplicationState& application, bool visible);

// Asks about unsaved workbooks, closes the window, drops the workbooks and removes the
// application from its registry.
void QuitApplication(const std::shared_ptr<ApplicationState>& application);

std::string FileNameOf(const std::string& path);

}  // namespace stelvador
