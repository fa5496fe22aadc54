// The stelvador-calc tool importing a workbook: the analysis grid, or with --calculate the
// results grid, on standard output; a workbook it cannot read is a failure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "calculation/output/plot_records.h"
#include "calculation_fixture.h"
#include "support/exit_status.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string Tool() {
    return "'" + (fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc").string() + "'";
}

fs::path Fixture(const std::string& file) {
    return fs::path(STELVADOR_WORKBOOK_FIXTURES) / file;
}

// Runs the tool in the working folder, its output into out.txt and err.txt.
int RunTool(const std::string& arguments) {
    const std::string command = Tool() + " " + arguments + " > out.txt 2> err.txt";
    return ExitStatus(std::system(command.c_str()));
}

using StelvadorCalcImportTest = CalculationFixture;

TEST_F(StelvadorCalcImportTest, PrintsTheImportedAnalysisGrid) {
    for (const std::string file : {"import_xlsxwriter.xlsx", "import_xlwt.xls"}) {
        SCOPED_TRACE(file);
        fs::copy_file(Fixture(file), m_work / file);
        ASSERT_EQ(RunTool("--import " + file), 0) << ReadBytes("err.txt");
        std::vector<std::string> expected = ReadLines(Fixture("import_analyses.expected.tsv"));
        if (file.ends_with(".xls")) {
            // xlwt stores no result with the formula (CaO of the second analysis).
            expected[2].replace(expected[2].find("\t23.2\t"), 6, "\t\t");
        }
        EXPECT_EQ(ReadLines("out.txt"), expected);
        EXPECT_TRUE(ReadBytes("err.txt").empty());
    }
}

TEST_F(StelvadorCalcImportTest, ImportThenCalculateGivesTheResultsOfTheSameDataFile) {
    fs::copy_file(Fixture("import_openpyxl.xlsx"), m_work / "analyses.xlsx");
    fs::copy_file(Fixture("import_analyses.expected.epd"), m_work / "analyses.epd");
    fs::create_directories(m_work / "from_file");
    fs::create_directories(m_work / "from_workbook");

    fs::current_path(m_work / "from_file");
    ASSERT_EQ(RunTool("../analyses.epd"), 0) << ReadBytes("err.txt");
    fs::current_path(m_work / "from_workbook");
    ASSERT_EQ(RunTool("--import ../analyses.xlsx --calculate"), 0) << ReadBytes("err.txt");
    fs::current_path(m_work);

    const std::vector<std::string> fromFile = ReadLines("from_file/out.txt");
    ASSERT_EQ(fromFile.size(), 2u + 19u);
    EXPECT_EQ(ReadLines("from_workbook/out.txt"), fromFile);
    EXPECT_TRUE(fromFile[2].starts_with("S\u00e4mple \u00d81")) << fromFile[2];
    for (std::string_view name : kPlotFileNames) {
        EXPECT_EQ(ReadBytes(m_work / "from_workbook" / name),
                  ReadBytes(m_work / "from_file" / name))
            << name;
    }
}

TEST_F(StelvadorCalcImportTest, AWorkbookItCannotReadIsAFailure) {
    std::ofstream("notes.xlsx") << "not a workbook";
    for (const auto& [file, message] :
         {std::pair<std::string, std::string>{"missing.xlsx", "File not found"},
          {"notes.xlsx", "Invalid file format"}}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(RunTool("--import " + file), 3);
        EXPECT_NE(ReadBytes("err.txt").find(message), std::string::npos) << ReadBytes("err.txt");
        // The grid is printed as the import left it: the fresh layout.
        const std::vector<std::string> lines = ReadLines("out.txt");
        ASSERT_EQ(lines.size(), 301u);
        EXPECT_EQ(lines[0].substr(0, 17), "Row No\tSample No\t");
        EXPECT_EQ(lines[300], "300" + std::string(43, '\t'));
    }
}

TEST_F(StelvadorCalcImportTest, CalculateOnlyWithImport) {
    EXPECT_EQ(RunTool("--calculate analyses.epd"), 2);
}

}  // namespace
}  // namespace stelvador
