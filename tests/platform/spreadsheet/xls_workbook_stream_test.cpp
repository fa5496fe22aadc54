// The .xls workbook stream walk: what it tells of real workbooks, and damaged files that it
// leaves alone without crashing or looping.
#include <gtest/gtest.h>

#include <string>

#include "platform/spreadsheet/xls_workbook_stream.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

std::string Fixture(const std::string& file) {
    return ReadBytes(std::string(STELVADOR_TEST_DATA_DIR) + "/" + file);
}

const CellValue* FindCell(const XlsSheetTab& tab, int row, int column) {
    for (const auto& [where, value] : tab.cells) {
        if (where == std::pair{row, column}) {
            return &value;
        }
    }
    return nullptr;
}

TEST(XlsWorkbookStream, TellsTheActiveTabTruthAndErrorValues) {
    const XlsStreamFacts facts = ReadXlsStreamFacts(Fixture("xlwt_tabs.xls"));
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(facts.activeTab, 1);
    ASSERT_EQ(facts.tabs.size(), 2u);
    EXPECT_TRUE(facts.tabs[1].worksheet);
    const XlsSheetTab& values = facts.tabs[1];
    ASSERT_NE(FindCell(values, 1, 1), nullptr);
    EXPECT_EQ(FindCell(values, 1, 1)->text, "TRUE");
    EXPECT_EQ(FindCell(values, 1, 1)->kind, CellKind::Boolean);
    EXPECT_EQ(FindCell(values, 1, 2)->text, "FALSE");
    EXPECT_EQ(FindCell(values, 1, 3)->text, "#N/A");
    EXPECT_EQ(FindCell(values, 1, 4)->text, "#DIV/0!");
    EXPECT_EQ(FindCell(values, 1, 4)->kind, CellKind::Error);
    EXPECT_EQ(FindCell(values, 1, 5), nullptr);  // a plain number: freexl reads it
}

TEST(XlsWorkbookStream, TellsTheCachedResultsOfFormulas) {
    // LibreOffice stores each formula's result; CaO of the second analysis is ROUND(23.2,2).
    const XlsStreamFacts facts = ReadXlsStreamFacts(Fixture("import_libreoffice.xls"));
    ASSERT_TRUE(facts.read);
    EXPECT_EQ(facts.activeTab, 0);
    ASSERT_FALSE(facts.tabs.empty());
    const CellValue* formula = FindCell(facts.tabs[0], 3, 18);
    ASSERT_NE(formula, nullptr);
    EXPECT_EQ(formula->kind, CellKind::Number);
    EXPECT_EQ(formula->text, "23.2");
}

TEST(XlsWorkbookStream, OtherFilesTellNothing) {
    for (const std::string& bytes :
         {std::string(), std::string("not a workbook"), Fixture("import_xlsxwriter.xlsx"),
          std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\xFF')}) {
        EXPECT_FALSE(ReadXlsStreamFacts(bytes).read);
    }
}

TEST(XlsWorkbookStream, DamagedFilesNeitherCrashNorLoop) {
    for (const std::string file : {"xlwt_tabs.xls", "import_libreoffice.xls", "damaged_biff.xls"}) {
        const std::string whole = Fixture(file);
        for (std::size_t size = 0; size < whole.size(); size += 97) {
            ReadXlsStreamFacts(std::string_view(whole).substr(0, size));
        }
        for (std::size_t at = 0; at < whole.size(); at += 61) {
            for (const char value : {'\x00', '\xFF', '\x7F'}) {
                std::string damaged = whole;
                damaged[at] = value;
                ReadXlsStreamFacts(damaged);
            }
        }
    }
    SUCCEED();
}

}  // namespace
}  // namespace stelvador
