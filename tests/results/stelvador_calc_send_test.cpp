// stelvador-calc --send: the results grid goes through the toolbar send into the output
// workbook, which is saved as the named .xlsx; openpyxl reads back what the grid printed.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "full_disk.h"
#include "golden_analyses_file.h"
#include "support/exit_status.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class StelvadorCalcSendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_work = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::ofstream(m_work / "analyses.epd", std::ios::binary)
            << GoldenAnalysesDataFile(STELVADOR_GOLDEN_DIR);
    }
    void TearDown() override { fs::remove_all(m_work); }

    int run(const std::string& arguments) const {
        const std::string command = "cd '" + m_work.string() + "' && '" +
                                    (fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc").string() +
                                    "' " + arguments + " > results.txt 2> errors.txt";
        return ExitStatus(std::system(command.c_str()));
    }

    fs::path m_work;
};

TEST_F(StelvadorCalcSendTest, SavesTheSentResultsAsTheNamedWorkbook) {
    ASSERT_EQ(run("--send 'sent results.xlsx' analyses.epd"), 0)
        << ReadBytes(m_work / "errors.txt");
    const std::vector<std::string> printed = ReadLines(m_work / "results.txt");
    ASSERT_GT(printed.size(), 2u);

    std::ofstream(m_work / "dump.py")
        << "import sys, openpyxl\n"
           "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
           "out = open(sys.argv[2], 'w', encoding='utf-8', newline='')\n"
           "for row in sheet.iter_rows(min_row=1, max_row=int(sys.argv[3]),"
           " min_col=1, max_col=135):\n"
           "    out.write('\\t'.join('' if c.value is None else "
           "(c.value if isinstance(c.value, str) else '#%r' % c.value)"
           " for c in row) + '\\n')\n";
    const std::string dump = "cd '" + m_work.string() +
                             "' && /usr/bin/python3 dump.py 'sent results.xlsx' dump.txt " +
                             std::to_string(printed.size());
    ASSERT_EQ(std::system(dump.c_str()), 0);
    const std::vector<std::string> read = ReadLines(m_work / "dump.txt");
    ASSERT_EQ(read.size(), printed.size());
    for (std::size_t r = 0; r < printed.size(); ++r) {
        const std::vector<std::string> expected = SplitTabs(printed[r]);
        const std::vector<std::string> cells = SplitTabs(read[r]);
        ASSERT_EQ(cells.size(), 135u) << r;
        ASSERT_EQ(expected.size(), 135u) << r;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (!cells[c].empty() && cells[c][0] == '#') {
                EXPECT_EQ(ReadGroupedNumber(cells[c].substr(1)), ReadGroupedNumber(expected[c]))
                    << r << ", " << c;
            } else {
                EXPECT_EQ(cells[c], expected[c]) << r << ", " << c;
            }
        }
    }
}

// The send writes the grid's rows only: rows below them that held something before keep it,
// and the tool names them (not the sent rows, whatever they held beyond the grid's columns).
TEST_F(StelvadorCalcSendTest, NamesTheRowsBelowTheSentResultsThatKeepEarlierContent) {
    struct Case {
        std::string rows;  // rows below the sent results given a value, for the script
        std::string warning;
    };
    const std::vector<Case> cases = {
        {"40 41 42 43 44 45 50",
         "Rows 40 to 45 and 50 of the first sheet still hold earlier content."},
        {"50", "Row 50 of the first sheet still holds earlier content."},
        {"40 42 44 45", "Rows 40, 42 and 44 to 45 of the first sheet still hold earlier content."},
    };
    const fs::path program = m_work / "program";
    fs::create_directories(program);
    fs::copy_file(fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc", program / "stelvador-calc");
    std::ofstream(m_work / "prepare.py")
        << "import sys, openpyxl\n"
           "book = openpyxl.Workbook()\n"
           "sheet = book.active\n"
           "sheet['A1'] = 'earlier heading'\n"
           "sheet.cell(row=3, column=200, value='beside the sent rows')\n"
           "for row in sys.argv[2:]:\n"
           "    sheet.cell(row=int(row), column=3, value='earlier ' + row)\n"
           "book.save(sys.argv[1])\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        const std::string prepare = "cd '" + m_work.string() +
                                    "' && /usr/bin/python3 prepare.py '" +
                                    (program / "Output.xlsx").string() + "' " + c.rows;
        ASSERT_EQ(std::system(prepare.c_str()), 0);
        const std::string command = "cd '" + m_work.string() + "' && '" +
                                    (program / "stelvador-calc").string() +
                                    "' --send sent.xlsx analyses.epd > results.txt 2> errors.txt";
        ASSERT_EQ(ExitStatus(std::system(command.c_str())), 0) << ReadBytes(m_work / "errors.txt");
        ASSERT_LT(ReadLines(m_work / "results.txt").size(), 40u);
        EXPECT_EQ(ReadBytes(m_work / "errors.txt"), "stelvador-calc: warning: " + c.warning + "\n");
    }
}

TEST_F(StelvadorCalcSendTest, SendIntoTheShippedOutputWorkbookWarnsOfNothing) {
    ASSERT_EQ(run("--send sent.xlsx analyses.epd"), 0) << ReadBytes(m_work / "errors.txt");
    EXPECT_EQ(ReadBytes(m_work / "errors.txt"), "");
}

TEST_F(StelvadorCalcSendTest, SaveThatFailsIsAFailureWithItsMessage) {
    EXPECT_EQ(run("--send 'no such folder/sent.xlsx' analyses.epd"), 4);
    EXPECT_EQ(ReadBytes(m_work / "errors.txt"),
              "stelvador-calc: cannot save no such folder/sent.xlsx: Path not found\n");
    // The results are printed all the same.
    EXPECT_FALSE(ReadBytes(m_work / "results.txt").empty());
}

TEST_F(StelvadorCalcSendTest, SendWithoutAWorkbookNameIsAUsageError) {
    EXPECT_EQ(run("analyses.epd --send"), 2);
    EXPECT_NE(ReadBytes(m_work / "errors.txt").find("--send WORKBOOK"), std::string::npos);
}

class StelvadorCalcSendOnAFullDisk : public StelvadorCalcSendTest,
                                     public ::testing::WithParamInterface<FullDiskKind> {};

INSTANTIATE_TEST_SUITE_P(Disks, StelvadorCalcSendOnAFullDisk,
                         ::testing::Values(FullDiskKind::SmallFileSystem,
                                           FullDiskKind::FileSizeLimit),
                         [](const auto& info) { return FullDiskKindName(info.param); });

// What the tool prints to standard error, its standard output thrown away (a device, which no
// file size limit holds), and its exit status.
std::pair<std::string, int> StandardErrorAndStatus(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>&1 >/dev/null").c_str(), "r");
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, got);
    }
    return {text, ExitStatus(::pclose(pipe))};
}

// The saved workbook's place has no room: the earlier file stays, the message says "Disk full",
// and none of libxlsxwriter's own lines reach the terminal.
TEST_P(StelvadorCalcSendOnAFullDisk, SaysDiskFullAndLeavesTheEarlierWorkbook) {
    FullDiskFolder disk(GetParam(), "calc-send");
    if (!disk.available()) {
        GTEST_SKIP() << "no file system may be mounted here";
    }
    const fs::path target = disk.path() / "Sent.xlsx";
    std::ofstream(target, std::ios::binary) << "an earlier workbook";
    disk.fill(0);
    const auto [printed, status] =
        StandardErrorAndStatus("cd '" + m_work.string() + "' && '" +
                               (fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc").string() +
                               "' --send '" + target.string() + "' analyses.epd");
    disk.empty();
    EXPECT_EQ(status, 4) << printed;
    EXPECT_NE(printed.find("cannot save " + target.string() + ": Disk full\n"), std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("[ERROR]"), std::string::npos) << printed;
    EXPECT_EQ(ReadBytes(target), "an earlier workbook");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(disk.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Sent.xlsx"});
}

}  // namespace
}  // namespace stelvador
