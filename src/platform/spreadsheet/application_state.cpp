#include "platform/spreadsheet/application_state.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet_window_factory.h"
#include "platform/spreadsheet/workbook_file.h"
#include "platform/spreadsheet/written_value.h"
#include "platform/spreadsheet/xlsx_writer.h"

namespace stelvador {

namespace {

std::string ComparablePath(const std::string& path) {
    std::error_code code;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, code);
    return code ? path : canonical.string();
}

std::shared_ptr<WorkbookState> FindIn(const ApplicationState& application,
                                      const std::string& path) {
    for (const auto& book : application.books) {
        if (SameFile(book->path, path)) {
            return book;
        }
    }
    return nullptr;
}

// The name of a workbook read from another format saved as .xlsx: beside it, never a file that
// is there already ("Stelvador (from xls).xlsx", then "Stelvador (from xls) 2.xlsx", ...).
std::string NewXlsxPathBeside(const std::string& path) {
    const std::filesystem::path original(path);
    std::string format = original.extension().string();
    if (!format.empty()) {
        format.erase(0, 1);
    }
    const std::string stem = original.stem().string() + " (from " + format + ")";
    for (int number = 1;; ++number) {
        const std::string name = number == 1 ? stem : stem + " " + std::to_string(number);
        std::filesystem::path candidate = original;
        candidate.replace_filename(name + ".xlsx");
        std::error_code code;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, code))) {
            return candidate.string();
        }
    }
}

}  // namespace

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

bool SameFile(const std::string& one, const std::string& other) {
    if (one.empty() || other.empty()) {
        return false;
    }
    // The same file by device and inode where both are there (links, other spellings), by the
    // canonical path where not.
    std::error_code code;
    if (std::filesystem::equivalent(one, other, code) && !code) {
        return true;
    }
    return ComparablePath(one) == ComparablePath(other);
}

std::shared_ptr<WorkbookState> FindOpenWorkbook(const ApplicationRegistryState& registry,
                                                const std::string& path) {
    for (const auto& application : registry.applications) {
        if (auto book = FindIn(*application, path)) {
            return book;
        }
    }
    return nullptr;
}

std::shared_ptr<WorkbookState> OpenWorkbook(ApplicationState& application,
                                            const std::string& path) {
    // A workbook is open once only, in whichever application opened it: two copies would each
    // save over the other's edits.
    std::shared_ptr<WorkbookState> open = FindIn(application, path);
    if (!open && application.registry != nullptr) {
        open = FindOpenWorkbook(*application.registry, path);
    }
    if (open) {
        ApplicationState& holder = *open->application;
        holder.activeBook = open;
        if (holder.view) {
            holder.view->WorkbooksChanged();
        }
        return open;
    }
    WorkbookData data = ReadWorkbookFile(path);
    auto book = std::make_shared<WorkbookState>();
    book->application = &application;
    book->path = path;
    book->activeSheet = data.activeSheet;
    for (SheetData& sheetData : data.sheets) {
        auto sheet = std::make_shared<SheetState>();
        sheet->book = book.get();
        sheet->data = std::move(sheetData);
        book->sheets.push_back(std::move(sheet));
    }
    application.books.push_back(book);
    application.activeBook = book;
    if (application.view) {
        application.view->WorkbooksChanged();
    }
    return book;
}

void CloseWorkbook(const std::shared_ptr<WorkbookState>& book) {
    ApplicationState& application = *book->application;
    auto& books = application.books;
    books.erase(std::remove(books.begin(), books.end(), book), books.end());
    if (application.activeBook == book) {
        application.activeBook = books.empty() ? nullptr : books.back();
    }
    if (application.view) {
        application.view->WorkbooksChanged();
    }
}

void SetCellText(SheetState& sheet, int row, int column, const std::string& text) {
    CellValue value = WrittenCellValue(text);
    const CellValue* old = sheet.data.cells.Find(row, column);
    const bool unchanged =
        old == nullptr ? text.empty() : (old->kind == value.kind && old->text == value.text);
    if (unchanged) {
        return;
    }
    sheet.data.cells.Set(row, column, std::move(value));
    WorkbookState& book = *sheet.book;
    const bool wasSaved = book.saved;
    book.saved = false;
    if (ApplicationState& application = *book.application; application.view) {
        application.view->CellChanged(sheet, row, column);
        if (wasSaved) {
            application.view->SavedStateChanged(book);
        }
    }
}

void SaveWorkbookAs(WorkbookState& book, const std::string& path) {
    std::vector<const SheetData*> sheets;
    for (const auto& sheet : book.sheets) {
        sheets.push_back(&sheet->data);
    }
    WriteXlsxWorkbook(sheets, path);
    book.path = path;
    book.saved = true;
    if (book.application->view) {
        book.application->view->SavedStateChanged(book);
    }
}

std::string SuggestedSavePath(const WorkbookState& book) {
    return HasXlsxExtension(book.path) ? book.path : NewXlsxPathBeside(book.path);
}

std::string ChooseSavePathFor(const WorkbookState& book) {
    SaveChangesQuestion& question = *book.application->question;
    if (!HasXlsxExtension(book.path)) {
        question.TellSavedAsNewXlsx(FileNameOf(book.path));
    }
    return question.ChooseSavePath(SuggestedSavePath(book));
}

bool SaveWorkbook(WorkbookState& book) {
    if (HasXlsxExtension(book.path)) {
        SaveWorkbookAs(book, book.path);
        return true;
    }
    const std::string chosen = ChooseSavePathFor(book);
    if (chosen.empty()) {
        return false;
    }
    SaveWorkbookAs(book, chosen);
    return true;
}

bool AskAndSaveChanges(WorkbookState& book) {
    SaveChangesQuestion& question = *book.application->question;
    // Once a save to the workbook's own path has failed, every later Save asks where to.
    bool ownPathFailed = false;
    while (!book.saved) {
        const std::string name = FileNameOf(book.path);
        const SaveChangesAnswer answer = question.AskSaveChanges(name);
        if (answer != SaveChangesAnswer::Save) {
            return answer == SaveChangesAnswer::DontSave;
        }
        if (!ownPathFailed && HasXlsxExtension(book.path)) {
            try {
                SaveWorkbookAs(book, book.path);
                return true;
            } catch (const RunTimeError& failure) {
                question.ReportSaveFailure(name, failure.what());
                ownPathFailed = true;
            }
        }
        const std::string chosen = ChooseSavePathFor(book);
        if (chosen.empty()) {
            continue;  // the changes are not saved yet: asked again, where Cancel keeps them
        }
        try {
            SaveWorkbookAs(book, chosen);
        } catch (const RunTimeError& failure) {
            question.ReportSaveFailure(FileNameOf(chosen), failure.what());
        }
    }
    return true;
}

void SetApplicationVisible(ApplicationState& application, bool visible) {
    application.visible = visible;
    if (visible && !application.view) {
        application.view = MakeSpreadsheetWindow(application);
    }
    if (application.view) {
        application.view->SetShown(visible);
    }
}

bool SettleUnsavedWorkbooks(const ApplicationState& application) {
    // Copies: a question may run an event loop in which the list changes.
    const std::vector<std::shared_ptr<WorkbookState>> books = application.books;
    for (const auto& book : books) {
        if (!AskAndSaveChanges(*book)) {
            return false;
        }
    }
    return true;
}

bool QuitApplication(const std::shared_ptr<ApplicationState>& application) {
    if (!SettleUnsavedWorkbooks(*application)) {
        return false;
    }
    CloseApplication(application);
    return true;
}

void CloseApplication(const std::shared_ptr<ApplicationState>& application) {
    application->view.reset();
    application->visible = false;
    application->activeBook.reset();
    application->books.clear();
    if (ApplicationRegistryState* registry = application->registry) {
        auto& list = registry->applications;
        list.erase(std::remove(list.begin(), list.end(), application), list.end());
    }
}

}  // namespace stelvador
