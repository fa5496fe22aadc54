#include "common/error_message_tables.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

namespace stelvador {
namespace {

// Both tables word for word, as the two windows show them.
const std::map<int, std::string> kDataEntryTable = {
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {11, "Division by zero"},
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
    {424, "Object required. Possibly [Output.Xls]"},
    {425, "Invalid object use"},
    {438, "Object doesn't support this property or method"},
    {445, "Object doesn't support this action"},
    {521, "Can't open clipboard"},
    {735, "Can't save file to TEMP directory"},
    {31001, "Out of memory"},
};

std::map<int, std::string> resultsTable() {
    auto table = kDataEntryTable;
    table.erase(11);
    table[6] = "Overflow";
    table[424] = "Object required. Possibly [Output.Xlsx]";
    return table;
}

void expectTable(ErrorTable which, const std::map<int, std::string>& expected) {
    ASSERT_EQ(expected.size(), 35u);
    int found = 0;
    for (int number = 0; number <= 40000; ++number) {
        const auto message = ErrorMessage(which, number);
        const auto it = expected.find(number);
        if (it == expected.end()) {
            EXPECT_FALSE(message.has_value()) << number;
        } else {
            ASSERT_TRUE(message.has_value()) << number;
            EXPECT_EQ(*message, it->second);
            ++found;
        }
    }
    EXPECT_EQ(found, 35);
}

TEST(ErrorMessageTables, DataEntryWindowWordForWord) {
    expectTable(ErrorTable::DataEntry, kDataEntryTable);
}

TEST(ErrorMessageTables, ResultsWindowWordForWord) {
    expectTable(ErrorTable::Results, resultsTable());
}

}  // namespace
}  // namespace stelvador
