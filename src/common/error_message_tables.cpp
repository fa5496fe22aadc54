#include "common/error_message_tables.h"

#include <array>
#include <utility>

namespace stelvador {

namespace {

using Entry = std::pair<int, std::string_view>;

// The 33 numbers both windows translate alike.
constexpr std::array<Entry, 33> kShared = {{
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {14, "Out of string space"},
    {16, "Expression too complex"},
    {17, "Can't perform requested operation"},
    {18, "User interrupt occured"},
    {28, "Out of stack space"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {63, "Bad record number"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {71, "Disk not ready"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {321, "Invalid file format"},
    {325, "Invalid format in resource file"},
    {327, "Data value named not found"},
    {337, "Component not found"},
    {425, "Invalid object use"},
    {438, "Object doesn't support this property or method"},
    {445, "Object doesn't support this action"},
    {521, "Can't open clipboard"},
    {735, "Can't save file to TEMP directory"},
    {31001, "Out of memory"},
}};

}  // namespace

std::optional<std::string_view> ErrorMessage(ErrorTable table, int number) {
    const bool dataEntry = table == ErrorTable::DataEntry;
    if (number == 6 && !dataEntry) {
        return "Overflow";
    }
    if (number == 11 && dataEntry) {
        return "Division by zero";
    }
    if (number == 424) {
        return dataEntry ? "Object required. Possibly [Output.Xls]"
                         : "Object required. Possibly [Output.Xlsx]";
    }
    for (const auto& [entryNumber, text] : kShared) {
        if (entryNumber == number) {
            return text;
        }
    }
    return std::nullopt;
}

std::string FailureMessage(ErrorTable table, int number, std::string_view reason,
                           std::string_view fallback) {
    std::string text(ErrorMessage(table, number).value_or(fallback));
    if (!reason.empty()) {
        text += '\n';
        text += reason;
    }
    return text;
}

}  // namespace stelvador
