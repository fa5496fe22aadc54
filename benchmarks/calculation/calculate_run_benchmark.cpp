// One whole Calculate run through the real windows, offscreen: a data file of 300 analyses
// loaded, calculated, 300 rows appended to the results grid and shown, 13 plot data files
// written.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/oxide_list.h"
#include "data_entry_bench.h"
#include "golden_analyses.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// The engine's golden analyses, repeated down to row 300.
std::string DataBlockOf300Analyses() {
    return RepeatedAnalysesBlock(
        GoldenAnalysisRows(fs::path(STELVADOR_GOLDEN_DIR) / "analyses.tsv"), 300);
}

void BM_CalculateRunOf300Analyses(benchmark::State& state) {
    DataEntryBench bench("run_bench");
    const fs::path dataFile = bench.writeDataFile("analyses300.epd", DataBlockOf300Analyses());

    int rows = 0;
    for (auto _ : state) {
        // Every run starts with a results window of its own, as after "Exit Excel File".
        state.PauseTiming();
        bench.freshResultsWindow();
        bench.dialog().queuePath(dataFile.string());
        state.ResumeTiming();

        bench.window().mnuOpen_Click();
        QApplication::processEvents();  // the results window shown and painted
        rows = bench.results().MSFlexGrid1().Rows() - 2;
    }
    state.counters["rows"] = rows;
    state.counters["messages"] = bench.messageCount();
}
BENCHMARK(BM_CalculateRunOf300Analyses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
