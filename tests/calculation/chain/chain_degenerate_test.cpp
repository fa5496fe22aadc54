#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "calculation/chain/calculate_analysis.h"
#include "calculation/output/plot_records.h"
#include "common/oxide_list.h"

namespace stelvador {
namespace {

using Cells = std::array<std::string_view, kOxideCount>;

Cells EpidoteCells() {
    Cells cells{};
    cells[0] = "37.80";   // SiO2
    cells[1] = "0.10";    // TiO2
    cells[2] = "23.40";   // Al2O3
    cells[5] = "13.50";   // Fe2O3
    cells[8] = "0.05";    // MgO
    cells[9] = "0.15";    // MnO
    cells[15] = "23.20";  // CaO
    cells[41] = "1.88";   // H2O
    return cells;
}

Cells AllCells(std::string_view text) {
    Cells cells;
    cells.fill(text);
    return cells;
}

struct DegenerateCase {
    const char* name;
    Cells cells;
};

Cells WithCell(Cells cells, std::size_t c, std::string_view text) {
    cells[c] = text;
    return cells;
}

class ChainDegenerateTest : public ::testing::TestWithParam<DegenerateCase> {};

// Whatever the cells hold, the chain finishes with a full row, and nothing of the analysis
// before it reaches it: the row equals that of the same analysis calculated alone.
TEST_P(ChainDegenerateTest, DefinedRowAndNothingFromTheAnalysisBefore) {
    const DegenerateCase& c = GetParam();
    for (const bool si3 : {false, true}) {
        const AnalysisOutcome alone = CalculateAnalysis("deg", c.cells, si3);
        EXPECT_EQ(std::count(alone.row.text.begin(), alone.row.text.end(), '\t'), 130);

        AnalysisOutcome reused;
        CalculateAnalysis("epidote", EpidoteCells(), si3, reused);
        ASSERT_EQ(reused.state.species, "Epidote");
        CalculateAnalysis("deg", c.cells, si3, reused);
        EXPECT_EQ(reused.row.text, alone.row.text);

        PlotRecords records;
        FormatPlotRecords(alone.state, alone.row, records);
        for (std::size_t f = 0; f < records.lines.size(); ++f) {
            if (records.present[f]) {
                EXPECT_TRUE(records.lines[f].ends_with("\r\n"));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChainDegenerateTest,
    ::testing::Values(
        DegenerateCase{"empty", Cells{}}, DegenerateCase{"zeros", AllCells("0")},
        DegenerateCase{"letters", AllCells("abc")}, DegenerateCase{"negative", AllCells("-1.5")},
        DegenerateCase{"huge", AllCells("1e308")}, DegenerateCase{"beyondRange", AllCells("1e309")},
        DegenerateCase{"onlyWater", WithCell(Cells{}, 41, "12")},
        DegenerateCase{"epidoteBeyondRangeSiO2", WithCell(EpidoteCells(), 0, "2e400")},
        DegenerateCase{"epidoteNegativeCaO", WithCell(EpidoteCells(), 15, "-23")}),
    [](const ::testing::TestParamInfo<DegenerateCase>& info) {
        return std::string(info.param.name);
    });

TEST(ChainDegenerateTest, AllZeroRowShowsItsWtPercentAndEmptyFormula) {
    const AnalysisOutcome outcome = CalculateAnalysis("blank", Cells{}, false);
    EXPECT_EQ(outcome.row.cell(0), "blank");
    EXPECT_EQ(outcome.row.cell(1), "0.000");
    EXPECT_EQ(outcome.row.cell(45), "0.000");
    // No formula can be formed without oxygens.
    EXPECT_EQ(outcome.row.cell(47), "");
    EXPECT_EQ(outcome.row.cell(89), "");
    EXPECT_EQ(outcome.state.subgroup, "");
    EXPECT_EQ(outcome.state.species, "");
}

TEST(ChainDegenerateTest, CellBeyondTheRangeOfADoubleIsAnEmptyCell) {
    const AnalysisOutcome outcome =
        CalculateAnalysis("big", WithCell(EpidoteCells(), 15, "1e999"), false);
    EXPECT_EQ(outcome.row.cell(16), "");  // CaO
    EXPECT_EQ(outcome.row.cell(1), "37.800");
    EXPECT_EQ(outcome.row.cell(45), "");  // the total cannot be formed
}

TEST(ChainDegenerateTest, LettersReadZeroAndCommaStopsTheNumber) {
    Cells cells = EpidoteCells();
    cells[1] = "n.d.";
    cells[2] = "23,40";
    const AnalysisOutcome outcome = CalculateAnalysis("txt", cells, false);
    EXPECT_EQ(outcome.row.cell(2), "0.000");
    EXPECT_EQ(outcome.row.cell(3), "23.000");
}

}  // namespace
}  // namespace stelvador
