#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calculation/chain/calculate_analysis.h"
#include "calculation/output/plot_data_files.h"
#include "calculation/output/plot_records.h"
#include "common/oxide_list.h"
#include "support/analyses_table.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

struct GoldenRun {
    const char* name;  // folder of the expected files under data/
    bool siNormalization;
};

class ChainGoldenTest : public ::testing::TestWithParam<GoldenRun> {};

// The data set goes through the whole chain and the plot data files as a calculation run does;
// the result rows and the 13 files must match the expected files byte for byte. Set
// STELVADOR_UPDATE_GOLDEN=1 to write the expected files afresh (then check them by hand).
TEST_P(ChainGoldenTest, ResultRowsAndPlotDataFilesMatchTheExpectedFiles) {
    const GoldenRun& run = GetParam();
    const fs::path data = STELVADOR_TEST_DATA_DIR;
    const std::vector<AnalysisRow> analyses = ReadAnalysesTable(data / "analyses.tsv");
    ASSERT_FALSE(analyses.empty());

    // A folder of this run's own, so that runs at the same time do not meet, removed however the
    // test ends.
    const ScratchFolder scratch(std::string("golden_") + run.name);
    const fs::path& out = scratch.path();

    PlotDataFiles files;
    OpenPlotDataFiles(files, out);
    std::string results;
    for (const AnalysisRow& analysis : analyses) {
        std::array<std::string_view, kOxideCount> cells{};
        for (std::size_t c = 0; c < cells.size(); ++c) {
            cells[c] = analysis.cells[c];
        }
        const AnalysisOutcome outcome =
            CalculateAnalysis(analysis.sample, cells, run.siNormalization);
        results += outcome.row.text;
        results += '\n';
        WritePlotRecords(files, outcome.state, outcome.row);
    }
    ClosePlotDataFiles(files);
    ASSERT_EQ(files.lastFailure(), 0);
    { std::ofstream(out / "results.txt", std::ios::binary) << results; }

    std::vector<std::string> names(kPlotFileNames.begin(), kPlotFileNames.end());
    names.insert(names.begin(), "results.txt");
    const fs::path expected = data / run.name;
    const char* update = std::getenv("STELVADOR_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        fs::create_directories(expected);
        for (const std::string& name : names) {
            fs::copy_file(out / name, expected / name, fs::copy_options::overwrite_existing);
        }
    }
    for (const std::string& name : names) {
        EXPECT_EQ(ReadBytes(out / name), ReadBytes(expected / name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ChainGoldenTest,
                         ::testing::Values(GoldenRun{"expected", false},
                                           GoldenRun{"expected_si3", true}),
                         [](const ::testing::TestParamInfo<GoldenRun>& info) {
                             return std::string(info.param.siNormalization ? "Si3" : "Plain");
                         });

bool SameBits(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

// Every value of the two states to the bit: the structs of numbers byte for byte (they hold only
// doubles, so they have no padding), the texts, the flags.
void ExpectSameState(const AnalysisState& reused, const AnalysisState& fresh) {
    static_assert(sizeof(SiteContents) % sizeof(double) == 0);
    static_assert(sizeof(PlotQuantities) % sizeof(double) == 0);
    EXPECT_EQ(reused.siNormalization, fresh.siNormalization);
    const FormulaValues& a = reused.formula;
    const FormulaValues& b = fresh.formula;
    EXPECT_EQ(a.sampleName, b.sampleName);
    EXPECT_TRUE(SameBits(&a.weightPercent, &b.weightPercent, sizeof a.weightPercent));
    EXPECT_TRUE(
        SameBits(&a.molecularProportion, &b.molecularProportion, sizeof a.molecularProportion));
    EXPECT_TRUE(SameBits(&a.cationProportion, &b.cationProportion, sizeof a.cationProportion));
    EXPECT_TRUE(SameBits(&a.oxygenProportion, &b.oxygenProportion, sizeof a.oxygenProportion));
    EXPECT_TRUE(SameBits(&a.cationsPerOxygenBasis, &b.cationsPerOxygenBasis,
                         sizeof a.cationsPerOxygenBasis));
    EXPECT_TRUE(SameBits(&a.apfu, &b.apfu, sizeof a.apfu));
    for (const auto field :
         {&FormulaValues::oxygenEquivalentF, &FormulaValues::oxygenEquivalentCl,
          &FormulaValues::analyticalTotal, &FormulaValues::oxygenSum, &FormulaValues::oxygenFactor,
          &FormulaValues::cationSum, &FormulaValues::apfuTotal, &FormulaValues::ferricEstimate,
          &FormulaValues::totalIron, &FormulaValues::siNormalizationFactor}) {
        EXPECT_TRUE(SameBits(&(a.*field), &(b.*field), sizeof(double)));
    }
    EXPECT_EQ(a.siNormalized, b.siNormalized);
    EXPECT_TRUE(SameBits(&reused.sites, &fresh.sites, sizeof reused.sites));
    EXPECT_TRUE(SameBits(&reused.plot, &fresh.plot, sizeof reused.plot));
    const DominantIons& x = reused.ions;
    const DominantIons& y = fresh.ions;
    EXPECT_EQ(x.A1, y.A1);
    EXPECT_EQ(x.A2, y.A2);
    EXPECT_EQ(x.M1, y.M1);
    EXPECT_EQ(x.M2, y.M2);
    EXPECT_EQ(x.M3, y.M3);
    EXPECT_EQ(x.O4, y.O4);
    EXPECT_EQ(x.A2Divalent, y.A2Divalent);
    EXPECT_EQ(x.M3Divalent, y.M3Divalent);
    EXPECT_EQ(x.M3Trivalent, y.M3Trivalent);
    EXPECT_EQ(reused.subgroup, fresh.subgroup);
    EXPECT_EQ(reused.species, fresh.species);
    EXPECT_EQ(reused.shownM3, fresh.shownM3);
}

// An outcome reused from any earlier analysis (of the data set, or a degenerate one: all cells
// empty, letters, beyond range, negative) holds exactly what a fresh outcome holds: every value
// of the state, the row and the plot records.
TEST(ChainReuse, AReusedOutcomeEqualsAFreshOneInEveryValue) {
    std::vector<AnalysisRow> analyses =
        ReadAnalysesTable(fs::path(STELVADOR_TEST_DATA_DIR) / "analyses.tsv");
    ASSERT_FALSE(analyses.empty());
    const std::size_t realCount = analyses.size();
    for (const char* text : {"", "abc", "1e309", "-1.5", "0"}) {
        analyses.push_back(
            {std::string("degenerate ") + text, std::vector<std::string>(kOxideCount, text)});
    }
    auto cellsOf = [](const AnalysisRow& line) {
        std::array<std::string_view, kOxideCount> cells{};
        for (std::size_t c = 0; c < cells.size(); ++c) {
            cells[c] = line.cells[c];
        }
        return cells;
    };
    for (const bool si3 : {false, true}) {
        for (std::size_t next = 0; next < realCount; ++next) {
            const AnalysisOutcome fresh =
                CalculateAnalysis(analyses[next].sample, cellsOf(analyses[next]), si3);
            PlotRecords freshRecords;
            FormatPlotRecords(fresh.state, fresh.row, freshRecords);
            for (std::size_t before = 0; before < analyses.size(); ++before) {
                SCOPED_TRACE(analyses[before].sample + " then " + analyses[next].sample);
                AnalysisOutcome reused;
                PlotRecords records;
                CalculateAnalysis(analyses[before].sample, cellsOf(analyses[before]), !si3, reused);
                FormatPlotRecords(reused.state, reused.row, records);
                CalculateAnalysis(analyses[next].sample, cellsOf(analyses[next]), si3, reused);
                FormatPlotRecords(reused.state, reused.row, records);
                ExpectSameState(reused.state, fresh.state);
                EXPECT_EQ(reused.row.text, fresh.row.text);
                EXPECT_EQ(reused.row.cellStart, fresh.row.cellStart);
                EXPECT_EQ(records.present, freshRecords.present);
                for (std::size_t f = 0; f < records.lines.size(); ++f) {
                    if (freshRecords.present[f]) {
                        EXPECT_EQ(records.lines[f], freshRecords.lines[f]) << kPlotFileNames[f];
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace stelvador
