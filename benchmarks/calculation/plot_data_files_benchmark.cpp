// The 13 plot data files of a run of 300 analyses written as a set: built beside the earlier
// files, put on the disk and renamed over them. With sample names of 32,767 characters the set
// holds about 127 MB.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "calculation/analysis_state.h"
#include "calculation/output/compute_plot_quantities.h"
#include "calculation/output/plot_data_files.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shown_m3.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

void BM_PlotDataFilesOf300Analyses(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("stelvador_plot_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // One analysis of each subgroup, so that every file gets records.
    std::vector<AnalysisState> analyses;
    std::vector<ResultRow> rows;
    for (const char* subgroup : {"Clinozoisite subgroup", "Allanite subgroup",
                                 "Dollaseite subgroup", "Askagenite subgroup"}) {
        AnalysisState analysis;
        analysis.formula.sampleName = std::string(static_cast<std::size_t>(state.range(0)), 's');
        analysis.subgroup = subgroup;
        analysis.species = "Clinozoisite";
        analysis.ions.M3 = "Al";
        CorrectM3String(analysis);
        ComputePlotQuantities(analysis);
        rows.push_back(BuildResultRow(analysis));
        analyses.push_back(std::move(analysis));
    }
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        PlotDataFiles files;
        files.open(folder);
        for (int row = 0; row < 300; ++row) {
            const std::size_t k = static_cast<std::size_t>(row) % analyses.size();
            files.writeRecords(analyses[k], rows[k]);
        }
        files.close();
        if (files.lastFailure() != 0) {
            state.SkipWithError("the plot data files could not be written");
            break;
        }
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        bytes += entry.file_size();
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    fs::remove_all(folder);
}
BENCHMARK(BM_PlotDataFilesOf300Analyses)->Arg(12)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
