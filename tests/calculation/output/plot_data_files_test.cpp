#include "calculation/output/plot_data_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "calculation/analysis_state.h"
#include "calculation/output/compute_plot_quantities.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shown_m3.h"
#include "common/error_numbers.h"
#include "full_disk.h"
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

// The 13 files' bytes by name.
std::map<std::string, std::string> SetBytes(const fs::path& folder) {
    std::map<std::string, std::string> bytes;
    for (const std::string_view name : kPlotFileNames) {
        bytes[std::string(name)] = ReadBytes(folder / std::string(name));
    }
    return bytes;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> PlotFileNames() {
    std::vector<std::string> names(kPlotFileNames.begin(), kPlotFileNames.end());
    std::sort(names.begin(), names.end());
    return names;
}

// A run whose analyses reach every one of the 13 files, each sample name long enough that the
// run's files need some room.
void WriteRun(PlotDataFiles& files, const std::string& sample, int analyses) {
    for (int i = 0; i < analyses; ++i) {
        for (const char* subgroup : {"Clinozoisite subgroup", "Allanite subgroup",
                                     "Dollaseite subgroup", "Askagenite subgroup"}) {
            AnalysisState state;
            state.formula.sampleName = sample + std::string(200, '-') + std::to_string(i);
            state.subgroup = subgroup;
            state.species = "Clinozoisite";
            state.ions.M3 = "Al";
            CorrectM3String(state);
            ComputePlotQuantities(state);
            files.writeRecords(state, BuildResultRow(state));
        }
    }
}

std::map<std::string, std::string> EarlierSet(const fs::path& folder) {
    PlotDataFiles files;
    files.open(folder);
    WriteRun(files, "earlier", 3);
    files.close();
    EXPECT_EQ(files.lastFailure(), 0);
    return SetBytes(folder);
}

// A file that cannot be built stops the whole set: the earlier files all stay as they were.
TEST_F(PlotDataFilesTest, AFileThatCannotBeCreatedLeavesTheWholeEarlierSet) {
    const auto earlier = EarlierSet(folder);
    fs::remove(folder / "FeMgMn.dat");
    fs::create_directory(folder / "FeMgMn.dat");  // a folder in the way of the fourth file
    PlotDataFiles files;
    files.open(folder);
    EXPECT_EQ(files.lastFailure(), error::kPathFileAccessError);
    for (int f = 0; f < kPlotFileCount; ++f) {
        EXPECT_FALSE(files.isOpen(f));
    }
    WriteRun(files, "later", 1);  // goes nowhere, no crash
    files.close();
    EXPECT_EQ(files.lastFailure(), error::kPathFileAccessError);
    EXPECT_TRUE(fs::is_directory(folder / "FeMgMn.dat"));
    for (const auto& [name, bytes] : earlier) {
        if (name != "FeMgMn.dat") {
            EXPECT_EQ(ReadBytes(folder / name), bytes) << name;
        }
    }
    EXPECT_EQ(Names(folder), PlotFileNames());
}

TEST_F(PlotDataFilesTest, MissingFolderFailsEveryFileWithPathNotFound) {
    PlotDataFiles files;
    files.open(folder / "no such folder");
    for (int f = 0; f < kPlotFileCount; ++f) {
        EXPECT_FALSE(files.isOpen(f));
    }
    EXPECT_EQ(files.lastFailure(), error::kPathNotFound);
    WriteRun(files, "nowhere", 1);
    files.close();
    EXPECT_EQ(files.lastFailure(), error::kPathNotFound);
    EXPECT_FALSE(fs::exists(folder / "no such folder"));
}

TEST_F(PlotDataFilesTest, OpeningAgainClearsTheLastFailure) {
    PlotDataFiles files;
    files.open(folder / "missing");
    ASSERT_NE(files.lastFailure(), 0);
    files.open(folder);
    EXPECT_EQ(files.lastFailure(), 0);
    EXPECT_TRUE(files.isOpen(0));
    files.close();
}

// Nothing replaces an earlier file before close: a run that never closes its set leaves the
// earlier files and no temporary file.
TEST_F(PlotDataFilesTest, ASetThatGoesAwayUnclosedLeavesTheEarlierFiles) {
    const auto earlier = EarlierSet(folder);
    {
        PlotDataFiles files;
        files.open(folder);
        WriteRun(files, "later", 2);
        EXPECT_EQ(SetBytes(folder), earlier);
    }
    EXPECT_EQ(SetBytes(folder), earlier);
    EXPECT_EQ(Names(folder), PlotFileNames());
}

// Should a rename fail midway (here a folder put in the sixth file's place after the set was
// built), the files renamed before it hold the new run, the others the earlier one; none is
// truncated and no temporary file stays.
TEST_F(PlotDataFilesTest, ARenameThatFailsMidwayLeavesWholeFilesOfOneRunOrTheOther) {
    fs::create_directory(folder / "later");
    PlotDataFiles files;
    files.open(folder / "later");
    WriteRun(files, "later", 1);
    files.close();
    const auto later = SetBytes(folder / "later");
    fs::remove_all(folder / "later");

    const auto earlier = EarlierSet(folder);
    files.open(folder);
    WriteRun(files, "later", 1);
    const std::string sixth(kPlotFileNames[5]);
    fs::remove(folder / sixth);
    fs::create_directory(folder / sixth);
    fs::create_directory(folder / sixth / "inside");  // so that the rename cannot replace it
    files.close();
    EXPECT_EQ(files.lastFailure(), error::kPathFileAccessError);
    EXPECT_EQ(files.replaced(), 5);
    for (std::size_t f = 0; f < kPlotFileNames.size(); ++f) {
        const std::string name(kPlotFileNames[f]);
        if (f != 5) {
            EXPECT_EQ(ReadBytes(folder / name), (f < 5 ? later : earlier).at(name)) << name;
        }
    }
    EXPECT_NE(later.at("CrAlFe.dat"), earlier.at("CrAlFe.dat"));
    EXPECT_EQ(Names(folder), PlotFileNames());
}

class PlotDataFilesOnAFullDisk : public ::testing::TestWithParam<FullDiskKind> {};

INSTANTIATE_TEST_SUITE_P(Disks, PlotDataFilesOnAFullDisk,
                         ::testing::Values(FullDiskKind::SmallFileSystem,
                                           FullDiskKind::FileSizeLimit),
                         [](const auto& info) { return FullDiskKindName(info.param); });

// A full disk midway through a run: the earlier complete set stays byte for byte, nothing
// temporary is left, and the failure reads "Disk full".
TEST_P(PlotDataFilesOnAFullDisk, LeavesTheEarlierSetByteForByte) {
    FullDiskFolder disk(GetParam(), "plot-files");
    if (!disk.available()) {
        GTEST_SKIP() << "no file system may be mounted here";
    }
    const auto earlier = EarlierSet(disk.path());
    // Room for the headers and the first records, not for the whole run.
    disk.fill(16 * 1024);
    PlotDataFiles files;
    files.open(disk.path());
    WriteRun(files, "later", 40);
    files.close();
    EXPECT_EQ(files.lastFailure(), error::kDiskFull);
    EXPECT_EQ(files.replaced(), 0);
    EXPECT_EQ(SetBytes(disk.path()), earlier);
    EXPECT_EQ(Names(disk.path()), PlotFileNames());

    // With room again the same run replaces the set.
    disk.empty();
    files.open(disk.path());
    WriteRun(files, "later", 40);
    files.close();
    EXPECT_EQ(files.lastFailure(), 0);
    EXPECT_EQ(files.replaced(), kPlotFileCount);
    EXPECT_EQ(ReadBytes(disk.path() / "VAlFe.dat").rfind(HeaderLine(1) + "later", 0), 0u);
    EXPECT_EQ(Names(disk.path()), PlotFileNames());
}

}  // namespace
}  // namespace stelvador
