#include "platform/spreadsheet/spreadsheet_objects.h"

#include <algorithm>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/application_state.h"

namespace stelvador {

namespace {

template <typename State>
std::shared_ptr<State> Require(const std::weak_ptr<State>& reference) {
    std::shared_ptr<State> state = reference.lock();
    if (!state) {
        throw RunTimeError(error::kObjectRequired, "Object required");
    }
    return state;
}

}  // namespace

Cell::Cell(std::weak_ptr<SheetState> sheet, int row, int column)
    : m_sheet(std::move(sheet)), m_row(row), m_column(column) {}

std::string Cell::Value() const {
    const auto sheet = Require(m_sheet);
    const CellValue* value = sheet->data.cells.Find(m_row, m_column);
    return value == nullptr ? std::string() : value->text;
}

void Cell::setValue(const std::string& text) const {
    const auto sheet = Require(m_sheet);
    SetCellText(*sheet, m_row, m_column, text);
}

std::string Worksheet::Name() const {
    return Require(m_sheet)->data.name;
}

Cell Worksheet::Cells(int row, int column) const {
    Require(m_sheet);
    if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns) {
        throw RunTimeError(error::kSubscriptOutOfRange, "Subscript out of range");
    }
    return Cell(m_sheet, row, column);
}

std::vector<int> Worksheet::RowsWithValues() const {
    std::vector<int> rows;
    Require(m_sheet)->data.cells.ForEach([&](int row, int, const CellValue& value) {
        if (!value.text.empty()) {
            rows.push_back(row);
        }
    });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::string Workbook::FullName() const {
    return Require(m_book)->path;
}

bool Workbook::Saved() const {
    return Require(m_book)->saved;
}

Worksheet Workbook::Worksheets(int index) const {
    const auto book = Require(m_book);
    if (index < 1 || static_cast<std::size_t>(index) > book->sheets.size()) {
        throw RunTimeError(error::kSubscriptOutOfRange, "Subscript out of range");
    }
    return Worksheet(book->sheets[static_cast<std::size_t>(index) - 1]);
}

int Workbook::WorksheetCount() const {
    return static_cast<int>(Require(m_book)->sheets.size());
}

void Workbook::Save() const {
    SaveWorkbook(*Require(m_book));
}

void Workbook::SaveAs(const std::string& path) const {
    SaveWorkbookAs(*Require(m_book), path);
}

void Workbook::Close() const {
    CloseWorkbook(Require(m_book));
}

Workbook WorkbookCollection::Open(const std::string& path) const {
    const auto application = Require(m_app);
    return Workbook(OpenWorkbook(*application, path));
}

Workbook WorkbookCollection::Find(const std::string& path) const {
    const auto application = Require(m_app);
    for (const auto& book : application->books) {
        if (SameFile(book->path, path)) {
            return Workbook(book);
        }
    }
    return Workbook();
}

int WorkbookCollection::Count() const {
    return static_cast<int>(Require(m_app)->books.size());
}

bool SpreadsheetApplication::Visible() const {
    return Require(m_app)->visible;
}

void SpreadsheetApplication::setVisible(bool visible) const {
    SetApplicationVisible(*Require(m_app), visible);
}

WorkbookCollection SpreadsheetApplication::Workbooks() const {
    Require(m_app);
    return WorkbookCollection(m_app);
}

Worksheet SpreadsheetApplication::ActiveSheet() const {
    const auto application = Require(m_app);
    const auto& book = application->activeBook;
    if (!book || book->activeSheet < 0 ||
        static_cast<std::size_t>(book->activeSheet) >= book->sheets.size()) {
        return Worksheet();
    }
    return Worksheet(book->sheets[static_cast<std::size_t>(book->activeSheet)]);
}

bool SpreadsheetApplication::Quit() const {
    return QuitApplication(Require(m_app));
}

}  // namespace stelvador
