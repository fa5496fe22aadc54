#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calculation/chain/calculate_analysis.h"
#include "calculation/output/plot_data_files.h"
#include "common/oxide_list.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// One line of analyses.tsv: the sample name and the 42 cell texts, TAB-separated.
struct AnalysisLine {
    std::string sample;
    std::vector<std::string> cells;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        items.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return items;
        }
        start = tab + 1;
    }
}

std::vector<AnalysisLine> ReadAnalyses(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<AnalysisLine> analyses;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> items = SplitTabs(line);
        items.resize(1 + kOxideCount);
        analyses.push_back({items[0], std::vector<std::string>(items.begin() + 1, items.end())});
    }
    return analyses;
}

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
    const std::vector<AnalysisLine> analyses = ReadAnalyses(data / "analyses.tsv");
    ASSERT_FALSE(analyses.empty());

    const fs::path out = fs::temp_directory_path() / (std::string("stelvador_golden_") + run.name);
    fs::remove_all(out);
    fs::create_directories(out);

    PlotDataFiles files;
    OpenPlotDataFiles(files, out);
    std::string results;
    for (const AnalysisLine& analysis : analyses) {
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
    fs::remove_all(out);
}

INSTANTIATE_TEST_SUITE_P(Runs, ChainGoldenTest,
                         ::testing::Values(GoldenRun{"expected", false},
                                           GoldenRun{"expected_si3", true}),
                         [](const ::testing::TestParamInfo<GoldenRun>& info) {
                             return std::string(info.param.siNormalization ? "Si3" : "Plain");
                         });

}  // namespace
}  // namespace stelvador
