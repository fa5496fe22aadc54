// The data entry window's file commands on a full grid, offscreen, with the window's events
// processed after each so drawing is counted: Open File of a data file of 300 analyses, Save As
// of them, and New File over them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/oxide_list.h"
#include "data_entry_bench.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// 300 analyses of 43 cells, every cell filled.
std::string FullDataBlock() {
    std::string block;
    for (int r = 1; r <= 300; ++r) {
        if (r > 1) {
            block += '\r';
        }
        block += "Ep-" + std::to_string(r);
        for (std::size_t c = 0; c < kOxideCount; ++c) {
            block += '\t';
            block += std::to_string(c % 50) + "." + std::to_string(100 + (r * (c + 2)) % 900);
        }
    }
    return block;
}

// The shown window in a scratch folder, with a data file of 300 analyses there.
class FileCommandBench : public DataEntryBench {
  public:
    FileCommandBench()
        : DataEntryBench("file_bench"), m_dataFile(writeDataFile("full.epd", FullDataBlock())) {}

    const fs::path& dataFile() const { return m_dataFile; }

  private:
    fs::path m_dataFile;
};

void BM_OpenFileOf300Analyses(benchmark::State& state) {
    FileCommandBench bench;
    for (auto _ : state) {
        bench.dialog().queuePath(bench.dataFile().string());
        bench.window().mnuOpenFile_Click();
        QApplication::processEvents();
    }
    state.counters["messages"] = bench.messageCount();
}
BENCHMARK(BM_OpenFileOf300Analyses)->Unit(benchmark::kMillisecond);

void BM_SaveAsOf300Analyses(benchmark::State& state) {
    FileCommandBench bench;
    bench.dialog().queuePath(bench.dataFile().string());
    bench.window().mnuOpenFile_Click();
    const std::string saved = (bench.work() / "saved.epd").string();
    for (auto _ : state) {
        bench.dialog().queuePath(saved);
        bench.window().mnuSaveAs_Click();
        QApplication::processEvents();
    }
    state.counters["messages"] = bench.messageCount();
}
BENCHMARK(BM_SaveAsOf300Analyses)->Unit(benchmark::kMillisecond);

void BM_NewFileOver300Analyses(benchmark::State& state) {
    FileCommandBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.dialog().queuePath(bench.dataFile().string());
        bench.window().mnuOpenFile_Click();
        QApplication::processEvents();
        state.ResumeTiming();
        bench.window().mnuNewFile_Click();
        QApplication::processEvents();
    }
    state.counters["messages"] = bench.messageCount();
}
BENCHMARK(BM_NewFileOver300Analyses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
