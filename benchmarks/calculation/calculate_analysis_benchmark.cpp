#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calculation/chain/calculate_analysis.h"
#include "calculation/output/plot_records.h"
#include "calculation/output/result_row.h"
#include "common/oxide_list.h"

namespace stelvador {
namespace {

using Cells = std::array<std::string_view, kOxideCount>;

// A cell text per constituent named; every other cell is empty, as in a typed analysis.
Cells MakeCells(std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    Cells cells{};
    for (const auto& [name, text] : values) {
        for (std::size_t c = 0; c < kOxideList.size(); ++c) {
            if (kOxideList[c] == name) {
                cells[c] = text;
            }
        }
    }
    return cells;
}

struct Analysis {
    std::string_view sample;
    Cells cells;
};

std::vector<Analysis> RealisticAnalyses() {
    return {
        {"Czo-1", MakeCells({{"SiO2", "38.95"},
                             {"TiO2", "0.05"},
                             {"Al2O3", "32.10"},
                             {"Fe2O3", "2.45"},
                             {"MgO", "0.04"},
                             {"MnO", "0.03"},
                             {"CaO", "24.20"},
                             {"H2O", "1.95"}})},
        {"Ep-1", MakeCells({{"SiO2", "37.80"},
                            {"TiO2", "0.10"},
                            {"Al2O3", "23.40"},
                            {"Fe2O3", "13.50"},
                            {"MgO", "0.05"},
                            {"MnO", "0.15"},
                            {"CaO", "23.20"},
                            {"H2O", "1.88"}})},
        {"Ep-FeO", MakeCells({{"SiO2", "37.50"},
                              {"Al2O3", "24.00"},
                              {"FeO", "11.50"},
                              {"CaO", "23.00"},
                              {"H2O", "1.90"}})},
        {"Aln-1", MakeCells({{"SiO2", "32.50"},
                             {"TiO2", "0.80"},
                             {"Al2O3", "16.50"},
                             {"Fe2O3", "5.50"},
                             {"FeO", "10.20"},
                             {"MgO", "0.60"},
                             {"MnO", "0.40"},
                             {"CaO", "11.50"},
                             {"La2O3", "6.20"},
                             {"Ce2O3", "11.50"},
                             {"Pr2O3", "1.10"},
                             {"Nd2O3", "3.20"},
                             {"Sm2O3", "0.30"},
                             {"Y2O3", "0.20"},
                             {"ThO2", "1.20"},
                             {"H2O", "1.55"}})},
        {"Pie-1", MakeCells({{"SiO2", "36.80"},
                             {"Al2O3", "19.50"},
                             {"Fe2O3", "4.20"},
                             {"Mn2O3", "15.00"},
                             {"CaO", "21.80"},
                             {"SrO", "0.50"},
                             {"H2O", "1.83"}})},
        {"Dol-1", MakeCells({{"SiO2", "32.00"},
                             {"Al2O3", "10.20"},
                             {"FeO", "1.00"},
                             {"MgO", "12.50"},
                             {"MnO", "0.80"},
                             {"CaO", "10.30"},
                             {"La2O3", "7.50"},
                             {"Ce2O3", "17.00"},
                             {"Pr2O3", "1.50"},
                             {"Nd2O3", "4.00"},
                             {"F", "3.20"},
                             {"H2O", "1.50"}})},
    };
}

// Cell texts to result-row text and plot records, for one analysis after another, as the
// Calculate command runs them: one outcome and one set of plot records reused from analysis to
// analysis (the refill overload), so their storage is kept. File writing is left out. Arg: the
// Si = 3 option. items_per_second is analyses per second; the target is 300,000 on one core.
void BM_CalculateAnalysis(benchmark::State& run) {
    const std::vector<Analysis> analyses = RealisticAnalyses();
    AnalysisOutcome outcome;
    PlotRecords records;
    std::size_t next = 0;
    for (auto _ : run) {
        const Analysis& analysis = analyses[next];
        next = next + 1 == analyses.size() ? 0 : next + 1;
        CalculateAnalysis(analysis.sample, analysis.cells, run.range(0) != 0, outcome);
        FormatPlotRecords(outcome.state, outcome.row, records);
        benchmark::DoNotOptimize(outcome.row.text.data());
        benchmark::DoNotOptimize(records.lines[6].data());
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations()));
}
BENCHMARK(BM_CalculateAnalysis)->Arg(0)->Arg(1);

// The same with a fresh outcome and fresh plot records per analysis (the returning overload).
void BM_CalculateAnalysisFresh(benchmark::State& run) {
    const std::vector<Analysis> analyses = RealisticAnalyses();
    std::size_t next = 0;
    for (auto _ : run) {
        const Analysis& analysis = analyses[next];
        next = next + 1 == analyses.size() ? 0 : next + 1;
        const AnalysisOutcome outcome =
            CalculateAnalysis(analysis.sample, analysis.cells, run.range(0) != 0);
        PlotRecords records;
        FormatPlotRecords(outcome.state, outcome.row, records);
        benchmark::DoNotOptimize(outcome.row.text.data());
        benchmark::DoNotOptimize(records.lines[6].data());
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations()));
}
BENCHMARK(BM_CalculateAnalysisFresh)->Arg(0);

// The result row alone, from states already calculated.
void BM_BuildResultRow(benchmark::State& run) {
    std::vector<AnalysisState> states;
    for (const Analysis& analysis : RealisticAnalyses()) {
        states.push_back(CalculateAnalysis(analysis.sample, analysis.cells, false).state);
    }
    ResultRow row;
    std::size_t next = 0;
    for (auto _ : run) {
        BuildResultRow(states[next], row);
        next = next + 1 == states.size() ? 0 : next + 1;
        benchmark::DoNotOptimize(row.text.data());
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations()));
}
BENCHMARK(BM_BuildResultRow);

// The plot records alone, from outcomes already calculated.
void BM_FormatPlotRecords(benchmark::State& run) {
    std::vector<AnalysisOutcome> outcomes;
    for (const Analysis& analysis : RealisticAnalyses()) {
        outcomes.push_back(CalculateAnalysis(analysis.sample, analysis.cells, false));
    }
    PlotRecords records;
    std::size_t next = 0;
    for (auto _ : run) {
        FormatPlotRecords(outcomes[next].state, outcomes[next].row, records);
        next = next + 1 == outcomes.size() ? 0 : next + 1;
        benchmark::DoNotOptimize(records.lines[6].data());
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations()));
}
BENCHMARK(BM_FormatPlotRecords);

// The plot numbers the records write in shortest round-trip form: those of the realistic
// analyses (Arg 0), or random values of the range plot numbers live in, 1e-6 to 1e4 (Arg 1), whose
// lengths and point positions vary the most. Zeros and values that cannot be formed are left out,
// as the records write those without a conversion.
std::vector<double> PlotNumberValues(bool random) {
    std::vector<double> values;
    if (random) {
        std::mt19937_64 generator(20240612);
        std::uniform_real_distribution<double> exponent(-6.0, 4.0);
        for (int i = 0; i < 4096; ++i) {
            values.push_back(std::pow(10.0, exponent(generator)));
        }
        return values;
    }
    for (const Analysis& analysis : RealisticAnalyses()) {
        const AnalysisState state = CalculateAnalysis(analysis.sample, analysis.cells, false).state;
        const PlotQuantities& p = state.plot;
        for (const double value :
             {p.crAlFeCr,       p.crAlFeAl,       p.crAlFeFe3,     p.vAlFeV,
              p.vAlFeAl,        p.vAlFeFe3,       p.mnAlFeMn3,     p.mnAlFeAl,
              p.mnAlFeFe3,      p.feMgMnFe2,      p.feMgMnMg,      p.feMgMnMn2,
              p.reeThU,         p.reeThSr,        p.alFe3MinusOne, p.fe2OverFe2Mg,
              p.fe3OverFe3AlVI, p.alTotal,        p.caM3A1Vacancy, p.reeM3A1Vacancy,
              p.fourA1Vacancy,  p.divalentSum,    p.trivalentSum,  state.sites.m3.al,
              state.sites.m3.v, state.sites.m3.mg}) {
            if (std::isfinite(value) && value != 0) {
                values.push_back(value);
            }
        }
    }
    return values;
}

// One value after another; items_per_second is values per second.
void BM_AppendPlotNumber(benchmark::State& run) {
    const std::vector<double> values = PlotNumberValues(run.range(0) != 0);
    std::string out;
    std::size_t next = 0;
    for (auto _ : run) {
        out.clear();
        AppendPlotNumber(out, values[next]);
        benchmark::DoNotOptimize(out.data());
        next = next + 1 == values.size() ? 0 : next + 1;
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations()));
}
BENCHMARK(BM_AppendPlotNumber)->Arg(0)->Arg(1);

}  // namespace
}  // namespace stelvador
