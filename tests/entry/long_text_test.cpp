// Sample names as long as a cell may hold, and one character longer, through the real windows
// and stelvador-calc: Open File and the Calculate command's own loading refuse the longer one,
// naming its cell, and change no cell; the results window shows the longest names in a sample
// column of bounded width.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calculation/output/plot_records.h"
#include "calculation_fixture.h"
#include "common/cell_text_limit.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_header.h"
#include "platform/flex_grid_view.h"
#include "support/exit_status.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

const std::string kRefusal =
    "Invalid file format\nRow 4, column 1 (Sample No) holds more than 32,767 characters.";

// The golden analyses, the one in row 4 named by a text of the given length.
std::vector<AnalysisRow> AnalysesWithLongName(std::size_t length) {
    std::vector<AnalysisRow> rows = GoldenAnalyses();
    rows[3].sample = std::string(length, 'n');
    return rows;
}

std::vector<std::string> AllCells(const FlexGrid& grid) {
    std::vector<std::string> cells;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            cells.push_back(grid.TextMatrix(r, c));
        }
    }
    return cells;
}

class LongSampleNames : public CalculationFixture {
  protected:
    // The window after Open File of the golden analyses.
    void openGolden() {
        openWindow();
        m_dialog.queuePath(writeDataFile("golden.epd", GoldenAnalyses()).string());
        m_window->mnuOpenFile_Click();
        ASSERT_TRUE(m_messages.texts().empty());
    }
};

TEST_F(LongSampleNames, OpenFileRefusesANameOneCharacterTooLongAndChangesNoCell) {
    openGolden();
    const std::vector<std::string> before = AllCells(m_window->MSFlexGrid1());
    m_dialog.queuePath(
        writeDataFile("long.epd", AnalysesWithLongName(kCellTextLimit + 1)).string());
    m_window->mnuOpenFile_Click();
    EXPECT_EQ(AllCells(m_window->MSFlexGrid1()), before);
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{kRefusal});
}

TEST_F(LongSampleNames, CalculateRefusesANameOneCharacterTooLongAndCalculatesTheGridAsItStands) {
    openWindow();
    const std::vector<std::string> before = AllCells(m_window->MSFlexGrid1());
    calculateFile(writeDataFile("long.epd", AnalysesWithLongName(kCellTextLimit + 1)));
    EXPECT_EQ(AllCells(m_window->MSFlexGrid1()), before);
    ASSERT_FALSE(m_messages.texts().empty());
    EXPECT_EQ(m_messages.texts().front(), kRefusal);
    EXPECT_TRUE(resultRows().empty());
}

TEST_F(LongSampleNames, ANameAtTheLimitIsLoadedCalculatedAndWrittenWhole) {
    openWindow();
    const std::string name(kCellTextLimit, 'n');
    calculateFile(writeDataFile("full.epd", AnalysesWithLongName(kCellTextLimit)));
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(4, 1), name);
    EXPECT_EQ(results().MSFlexGrid1().TextMatrix(5, 0), name);
    // Row 4's analysis is an epidote, written to the M2/M3 Al(VI) plot data file.
    EXPECT_NE(ReadBytes(m_work / "M2M3AlVI.dat").find(name + "\t"), std::string::npos);
}

// 300 names of 32,767 characters leave the results in reach: the sample column (the row
// headings) is no wider than a fitted column may be, and result columns fill the rest.
TEST_F(LongSampleNames, TheResultsWindowsSampleColumnIsBounded) {
    openWindow();
    std::vector<AnalysisRow> rows;
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    for (int r = 0; r < 300; ++r) {
        rows.push_back(golden[static_cast<std::size_t>(r) % golden.size()]);
        rows.back().sample = std::to_string(r) + std::string(kCellTextLimit - 3, 'n');
    }
    calculateFile(writeDataFile("long_names.epd", rows));
    ASSERT_EQ(resultRows().size(), 300u);
    FlexGridView& view = results().gridView();
    QApplication::processEvents();
    const int limit = FittedColumnWidthLimit(view.verticalHeader()->fontMetrics());
    EXPECT_LE(view.verticalHeader()->width(), limit);
    EXPECT_GT(view.verticalHeader()->width(), 0);
    // Several result columns are in view, not pushed beyond the window's edge.
    EXPECT_GE(view.columnAt(view.viewport()->width() - 1), 3);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
}

TEST_F(LongSampleNames, StelvadorCalcRefusesANameOneCharacterTooLong) {
    writeDataFile("long.epd", AnalysesWithLongName(kCellTextLimit + 1));
    const std::string command = "'" +
                                (fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc").string() +
                                "' long.epd > results.txt 2> errors.txt";
    EXPECT_EQ(ExitStatus(std::system(command.c_str())), 1);
    EXPECT_NE(ReadBytes("errors.txt").find(kRefusal), std::string::npos) << ReadBytes("errors.txt");
    EXPECT_TRUE(ReadBytes("results.txt").empty());
    for (std::string_view name : kPlotFileNames) {
        EXPECT_FALSE(fs::exists(m_work / name)) << name;
    }
}

}  // namespace
}  // namespace stelvador
