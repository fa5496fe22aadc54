// Saving and loading a full analysis grid: the data block's record written to a data file and
// read back into a grid's data block.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "entry/cap_cell.h"
#include "entry/data_file.h"
#include "platform/flex_grid.h"

namespace {

namespace fs = std::filesystem;

stelvador::FlexGrid fullGrid() {
    stelvador::FlexGrid grid(1001, 45);
    stelvador::capCell(grid);
    for (int r = 1; r <= 300; ++r) {
        grid.setTextMatrix(r, 1, "Sämple " + std::to_string(r));
        for (int c = 2; c <= 43; ++c) {
            grid.setTextMatrix(r, c, std::to_string(r % 50) + "." + std::to_string(c * 37 % 1000));
        }
    }
    return grid;
}

std::string benchmarkFile(const char* name) {
    return (fs::temp_directory_path() /
            (std::string("stelvador-") + name + "-" + std::to_string(::getpid()) + ".epd"))
        .string();
}

void WriteAndReadFullDataFile(benchmark::State& state) {
    stelvador::FlexGrid source = fullGrid();
    stelvador::FlexGrid target(1001, 45);
    stelvador::capCell(target);
    const std::string path = benchmarkFile("write-read");
    for (auto _ : state) {
        stelvador::WriteDataFile(source, path);
        stelvador::ReplaceDataBlock(target, stelvador::ReadDataFile(path));
        benchmark::DoNotOptimize(target.TextMatrix(300, 43));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)) * 2);
    fs::remove(path);
}
BENCHMARK(WriteAndReadFullDataFile)->Unit(benchmark::kMillisecond);

void WriteFullDataFile(benchmark::State& state) {
    stelvador::FlexGrid source = fullGrid();
    const std::string path = benchmarkFile("write");
    for (auto _ : state) {
        stelvador::WriteDataFile(source, path);
    }
    fs::remove(path);
}
BENCHMARK(WriteFullDataFile)->Unit(benchmark::kMillisecond);

void ReadFullDataFile(benchmark::State& state) {
    stelvador::FlexGrid source = fullGrid();
    stelvador::FlexGrid target(1001, 45);
    stelvador::capCell(target);
    const std::string path = benchmarkFile("read");
    stelvador::WriteDataFile(source, path);
    for (auto _ : state) {
        stelvador::ReplaceDataBlock(target, stelvador::ReadDataFile(path));
        benchmark::DoNotOptimize(target.TextMatrix(300, 43));
    }
    fs::remove(path);
}
BENCHMARK(ReadFullDataFile)->Unit(benchmark::kMillisecond);

// The results grid grows one AddItem at a time: 300 rows of 135 cells.
void AppendResultRows(benchmark::State& state) {
    std::string row;
    for (int c = 0; c < 135; ++c) {
        row += (c > 0 ? "\t" : "") + std::to_string(c * 1.125);
    }
    for (auto _ : state) {
        stelvador::FlexGrid grid(2, 135);
        for (int i = 0; i < 300; ++i) {
            grid.AddItem(row);
        }
        benchmark::DoNotOptimize(grid.Rows());
    }
}
BENCHMARK(AppendResultRows)->Unit(benchmark::kMillisecond);

void LayOutAnalysisGrid(benchmark::State& state) {
    for (auto _ : state) {
        stelvador::FlexGrid grid(1001, 45);
        stelvador::capCell(grid);
        benchmark::DoNotOptimize(grid.Rows());
    }
}
BENCHMARK(LayOutAnalysisGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
