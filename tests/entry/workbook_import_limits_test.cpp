// The stelvador-calc tool importing the workbooks that once cost the import far more than any
// user waits (made at test time by make_hostile_workbooks.py): the first ones import their
// A1:AR301 cell for cell as openpyxl or xlrd reads them, the others are refused with the reason
// that says why. How fast and how small is measured by benchmarks/import/measure_hostile_imports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/exit_status.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

class WorkbookImportLimitsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_work = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        const fs::path script = fs::path(STELVADOR_WORKBOOK_FIXTURES) / "make_hostile_workbooks.py";
        ASSERT_EQ(
            std::system(("/usr/bin/python3 " + Quoted(script) + " " + Quoted(m_work)).c_str()), 0);
        fs::copy_file(fs::path(STELVADOR_WORKBOOK_FIXTURES) / "import_libreoffice_far_cell.xls",
                      m_work / "import_libreoffice_far_cell.xls");
        fs::copy_file(
            fs::path(STELVADOR_WORKBOOK_FIXTURES) / "import_libreoffice_far_cell.xls.expected.tsv",
            m_work / "import_libreoffice_far_cell.xls.expected.tsv");
    }
    void TearDown() override { fs::remove_all(m_work); }

    // Runs the tool in the work folder; its output lands in out.txt and err.txt there.
    int runTool(const std::string& arguments) const {
        const std::string command = "cd " + Quoted(m_work) + " && " +
                                    Quoted(fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc") +
                                    " " + arguments + " > out.txt 2> err.txt";
        return ExitStatus(std::system(command.c_str()));
    }

    fs::path m_work;
};

TEST_F(WorkbookImportLimitsTest, EachWorkbookImportsAsOthersReadItOrIsRefusedSayingWhy) {
    const char* const workbooks[] = {
        "active_full_second_million.xlsx",
        "one_sheet_million.xlsx",
        "import_libreoffice_far_cell.xls",
        "every_cell_one_long_string.xlsx",
        "two_cells_one_127_mib_string.xlsx",
        "two_million_nested.xlsx",
        "zip_bomb_3_gb.xlsx",
    };
    for (const std::string workbook : workbooks) {
        SCOPED_TRACE(workbook);
        const fs::path expected = m_work / (workbook + ".expected.tsv");
        if (fs::exists(expected)) {
            ASSERT_EQ(runTool("--import " + workbook), 0) << ReadBytes(m_work / "err.txt");
            EXPECT_EQ(ReadLines(m_work / "out.txt"), ReadLines(expected));
            EXPECT_TRUE(ReadBytes(m_work / "err.txt").empty());
            continue;
        }
        const std::string refusal = "stelvador-calc: Invalid file format\n" +
                                    ReadBytes(m_work / (workbook + ".refusal.txt")) + "\n";
        for (const std::string options : {"", " --calculate"}) {
            SCOPED_TRACE(options);
            EXPECT_EQ(runTool("--import " + workbook + options), 3);
            EXPECT_EQ(ReadBytes(m_work / "err.txt"), refusal);
        }
    }
}

}  // namespace
}  // namespace stelvador
