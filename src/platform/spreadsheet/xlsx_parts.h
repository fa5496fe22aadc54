#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/cell_value_text.h"

namespace stelvador {

// The package parts of an .xlsx workbook other than its sheets, each read from its XML.

struct Relationship {
    std::string type;    // the last segment of the type URI: "worksheet", "sharedStrings", ...
    std::string target;  // the target part's name within the package, without a leading '/'
};

// Relationships by id; sourceDirectory is the folder of the part that owns them ("xl/").
std::map<std::string, Relationship> ReadRelationships(std::string_view xml,
                                                      const std::string& sourceDirectory);

struct SheetEntry {
    std::string name;
    std::string relationshipId;
};

struct WorkbookPart {
    std::vector<SheetEntry> sheets;
    int activeTab = 0;
    bool date1904 = false;
};
WorkbookPart ReadWorkbookPart(std::string_view xml);

std::vector<std::string> ReadSharedStrings(std::string_view xml);

// For each cell format (the cell's s attribute), whether it shows a date or a time.
std::vector<DateTimeKind> ReadCellFormatKinds(std::string_view xml);

// Resolves a relationship target against the folder of its source part.
std::string ResolvePartName(const std::string& sourceDirectory, std::string_view target);

// Undoes the _xHHHH_ escapes of characters that XML cannot hold.
std::string DecodeEscapedCharacters(std::string text);

}  // namespace stelvador
