// The stelvador-calc tool run on a data file: the results grid on standard output, the plot
// data files in the current directory, a failure exit for a file it cannot read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calculation/output/plot_records.h"
#include "calculation_fixture.h"
#include "support/exit_status.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string Tool() {
    return (fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc").string();
}

using StelvadorCalcTest = CalculationFixture;

TEST_F(StelvadorCalcTest, PrintsTheResultsGridAndWritesThePlotDataFiles) {
    for (const bool siNormalization : {false, true}) {
        const fs::path file = writeDataFile("mixed.epd", GoldenAnalyses());
        const std::string command = "'" + Tool() + "' " + (siNormalization ? "--si3 " : "") +
                                    "mixed.epd > results.txt 2> errors.txt";
        ASSERT_EQ(ExitStatus(std::system(command.c_str())), 0) << ReadBytes("errors.txt");

        const std::vector<std::string> lines = ReadLines("results.txt");
        const std::vector<std::string> golden =
            ReadLines(GoldenExpectedFolder(siNormalization) / "results.txt");
        ASSERT_EQ(lines.size(), golden.size() + 2);
        EXPECT_EQ(lines[0].substr(0, 12), "Stelvador\t1\t");
        EXPECT_EQ(lines[1].substr(0, 19), "Sample       \t[SiO2");
        for (std::size_t i = 0; i < golden.size(); ++i) {
            // Columns 131 to 134 stay empty.
            EXPECT_EQ(lines[i + 2], golden[i] + "\t\t\t\t");
        }
        for (std::string_view name : kPlotFileNames) {
            EXPECT_EQ(ReadBytes(m_work / name),
                      ReadBytes(GoldenExpectedFolder(siNormalization) / name))
                << name;
        }
    }
}

TEST_F(StelvadorCalcTest, FileItCannotReadIsAFailure) {
    const std::string command = "'" + Tool() + "' missing.epd > results.txt 2> errors.txt";
    EXPECT_EQ(ExitStatus(std::system(command.c_str())), 1);
    EXPECT_NE(ReadBytes("errors.txt").find("missing.epd"), std::string::npos);
    EXPECT_TRUE(ReadBytes("results.txt").empty());
}

}  // namespace
}  // namespace stelvador
