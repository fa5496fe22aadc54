#pragma once

#include <QIODevice>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/shared_strings.h"

namespace stelvador {

// The package parts of an .xlsx workbook other than its sheets, each read from its XML. Each
// list read is bounded: one entry beyond its limit is RunTimeError 321 naming the list.

struct Relationship {
    std::string type;    // the last segment of the type URI: "worksheet", "sharedStrings", ...
    std::string target;  // the target part's name within the package, without a leading '/'
};

// Relationships by id; sourceDirectory is the folder of the part that owns them ("xl/").
std::map<std::string, Relationship> ReadRelationships(QIODevice& xml,
                                                      const std::string& sourceDirectory,
                                                      std::size_t maxRelationships);

struct SheetEntry {
    std::string name;
    std::string relationshipId;
};

struct WorkbookPart {
    std::vector<SheetEntry> sheets;
    int activeTab = 0;
    bool date1904 = false;
};
WorkbookPart ReadWorkbookPart(QIODevice& xml, std::size_t maxSheets);

// Where a cell lies among the sheets read: the sheet's place in the reading, its row, its column.
using CellPlace = std::tuple<std::size_t, int, int>;
inline constexpr CellPlace kNowhere{SIZE_MAX, 0, 0};

// What the cells read ask of the shared strings: for each string up to the last one shown, the
// first cell that shows it (kNowhere when none does), and the first cell whose own text is too
// long for a cell (kNowhere when none is).
struct WantedStrings {
    std::vector<CellPlace> firstShownAt;
    CellPlace firstOwnTooLong = kNowhere;
};

// The shared strings the cells show: strings no cell shows are kept empty, one longer than a
// cell holds is kept as too long, without its text. Reading ends after the last string shown,
// or as soon as a too-long string makes the refusal certain: when no string still unread is
// shown by a cell before the first cell known to be too long, or when the XML ends at a text
// longer than any cell holds inside a string shown (textTooLong says so, as for the sheets).
// The list is then shorter than firstShownAt.
SharedStrings ReadSharedStrings(QIODevice& xml, std::size_t maxStrings, const WantedStrings& wanted,
                                const std::function<bool()>& textTooLong);

// For each cell format (the cell's s attribute), whether it shows a date or a time.
std::vector<DateTimeKind> ReadCellFormatKinds(QIODevice& xml, std::size_t maxCellFormats,
                                              std::size_t maxNumberFormats);

// Throws RunTimeError 321 saying which list is too long when count has reached limit, before
// one more entry is added.
void CheckRoomInList(std::size_t count, std::size_t limit, std::string_view listName);

// Resolves a relationship target against the folder of its source part.
std::string ResolvePartName(const std::string& sourceDirectory, std::string_view target);

// Undoes the _xHHHH_ escapes of characters that XML cannot hold.
std::string DecodeEscapedCharacters(std::string text);

}  // namespace stelvador
