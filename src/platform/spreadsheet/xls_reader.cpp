#include "platform/spreadsheet/xls_reader.h"

#include <freexl.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "common/cell_text_limit.h"
#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/xls_workbook_stream.h"

namespace stelvador {

namespace {

// What is left of the limits on cells and on the total bytes of cell text while sheets are read.
struct ReadBudget {
    std::size_t cells;
    // Each cell showing a shared string holds a copy of its own, and the copies are handed over.
    std::size_t text;

    // Counts a cell's text, and the cell itself when it is new to its sheet; a text longer
    // than a cell holds is refused naming the cell.
    void Take(const CellValue& value, bool newCell, int row, int column) {
        if (newCell) {
            if (cells == 0) {
                RefuseTooMuch("more than " + std::to_string(kMaxWorkbookCells) + " cells");
            }
            --cells;
        }
        if (ExceedsCellTextLimit(value.text)) {
            throw SheetCellTooLong(row, column);
        }
        if (value.text.size() > text) {
            RefuseTooMuch("more cell text than " + std::to_string(kMaxWorkbookTextBytes >> 20) +
                          " MiB");
        }
        text -= value.text.size();
    }
};

struct XlsCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};

CellValue ToCellValue(const FreeXL_CellValue& cell) {
    CellValue value;
    switch (cell.type) {
        case FREEXL_CELL_INT:
            value.kind = CellKind::Number;
            value.number = cell.value.int_value;
            value.text = NumberToText(value.number);
            break;
        case FREEXL_CELL_DOUBLE:
            value.kind = CellKind::Number;
            value.number = cell.value.double_value;
            value.text = NumberToText(value.number);
            break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            value.text = cell.value.text_value != nullptr ? cell.value.text_value : "";
            break;
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            // freexl gives "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" and "HH:MM:SS" already.
            value.text = cell.value.text_value != nullptr ? cell.value.text_value : "";
            break;
        default:
            break;
    }
    return value;
}

// Which tab each sheet freexl lists stands for: freexl lists the worksheets, or every tab;
// empty when the stream's tabs match neither.
std::vector<std::size_t> TabsOfSheets(const XlsStreamFacts& facts, std::size_t sheetCount) {
    std::vector<std::size_t> worksheets;
    for (std::size_t tab = 0; tab < facts.tabs.size(); ++tab) {
        if (facts.tabs[tab].worksheet) {
            worksheets.push_back(tab);
        }
    }
    if (worksheets.size() == sheetCount) {
        return worksheets;
    }
    if (facts.tabs.size() == sheetCount) {
        std::vector<std::size_t> all(sheetCount);
        for (std::size_t i = 0; i < sheetCount; ++i) {
            all[i] = i;
        }
        return all;
    }
    return {};
}

// freexl reads truth values and error values as numbers, leaves formula results out and does
// not say which sheet was active: the workbook stream tells. A stream that cannot be walked
// leaves what freexl read, with the first sheet active.
void AddWhatTheStreamTells(const XlsStreamFacts& facts, WorkbookData& data, ReadBudget& budget) {
    const std::vector<std::size_t> tabs = TabsOfSheets(facts, data.sheets.size());
    if (!facts.read || tabs.empty()) {
        return;
    }
    data.activeSheet = -1;  // unless the active tab is one of the sheets
    for (std::size_t sheet = 0; sheet < tabs.size(); ++sheet) {
        const XlsSheetTab& tab = facts.tabs[tabs[sheet]];
        if (static_cast<int>(tabs[sheet]) == facts.activeTab && tab.worksheet) {
            data.activeSheet = static_cast<int>(sheet);
        }
        SheetCells& cells = data.sheets[sheet].cells;
        for (const auto& [where, value] : tab.cells) {
            const auto [row, column] = where;
            if (row > kMaxSheetRows || column > kMaxSheetColumns ||
                (value.kind == CellKind::Text && value.text.empty())) {
                continue;
            }
            budget.Take(value, cells.Find(row, column) == nullptr, row, column);
            cells.Set(row, column, value);
        }
    }
}

// The active sheet as the stream's walk read it.
WorkbookData ActiveSheetOfStream(XlsStreamFacts facts, std::size_t cellLimit,
                                 std::size_t textLimit) {
    if (facts.tabs.empty()) {
        RefuseDamaged("it holds no worksheet");
    }
    const std::size_t active =
        facts.activeTab >= 0 && static_cast<std::size_t>(facts.activeTab) < facts.tabs.size()
            ? static_cast<std::size_t>(facts.activeTab)
            : 0;
    if (!facts.tabs[active].worksheet) {
        RefuseChartSheet();
    }
    if (!facts.tabs[active].complete) {
        RefuseDamaged("its active sheet cannot be read to its end");
    }
    WorkbookData data;
    data.activeSheet = 0;
    data.sheets.emplace_back();
    ReadBudget budget{cellLimit, textLimit};
    SheetCells& cells = data.sheets.front().cells;
    // Row by row, so that the first cell too long for a cell is the one named.
    auto& tabCells = facts.tabs[active].cells;
    std::stable_sort(tabCells.begin(), tabCells.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [where, value] : tabCells) {
        const auto [row, column] = where;
        if (value.kind == CellKind::Text && value.text.empty()) {
            continue;
        }
        budget.Take(value, cells.Find(row, column) == nullptr, row, column);
        cells.Set(row, column, std::move(value));
    }
    return data;
}

}  // namespace

WorkbookData ReadXlsInThisProcess(const std::string& path, const WorkbookReadScope& scope,
                                  std::size_t cellLimit, std::size_t textLimit) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // For the active sheet alone, a BIFF8 stream is read by its own walk, which reads nothing
    // beyond the cells wanted (the .xls library sets up every cell up to the farthest one).
    XlsStreamFacts facts = ReadXlsStreamFacts(bytes, scope, scope.activeSheetOnly);
    if (facts.encrypted) {
        RefusePasswordProtected();
    }
    if (scope.activeSheetOnly && facts.read) {
        return ActiveSheetOfStream(std::move(facts), cellLimit, textLimit);
    }
    const void* rawHandle = nullptr;
    const int opened = freexl_open(path.c_str(), &rawHandle);
    std::unique_ptr<const void, XlsCloser> handle(rawHandle);
    if (opened != FREEXL_OK || rawHandle == nullptr) {
        if (facts.read) {
            RefuseDamaged("its workbook stream cannot be read");
        }
        RefuseNotAWorkbook();
    }
    unsigned int info = 0;
    if (freexl_get_info(rawHandle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        RefusePasswordProtected();
    }
    unsigned int sheetCount = 0;
    if (freexl_get_info(rawHandle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK ||
        sheetCount == 0) {
        RefuseDamaged("it holds no worksheet");
    }
    // The active sheet alone: the one the stream names, when it can tell, else the first.
    unsigned int firstSheet = 0;
    if (scope.activeSheetOnly) {
        const std::vector<std::size_t> tabs = TabsOfSheets(facts, sheetCount);
        if (facts.read && facts.activeTab >= 0 &&
            static_cast<std::size_t>(facts.activeTab) < facts.tabs.size() &&
            !facts.tabs[static_cast<std::size_t>(facts.activeTab)].worksheet) {
            RefuseChartSheet();
        }
        for (std::size_t sheet = 0; sheet < tabs.size(); ++sheet) {
            if (static_cast<int>(tabs[sheet]) == facts.activeTab) {
                firstSheet = static_cast<unsigned int>(sheet);
            }
        }
    }
    const unsigned int endSheet = scope.activeSheetOnly ? firstSheet + 1 : sheetCount;
    WorkbookData data;
    data.activeSheet = 0;
    std::size_t probesLeft = cellLimit * 4;
    ReadBudget budget{cellLimit, textLimit};
    for (unsigned int index = firstSheet; index < endSheet && index <= 0xFFFF; ++index) {
        const auto sheetIndex = static_cast<unsigned short>(index);
        SheetData sheet;
        const char* name = nullptr;
        if (freexl_get_worksheet_name(rawHandle, sheetIndex, &name) == FREEXL_OK &&
            name != nullptr) {
            sheet.name = name;
        }
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(rawHandle, sheetIndex) != FREEXL_OK ||
            freexl_worksheet_dimensions(rawHandle, &rows, &columns) != FREEXL_OK) {
            RefuseDamaged("its sheet " + sheet.name + " cannot be read");
        }
        rows = std::min(rows, static_cast<unsigned int>(scope.lastRow));
        columns = static_cast<unsigned short>(
            std::min<unsigned int>(columns, static_cast<unsigned int>(scope.lastColumn)));
        if (static_cast<std::size_t>(rows) * columns > probesLeft) {
            RefuseTooMuch("more than " + std::to_string(cellLimit) + " cells");
        }
        probesLeft -= static_cast<std::size_t>(rows) * columns;
        for (unsigned int row = 0; row < rows; ++row) {
            for (unsigned short column = 0; column < columns; ++column) {
                FreeXL_CellValue cell{};
                if (freexl_get_cell_value(rawHandle, row, column, &cell) != FREEXL_OK) {
                    continue;
                }
                CellValue value = ToCellValue(cell);
                if (value.kind == CellKind::Text && value.text.empty()) {
                    continue;
                }
                budget.Take(value, true, static_cast<int>(row) + 1, column + 1);
                sheet.cells.Set(static_cast<int>(row) + 1, column + 1, std::move(value));
            }
        }
        data.sheets.push_back(std::move(sheet));
    }
    if (scope.activeSheetOnly) {
        // Only the active sheet's tab is kept of what the stream tells.
        const std::vector<std::size_t> tabs = TabsOfSheets(facts, sheetCount);
        if (facts.read && firstSheet < tabs.size()) {
            XlsSheetTab tab = std::move(facts.tabs[tabs[firstSheet]]);
            facts.tabs = {std::move(tab)};
            facts.activeTab = 0;
        } else {
            facts.read = false;
        }
    }
    AddWhatTheStreamTells(facts, data, budget);
    if (scope.activeSheetOnly) {
        data.activeSheet = 0;
    }
    return data;
}

}  // namespace stelvador
