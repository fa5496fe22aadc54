#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace stelvador {

// The largest sheet a workbook file can describe.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;

// The most bytes of cell text a workbook read may hold. A text a workbook stores once (a shared
// string) is held once for every cell that shows it, so a small file could ask for far more.
inline constexpr std::size_t kMaxWorkbookTextBytes = 256u << 20;
// The most cells a workbook read may hold.
inline constexpr std::size_t kMaxWorkbookCells = 4'000'000;

// What a cell held in the file it was read from. Cells written by the program or typed by the
// user are Text; the kind decides how a save writes the cell back.
enum class CellKind { Text, Number, Boolean, Date, Error };

struct CellValue {
    CellKind kind = CellKind::Text;
    // The value as text: what Cells().Value() reads.
    std::string text;
    // Number and Date: the value itself (a date as its serial day number, 1900 system).
    double number = 0.0;
};

// The cells of one sheet, keyed by row and column from 1; only non-empty cells are held.
class SheetCells {
  public:
    const CellValue* Find(int row, int column) const;
    // An empty Text value removes the cell.
    void Set(int row, int column, CellValue value);
    std::size_t Count() const { return m_cells.size(); }
    // The last row and column that ever held a value (an upper bound of the used range).
    int LastRow() const { return m_lastRow; }
    int LastColumn() const { return m_lastColumn; }

    template <typename Visit>
    void ForEach(Visit&& visit) const {
        for (const auto& [key, value] : m_cells) {
            visit(static_cast<int>(key >> 20), static_cast<int>(key & 0xFFFFF), value);
        }
    }

  private:
    static std::uint64_t Key(int row, int column) {
        return (static_cast<std::uint64_t>(row) << 20) | static_cast<std::uint64_t>(column);
    }

    std::unordered_map<std::uint64_t, CellValue> m_cells;
    int m_lastRow = 0;
    int m_lastColumn = 0;
};

struct SheetData {
    std::string name;
    SheetCells cells;
    // Of a sheet read from an .xlsx file: its worksheet part in the package, and the cells (row,
    // column) written since it was read or last saved, which a save rewrites.
    std::string partName;
    std::set<std::pair<int, int>> writtenCells;
};

// Where an .xlsx package keeps what a save of written cells rewrites besides the sheets; a part
// the package lacks is empty.
struct XlsxPackageParts {
    std::string workbook;               // "xl/workbook.xml"
    std::string workbookRelationships;  // "xl/_rels/workbook.xml.rels"
    std::string styles;                 // "xl/styles.xml"
    std::string calculationChain;       // "xl/calcChain.xml"
};

// The .xlsx package a workbook was read from, held whole (a workbook file is at most 64 MiB) so
// that a save copies every part it does not rewrite as it was.
struct XlsxSource {
    std::string bytes;
    XlsxPackageParts parts;
};

// A workbook as read from a file: its worksheets in order and the one that was active.
struct WorkbookData {
    std::vector<SheetData> sheets;
    // Index into sheets of the active sheet, or -1 when the active sheet is not a worksheet.
    int activeSheet = 0;
    // Read from an .xlsx package: where it keeps its parts; and, when every sheet was read,
    // the package itself (null otherwise).
    XlsxPackageParts xlsxParts;
    std::shared_ptr<const XlsxSource> xlsxSource;
};

}  // namespace stelvador
