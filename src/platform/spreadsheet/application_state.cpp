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

}  // namespace

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::shared_ptr<WorkbookState> OpenWorkbook(ApplicationState& application,
                                            const std::string& path) {
    if (!path.empty()) {
        const std::string comparable = ComparablePath(path);
        for (const auto& book : application.books) {
            if (ComparablePath(book->path) == comparable) {
                application.activeBook = book;
                if (application.view) {
                    application.view->WorkbooksChanged();
                }
                return book;
            }
        }
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

bool SaveWorkbook(WorkbookState& book) {
    if (HasXlsxExtension(book.path)) {
        SaveWorkbookAs(book, book.path);
        return true;
    }
    std::filesystem::path suggested(book.path);
    suggested.replace_extension(".xlsx");
    const std::string chosen = book.application->question->ChooseSavePath(suggested.string());
    if (chosen.empty()) {
        return false;
    }
    SaveWorkbookAs(book, chosen);
    return true;
}

void AskAndSaveChanges(WorkbookState& book) {
    SaveChangesQuestion& question = *book.application->question;
    // Once a save to the workbook's own path has failed, every later Save asks where to.
    bool ownPathFailed = false;
    while (!book.saved) {
        const std::string name = FileNameOf(book.path);
        if (question.AskSaveChanges(name) == SaveChangesAnswer::DontSave) {
            return;
        }
        if (!ownPathFailed && HasXlsxExtension(book.path)) {
            try {
                SaveWorkbookAs(book, book.path);
                return;
            } catch (const RunTimeError& failure) {
                question.ReportSaveFailure(name, failure.what());
                ownPathFailed = true;
            }
        }
        std::filesystem::path suggested(book.path);
        suggested.replace_extension(".xlsx");
        const std::string chosen = question.ChooseSavePath(suggested.string());
        if (chosen.empty()) {
            if (ownPathFailed) {
                continue;  // the changes are not saved yet: asked again
            }
            return;  // the user cancelled the choice of a file: as Don't Save
        }
        try {
            SaveWorkbookAs(book, chosen);
        } catch (const RunTimeError& failure) {
            question.ReportSaveFailure(FileNameOf(chosen), failure.what());
        }
    }
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

void QuitApplication(const std::shared_ptr<ApplicationState>& application) {
    // Copies: a question may run an event loop in which the list changes.
    const std::vector<std::shared_ptr<WorkbookState>> books = application->books;
    for (const auto& book : books) {
        AskAndSaveChanges(*book);
    }
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
