#include "platform/spreadsheet/application_state.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet_window_factory.h"
#include "platform/spreadsheet/workbook_file.h"
#include "platform/spreadsheet/written_value.h"
#include "platform/spreadsheet/xlsx_package_rewrite.h"
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
    const std::string extension = original.extension().string();
    const std::string stem =
        original.stem().string() + (extension.empty() ? "" : " (from " + extension.substr(1) + ")");
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
    book->xlsxSource = data.xlsxSource;
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
    sheet.data.writtenCells.emplace(row, column);
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
    // A workbook read from an .xlsx file is saved by rewriting only the cells written in its
    // package; a new one is written whole.
    if (book.xlsxSource) {
        book.xlsxSource = std::make_shared<const XlsxSource>(
            WriteRewrittenXlsxPackage(*book.xlsxSource, sheets, path));
        for (const auto& sheet : book.sheets) {
            sheet->data.writtenCells.clear();
        }
    } else {
        WriteXlsxWorkbook(sheets, path);
    }
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

void SetApplicationVisible(ApplicationState& application, bool visible) {
    application.visible = visible;
    if (visible && !application.view) {
        application.view = MakeSpreadsheetWindow(application);
    }
    if (application.view) {
        application.view->SetShown(visible);
    }
}

namespace {

// Saves a workbook the user chose to keep. A failed save is reported and, like a cancelled
// choice of a path, asks the question again; once the workbook's own path has failed, a Save
// asks for another path, so the changes can be kept elsewhere when the workbook's folder cannot
// take them. False when the user then answers Cancel.
bool SaveKeptChanges(WorkbookState& book) {
    SaveChangesQuestion& question = *book.application->question;
    bool ownPathFailed = false;
    for (;;) {
        if (!ownPathFailed && HasXlsxExtension(book.path)) {
            try {
                SaveWorkbookAs(book, book.path);
                return true;
            } catch (const RunTimeError& failure) {
                question.ReportSaveFailure(FileNameOf(book.path), failure.what());
                ownPathFailed = true;
            }
        }
        if (const std::string chosen = ChooseSavePathFor(book); !chosen.empty()) {
            try {
                SaveWorkbookAs(book, chosen);
                return true;
            } catch (const RunTimeError& failure) {
                question.ReportSaveFailure(FileNameOf(chosen), failure.what());
            }
        }
        const SaveChangesAnswer answer = question.AskSaveChanges(FileNameOf(book.path));
        if (answer != SaveChangesAnswer::Save) {
            return answer == SaveChangesAnswer::DontSave;
        }
    }
}

}  // namespace

bool SettleUnsavedWorkbooks(const std::vector<std::shared_ptr<ApplicationState>>& applications) {
    // Every question is answered before anything is saved or closed, so a Cancel changes
    // nothing. Copies: a question may run an event loop in which the lists change.
    std::vector<std::shared_ptr<WorkbookState>> kept;
    for (const auto& application : applications) {
        const std::vector<std::shared_ptr<WorkbookState>> books = application->books;
        for (const auto& book : books) {
            if (book->saved) {
                continue;
            }
            const SaveChangesAnswer answer =
                application->question->AskSaveChanges(FileNameOf(book->path));
            if (answer == SaveChangesAnswer::Cancel) {
                return false;
            }
            if (answer == SaveChangesAnswer::Save) {
                kept.push_back(book);
            }
        }
    }
    for (const auto& book : kept) {
        if (!SaveKeptChanges(*book)) {
            return false;
        }
    }
    return true;
}

bool QuitApplication(const std::shared_ptr<ApplicationState>& application) {
    if (!SettleUnsavedWorkbooks({application})) {
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
