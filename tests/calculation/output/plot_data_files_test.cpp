#include "calculation/output/plot_data_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "calculation/analysis_state.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shown_m3.h"
#include "common/error_numbers.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string HeaderLine(int file) {
    return std::string(kPlotFileHeaders[static_cast<std::size_t>(file)]) + "\r\n";
}

// A fresh, empty folder per test.
class PlotDataFilesTest : public ::testing::Test {
  protected:
    PlotDataFilesTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("stelvador_plot_files_") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~PlotDataFilesTest() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(PlotDataFilesTest, RunWithoutRecordsLeavesThe13HeaderLines) {
    PlotDataFiles files;
    OpenPlotDataFiles(files, folder);
    ClosePlotDataFiles(files);
    EXPECT_EQ(files.lastFailure(), 0);
    for (int f = 0; f < kPlotFileCount; ++f) {
        EXPECT_EQ(ReadBytes(folder / std::string(kPlotFileNames[static_cast<std::size_t>(f)])),
                  HeaderLine(f));
    }
}

TEST_F(PlotDataFilesTest, RecordsFollowTheHeaderInTheOrderOfTheAnalyses) {
    PlotDataFiles files;
    files.open(folder);
    for (const char* name : {"D1", "D2"}) {
        AnalysisState state;
        state.formula.sampleName = name;
        state.subgroup = "Dollaseite subgroup";
        ComputePlotQuantities(state);
        const ResultRow row = BuildResultRow(state);
        WritePlotRecords(files, state, row);
    }
    files.close();
    EXPECT_EQ(ReadBytes(folder / "AlFe3Fe2Mg.dat"),
              HeaderLine(9) + "D1\t-1\t0.000\t0.000\r\nD2\t-1\t0.000\t0.000\r\n");
    EXPECT_EQ(ReadBytes(folder / "M2M3AlVI.dat"),
              HeaderLine(11) + "D1\t0\t0\t0.000\r\nD2\t0\t0\t0.000\r\n");
    EXPECT_EQ(ReadBytes(folder / "FeMgMn.dat"), HeaderLine(3));
}

TEST_F(PlotDataFilesTest, SecondRunReplacesTheFirstRunsFiles) {
    PlotDataFiles files;
    files.open(folder);
    AnalysisState state;
    state.formula.sampleName = "first";
    state.species = "Clinozoisite";
    ComputePlotQuantities(state);
    files.writeRecords(state, BuildResultRow(state));
    files.close();
    ASSERT_NE(ReadBytes(folder / "AlVMg.dat"), HeaderLine(12));

    files.open(folder);
    files.close();
    EXPECT_EQ(ReadBytes(folder / "AlVMg.dat"), HeaderLine(12));
}

TEST_F(PlotDataFilesTest, FileThatCannotBeCreatedDoesNotStopTheOthers) {
    // A folder in the way of the first file's name.
    fs::create_directory(folder / "CrAlFe.dat");
    PlotDataFiles files;
    files.open(folder);
    EXPECT_FALSE(files.isOpen(0));
    EXPECT_TRUE(files.isOpen(1));
    EXPECT_EQ(files.lastFailure(), error::kPathFileAccessError);

    AnalysisState state;
    state.formula.sampleName = "cz";
    state.subgroup = "Clinozoisite subgroup";
    state.ions.M3 = "Al";
    CorrectM3String(state);
    ComputePlotQuantities(state);
    files.writeRecords(state, BuildResultRow(state));
    files.close();
    EXPECT_TRUE(fs::is_directory(folder / "CrAlFe.dat"));
    EXPECT_EQ(ReadBytes(folder / "VAlFe.dat"), HeaderLine(1) + "cz\t\t\t\r\n");
    EXPECT_EQ(files.lastFailure(), error::kPathFileAccessError);
}

TEST_F(PlotDataFilesTest, MissingFolderFailsEveryFileWithPathNotFound) {
    PlotDataFiles files;
    files.open(folder / "no such folder");
    for (int f = 0; f < kPlotFileCount; ++f) {
        EXPECT_FALSE(files.isOpen(f));
    }
    EXPECT_EQ(files.lastFailure(), error::kPathNotFound);
    AnalysisState state;
    state.subgroup = "Allanite subgroup";
    ComputePlotQuantities(state);
    files.writeRecords(state, BuildResultRow(state));  // goes nowhere, no crash
    files.close();
    EXPECT_EQ(files.lastFailure(), error::kPathNotFound);
}

TEST_F(PlotDataFilesTest, OpeningAgainClearsTheLastFailure) {
    PlotDataFiles files;
    files.open(folder / "missing");
    ASSERT_NE(files.lastFailure(), 0);
    files.open(folder);
    EXPECT_EQ(files.lastFailure(), 0);
    files.close();
}

TEST_F(PlotDataFilesTest, FilesLeftOpenAreClosedAndCompleteWhenTheSetGoesAway) {
    {
        PlotDataFiles files;
        files.open(folder);
    }
    EXPECT_EQ(ReadBytes(folder / "CeLaY.dat"), HeaderLine(4));
}

}  // namespace
}  // namespace stelvador
