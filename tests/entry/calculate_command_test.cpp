// The Calculate command run through the real data entry and results windows, offscreen; only
// the file dialog and the message box are scripted.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculation/output/plot_records.h"
#include "calculation_fixture.h"
#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "platform/flex_grid.h"
#include "widgets/panel_status_bar.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> GoldenRows(bool siNormalization) {
    return ReadLines(GoldenExpectedFolder(siNormalization) / "results.txt");
}

std::vector<std::string> Repeated(const std::vector<std::string>& rows, int times) {
    std::vector<std::string> all;
    for (int i = 0; i < times; ++i) {
        all.insert(all.end(), rows.begin(), rows.end());
    }
    return all;
}

std::string DataEntryMessage(int number) {
    return std::string(ErrorMessage(ErrorTable::DataEntry, number).value_or("?"));
}

class CalculateGoldenTest : public CalculationFixture,
                            public ::testing::WithParamInterface<bool> {};

// A data file of mixed analyses gives exactly the engine's golden result rows and plot data
// files, with and without the Si = 3 option.
TEST_P(CalculateGoldenTest, MixedAnalysesGiveTheGoldenRowsAndPlotDataFiles) {
    const bool siNormalization = GetParam();
    openWindow();
    if (siNormalization) {
        m_window->mnuSiNorm_Click();
    }
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));

    EXPECT_EQ(resultRows(), GoldenRows(siNormalization));
    for (std::string_view name : kPlotFileNames) {
        EXPECT_EQ(ReadBytes(m_work / name), ReadBytes(GoldenExpectedFolder(siNormalization) / name))
            << name;
    }
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_P(CalculateGoldenTest, StatusPanelsAndTitleTellTheRun) {
    const bool siNormalization = GetParam();
    openWindow();
    if (siNormalization) {
        m_window->mnuSiNorm_Click();
    }
    const fs::path file = writeDataFile("mixed.epd", GoldenAnalyses());
    calculateFile(file);

    PanelStatusBar& panels = results().StatusBar1();
    EXPECT_EQ(panels.panelText(1), file.string());
    EXPECT_EQ(panels.panelText(2), "Total (A+M+T) = 8");
    EXPECT_EQ(panels.panelText(3), "12.5 oxygen");
    EXPECT_EQ(panels.panelText(4), siNormalization ? "Si = 3" : "not selected");
    EXPECT_EQ(m_window->StatusBar1().panelText(1), file.string());
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
    EXPECT_TRUE(results().isVisible());
    EXPECT_TRUE(m_window->Text1().isVisible() || !m_window->isVisible());
    EXPECT_FALSE(m_window->Text1().isHidden());
    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls()[0].kind, ScriptedFileDialog::Kind::Open);
    EXPECT_EQ(m_dialog.calls()[0].filter, "Epidote(*.epd) |*.epd");
}

INSTANTIATE_TEST_SUITE_P(SiOption, CalculateGoldenTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Si3" : "Plain");
                         });

using CalculateCommandTest = CalculationFixture;

TEST_F(CalculateCommandTest, ResultsWindowIsCreatedAtFirstUse) {
    openWindow();
    EXPECT_FALSE(m_link->isLoaded());
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));
    ASSERT_TRUE(m_link->isLoaded());
    EXPECT_TRUE(results().isVisible());
    EXPECT_EQ(results().MSFlexGrid1().TextMatrix(1, 45), "Total]wt%");
}

TEST_F(CalculateCommandTest, TwoRunsAppendTheirRowsTwiceBelowOneHeading) {
    openWindow();
    const fs::path file = writeDataFile("mixed.epd", GoldenAnalyses());
    calculateFile(file);
    calculateFile(file);

    EXPECT_EQ(resultRows(), Repeated(GoldenRows(false), 2));
    EXPECT_EQ(results().MSFlexGrid1().TextMatrix(0, 0), "Stelvador");
    EXPECT_EQ(results().MSFlexGrid1().TextMatrix(1, 0), "Sample       ");
    // The plot data files hold the second run's records only.
    EXPECT_EQ(ReadBytes(m_work / "CeLaY.dat"),
              ReadBytes(GoldenExpectedFolder(false) / "CeLaY.dat"));
}

TEST_F(CalculateCommandTest, BlankRowsInsideTheBlockDropNoAnalysis) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    ASSERT_GE(golden.size(), 5u);
    const std::vector<std::string> goldenRows = GoldenRows(false);
    // Rows 1, 2, then a blank row, then 4 and 5, a row whose SiO2 reads 0, and row 7.
    AnalysisRow zeroSilica = golden[2];
    zeroSilica.cells[0] = "0.0";
    const std::vector<AnalysisRow> rows = {golden[0], golden[1],  AnalysisRow{}, golden[2],
                                           golden[3], zeroSilica, golden[4]};
    openWindow();
    calculateFile(writeDataFile("gaps.epd", rows));

    EXPECT_EQ(resultRows(), (std::vector<std::string>{goldenRows[0], goldenRows[1], goldenRows[2],
                                                      goldenRows[3], goldenRows[4]}));
}

TEST_F(CalculateCommandTest, LastRowsOfTheGridAreCalculated) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    std::vector<AnalysisRow> rows(300);
    rows[298] = golden[0];
    rows[299] = golden[1];
    openWindow();
    calculateFile(writeDataFile("late.epd", rows));
    const std::vector<std::string> goldenRows = GoldenRows(false);
    EXPECT_EQ(resultRows(), (std::vector<std::string>{goldenRows[0], goldenRows[1]}));
}

TEST_F(CalculateCommandTest, CurrentCellEndsOnTheLastConstituentOfTheLastAnalysis) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    std::vector<AnalysisRow> rows(10);
    rows[0] = golden[0];
    rows[6] = golden[1];
    openWindow();
    calculateFile(writeDataFile("two.epd", rows));
    EXPECT_EQ(m_window->MSFlexGrid1().Row(), 7);
    EXPECT_EQ(m_window->MSFlexGrid1().Col(), 43);

    calculateFile(writeDataFile("none.epd", std::vector<AnalysisRow>(3)));
    EXPECT_EQ(m_window->MSFlexGrid1().Row(), 300);
    EXPECT_EQ(m_window->MSFlexGrid1().Col(), 2);

    // A grid shortened by Remove Row has no row 300: the current cell stays, and nothing is
    // reported for it.
    m_window->mnuOpen().setChecked(true);
    FlexGrid& grid = m_window->MSFlexGrid1();
    while (grid.Rows() > 4) {
        grid.RemoveItem(grid.Rows() - 1);
    }
    grid.setRow(2);
    m_messages.clear();
    m_window->mnuOpen_Click();
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(PendingError(), 0);
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(CalculateCommandTest, LoadingASmallerFileLeavesNothingOfTheLarger) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    calculateFile(writeDataFile("large.epd", golden));
    calculateFile(writeDataFile("small.epd", {golden[3], golden[4]}));

    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.TextMatrix(1, 1), golden[3].sample);
    EXPECT_EQ(grid.TextMatrix(2, 1), golden[4].sample);
    for (int r = 3; r <= 300; ++r) {
        for (int c = 1; c <= 43; ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "") << "row " << r << " column " << c;
        }
    }
    const std::vector<std::string> rows = resultRows();
    const std::vector<std::string> goldenRows = GoldenRows(false);
    ASSERT_EQ(rows.size(), golden.size() + 2);
    EXPECT_EQ(rows[golden.size()], goldenRows[3]);
    EXPECT_EQ(rows[golden.size() + 1], goldenRows[4]);
}

TEST_F(CalculateCommandTest, CancelledDialogKeepsTheGridAndCalculatesIt) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    calculateFile(writeDataFile("mixed.epd", golden));
    m_dialog.queueCancel();
    m_window->mnuOpen_Click();

    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), golden[0].sample);
    EXPECT_EQ(resultRows(), Repeated(GoldenRows(false), 2));
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(m_window->StatusBar1().panelText(1), "");
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
}

// A file that cannot be loaded changes nothing: the grid is calculated as it stands, and both
// windows go on naming the file the grid came from, not the one that failed.
TEST_F(CalculateCommandTest, MissingFileIsReportedAndChangesNothing) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    const fs::path mixed = writeDataFile("mixed.epd", golden);
    calculateFile(mixed);
    calculateFile(m_work / "gone.epd");

    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(53)});
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), golden[0].sample);
    EXPECT_EQ(resultRows(), Repeated(GoldenRows(false), 2));
    EXPECT_EQ(m_window->StatusBar1().panelText(1), mixed.string());
    EXPECT_EQ(results().StatusBar1().panelText(1), mixed.string());
}

TEST_F(CalculateCommandTest, FileThatIsNotADataFileChangesNothing) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    const fs::path mixed = writeDataFile("mixed.epd", golden);
    calculateFile(mixed);
    std::ofstream(m_work / "notes.epd", std::ios::binary) << "not a data file\r\n";
    calculateFile(m_work / "notes.epd");

    EXPECT_EQ(m_messages.texts().size(), 1u);
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), golden[0].sample);
    EXPECT_EQ(resultRows().size(), 2 * golden.size());
    EXPECT_EQ(m_window->StatusBar1().panelText(1), mixed.string());
    EXPECT_EQ(results().StatusBar1().panelText(1), mixed.string());
}

// Run from the toolbar, the failure is reported once, by the toolbar's reporter.
TEST_F(CalculateCommandTest, ToolbarRunReportsItsFailureOnce) {
    openWindow();
    m_dialog.queuePath((m_work / "gone.epd").string());
    m_window->Toolbar1_ButtonClick(kkj::kCalculatePosition);
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(53)});
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
}

TEST_F(CalculateCommandTest, LoadedGridMarkSkipsTheDialogAndReportsItsLastName) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    const fs::path file = writeDataFile("mixed.epd", golden);
    calculateFile(file);
    m_window->mnuOpen().setChecked(true);
    m_window->StatusBar1().setPanelText(1, "typed analyses");
    m_window->MSFlexGrid1().setTextMatrix(1, 1, "edited");

    m_window->mnuOpen_Click();

    EXPECT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), "edited");
    EXPECT_EQ(m_window->StatusBar1().panelText(1), "typed analyses");
    EXPECT_EQ(results().StatusBar1().panelText(1), file.string());
    const std::vector<std::string> rows = resultRows();
    ASSERT_EQ(rows.size(), 2 * golden.size());
    EXPECT_EQ(rows[golden.size()].substr(0, 7), "edited\t");
}

TEST_F(CalculateCommandTest, RowsTheGridLacksCountAsBlank) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    calculateFile(writeDataFile("mixed.epd", golden));
    m_window->mnuOpen().setChecked(true);
    FlexGrid& grid = m_window->MSFlexGrid1();
    while (grid.Rows() > 4) {
        grid.RemoveItem(grid.Rows() - 1);
    }
    m_window->mnuOpen_Click();

    const std::vector<std::string> rows = resultRows();
    const std::vector<std::string> goldenRows = GoldenRows(false);
    ASSERT_EQ(rows.size(), golden.size() + 3);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[golden.size() + i], goldenRows[i]);
    }
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(CalculateCommandTest, FileWithoutAnalysesWritesHeaderLinesOnly) {
    openWindow();
    calculateFile(writeDataFile("empty.epd", std::vector<AnalysisRow>(300)));

    EXPECT_TRUE(resultRows().empty());
    EXPECT_TRUE(results().isVisible());
    EXPECT_EQ(results().StatusBar1().panelText(1), "");
    for (std::size_t f = 0; f < kPlotFileNames.size(); ++f) {
        EXPECT_EQ(ReadBytes(m_work / kPlotFileNames[f]), std::string(kPlotFileHeaders[f]) + "\r\n");
    }
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
}

TEST_F(CalculateCommandTest, StartUpScreenKeepsTheGridHidden) {
    openWindow();
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));
    EXPECT_FALSE(m_window->MSFlexGrid1().Visible());
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
}

TEST_F(CalculateCommandTest, PlotDataFilesThatCannotBeCreatedAreReported) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    openWindow();
    calculateFile(writeDataFile("mixed.epd", golden));
    m_window->mnuOpen().setChecked(true);
    // A current directory that no longer exists takes no file.
    const fs::path gone = m_work / "gone";
    fs::create_directories(gone);
    fs::current_path(gone);
    fs::remove(gone);

    m_window->mnuOpen_Click();
    fs::current_path(m_work);

    ASSERT_EQ(m_messages.texts().size(), 1u);
    const std::string kept = "\nThe 13 plot data files were left as they were before this run.";
    EXPECT_TRUE(m_messages.lastText() == DataEntryMessage(75) + kept ||
                m_messages.lastText() == DataEntryMessage(76) + kept)
        << m_messages.lastText();
    EXPECT_EQ(resultRows().size(), 2 * golden.size());
}

TEST_F(CalculateCommandTest, WithoutOutputWorkbookTheRunStillCalculates) {
    m_programFolder = m_work / "empty program folder";
    fs::create_directories(m_programFolder);
    openWindow();
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));

    EXPECT_EQ(resultRows(), GoldenRows(false));
    EXPECT_EQ(results().MSFlexGrid1().TextMatrix(0, 134), "134");
    EXPECT_TRUE(results().OutputBook().isNothing());
    // The load itself says nothing; the run reports the failure it left pending: the output
    // workbook's sheet could not be taken.
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(424)});
}

}  // namespace
}  // namespace stelvador
