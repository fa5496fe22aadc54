// Time and peak memory of refusing the .xlsx list bombs: files of a few hundred kilobytes that
// list tens of millions of entries in one of the lists the reader keeps (shared strings,
// sheets, relationships, cell formats, number formats). Each is refused with 321 at its list's
// limit; the target is under 2 s and a peak resident memory under 300 MB each.
// peak_rss_MB is the whole process's peak during the benchmark's iterations, rss_before_MB what
// it held before them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/run_time_error.h"
#include "list_bombs.h"
#include "platform/spreadsheet/xlsx_reader.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// The packed bytes of a bomb of this many entries.
std::string BombBytes(ListBomb bomb, std::size_t entries) {
    const fs::path folder =
        fs::temp_directory_path() / ("stelvador_list_bombs_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / "bomb.xlsx";
    WriteZip(path, ListBombParts(bomb, entries));
    std::ifstream stream(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    fs::remove_all(folder);
    return bytes;
}

// Starts a new peak of resident memory (Linux: 5 into clear_refs).
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// "VmHWM:" (peak) or "VmRSS:" (now) of this process, in megabytes.
double MemoryMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(field.size())) / 1024.0;
        }
    }
    return 0.0;
}

void RefuseListBomb(benchmark::State& state, ListBomb bomb, std::size_t entries) {
    const std::string bytes = BombBytes(bomb, entries);
    ResetPeakMemory();
    const double atStart = MemoryMegabytes("VmRSS:");
    int refused = 0;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ReadXlsxWorkbook(bytes));
        } catch (const RunTimeError& failure) {
            refused += failure.number() == 321 ? 1 : 0;
        }
    }
    if (refused != static_cast<int>(state.iterations())) {
        state.SkipWithError("a bomb was not refused with 321");
    }
    state.counters["file_KB"] = static_cast<double>(bytes.size()) / 1024.0;
    state.counters["peak_rss_MB"] = MemoryMegabytes("VmHWM:");
    state.counters["rss_before_MB"] = atStart;
}

// Sizes as found: each fills its part close to the limit on one part's unpacked size.
BENCHMARK_CAPTURE(RefuseListBomb, SharedStrings25M, ListBomb::SharedStrings, 25'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RefuseListBomb, Sheets15M, ListBomb::Sheets, 15'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RefuseListBomb, Relationships3M, ListBomb::Relationships, 3'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RefuseListBomb, CellFormats25M, ListBomb::CellFormats, 25'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RefuseListBomb, NumberFormats2M, ListBomb::NumberFormats, 2'500'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace stelvador
