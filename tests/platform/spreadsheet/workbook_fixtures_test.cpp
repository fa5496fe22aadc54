// Workbooks written by other programs, read back cell by cell through the application objects.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_save_changes_question.h"

namespace stelvador {
namespace {

struct ExpectedCell {
    int row;
    int column;
    std::string text;
};

struct FixtureCase {
    std::string file;
    std::vector<ExpectedCell> cells;
};

std::string DataPath(const std::string& file) {
    return std::string(STELVADOR_TEST_DATA_DIR) + "/" + file;
}

// What every writer wrote on the first sheet.
std::vector<ExpectedCell> CommonCells() {
    return {
        {1, 1, "Row No"},      {1, 2, "Sample No"},
        {1, 3, "SiO2"},        {1, 4, "Al2O3"},
        {2, 1, "1"},           {2, 2, "EP-1"},
        {2, 3, "38.65042"},    {2, 4, "23"},
        {3, 1, "2"},           {3, 2, "EP 2 \u00fcn\u00ef \u2013 Fe\u00b3\u207a"},
        {3, 3, "-0.0091"},     {3, 4, ""},
        {3, 5, "after gap"},   {6, 1, "  spaced  "},
        {6, 2, "1234567.125"}, {6, 3, "-17"},
        {6, 4, "0.1"},         {301, 44, "far"},
        {302, 44, ""},         {100, 100, ""},
    };
}

std::vector<FixtureCase> Cases() {
    std::vector<FixtureCase> cases;

    FixtureCase openpyxl{"openpyxl_cells.xlsx", CommonCells()};
    openpyxl.cells.insert(openpyxl.cells.end(), {
                                                    {4, 1, "2024-03-15"},
                                                    {4, 2, "2024-03-15 13:45:00"},
                                                    {4, 3, "2024-03-15"},
                                                    {4, 4, "TRUE"},
                                                    // openpyxl writes formulas without a value
                                                    {5, 1, ""},
                                                });
    cases.push_back(openpyxl);

    FixtureCase xlsxwriter{"xlsxwriter_cells.xlsx", CommonCells()};
    xlsxwriter.cells.insert(xlsxwriter.cells.end(), {
                                                        {4, 1, "2024-03-15"},
                                                        {4, 2, "2024-03-15 13:45:00"},
                                                        {4, 3, "2024-03-15"},
                                                        {4, 4, "TRUE"},
                                                        {5, 1, "61.65042"},
                                                        {5, 2, "EP"},
                                                        {5, 3, "TRUE"},
                                                        {5, 4, "#DIV/0!"},
                                                        {7, 1, "Al2O3"},
                                                    });
    cases.push_back(xlsxwriter);

    FixtureCase xlwt{"xlwt_cells.xls", CommonCells()};
    xlwt.cells.insert(xlwt.cells.end(), {
                                            {4, 1, "2024-03-15"},
                                            {4, 2, "2024-03-15 13:45:00"},
                                            // freexl reads formula cells as empty
                                            {5, 1, ""},
                                        });
    cases.push_back(xlwt);

    cases.push_back({"date1904.xlsx", {{1, 1, "2024-03-15"}}});
    return cases;
}

class WorkbookFixtureTest : public ::testing::TestWithParam<FixtureCase> {
  protected:
    SpreadsheetApplications m_applications{std::make_shared<ScriptedSaveChangesQuestion>()};
};

TEST_P(WorkbookFixtureTest, ReadsEveryCellAsText) {
    const FixtureCase& fixture = GetParam();
    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(DataPath(fixture.file));
    const Worksheet sheet = book.Worksheets(1);
    for (const ExpectedCell& cell : fixture.cells) {
        EXPECT_EQ(sheet.Cells(cell.row, cell.column).Value(), cell.text)
            << fixture.file << " row " << cell.row << " column " << cell.column;
    }
}

TEST_P(WorkbookFixtureTest, ActiveSheetIsTheFirstAndOpeningChangesNothing) {
    const FixtureCase& fixture = GetParam();
    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(DataPath(fixture.file));
    EXPECT_EQ(application.ActiveSheet().Cells(1, 1).Value(), fixture.cells.front().text);
    EXPECT_TRUE(book.Saved());
}

INSTANTIATE_TEST_SUITE_P(OtherWriters, WorkbookFixtureTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

TEST(WorkbookFixtures, SecondSheetsAreReadToo) {
    SpreadsheetApplications applications(std::make_shared<ScriptedSaveChangesQuestion>());
    for (const char* file : {"openpyxl_cells.xlsx", "xlsxwriter_cells.xlsx", "xlwt_cells.xls"}) {
        const Workbook book = applications.Create().Workbooks().Open(DataPath(file));
        ASSERT_EQ(book.WorksheetCount(), 2) << file;
        EXPECT_EQ(book.Worksheets(2).Name(), "Second") << file;
        EXPECT_EQ(book.Worksheets(2).Cells(1, 1).Value(), "second sheet") << file;
    }
}

// freexl reads truth and error values as numbers and knows no active sheet: the workbook stream
// tells them.
TEST(WorkbookFixtures, XlsTruthValuesErrorValuesAndTheActiveSheet) {
    SpreadsheetApplications applications(std::make_shared<ScriptedSaveChangesQuestion>());
    const SpreadsheetApplication application = applications.Create();
    application.Workbooks().Open(DataPath("xlwt_tabs.xls"));
    const Worksheet active = application.ActiveSheet();
    EXPECT_EQ(active.Name(), "Values");
    const std::vector<std::string> expected = {"TRUE", "FALSE", "#N/A", "#DIV/0!", "2.5"};
    for (std::size_t c = 0; c < expected.size(); ++c) {
        EXPECT_EQ(active.Cells(1, static_cast<int>(c) + 1).Value(), expected[c]);
    }
}

// A package laid out unlike any writer's: its own part names, relative targets with "..",
// an absolute target, cells and rows without references, escapes, phonetic runs, the second
// sheet active.
TEST(WorkbookFixtures, ReadsAHandMadePackage) {
    SpreadsheetApplications applications(std::make_shared<ScriptedSaveChangesQuestion>());
    const SpreadsheetApplication application = applications.Create();
    const Workbook book = application.Workbooks().Open(DataPath("handmade.xlsx"));
    const Worksheet first = book.Worksheets(1);
    EXPECT_EQ(first.Name(), "First");
    EXPECT_EQ(first.Cells(1, 1).Value(), "line one\r");
    EXPECT_EQ(first.Cells(1, 2).Value(), "Fe3+");
    EXPECT_EQ(first.Cells(1, 3).Value(), "0.0015");
    EXPECT_EQ(first.Cells(2, 3).Value(), "  kept  ");
    EXPECT_EQ(first.Cells(2, 4).Value(), "7");
    EXPECT_EQ(first.Cells(5, 2).Value(), "#N/A");
    EXPECT_EQ(first.Cells(5, 3).Value(), "cached");
    EXPECT_EQ(first.Cells(5, 4).Value(), "");
    EXPECT_EQ(application.ActiveSheet().Name(), "Active");
    EXPECT_EQ(application.ActiveSheet().Cells(1, 1).Value(), "Al2O3");
}

}  // namespace
}  // namespace stelvador
