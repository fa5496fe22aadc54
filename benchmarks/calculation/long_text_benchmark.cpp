// Long sample names through the real windows, offscreen, with the windows' events processed
// after each step so drawing is counted:
// - Open File of a data file whose row 4 sample name is 1 MiB, then Calculate;
// - a Calculate run of 300 analyses whose sample names are each as long as a cell may hold
//   (its 13 plot data files hold about 127 MB);
// - a click and a Down key in the results grid and in the analysis grid that such a run shows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/cell_text_limit.h"
#include "common/data_file_format.h"
#include "entry/kkj.h"
#include "golden_analyses.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 300;

// "Ep-12 " and then letters up to length characters.
std::string LongName(int row, std::size_t length) {
    std::string name = "Ep-" + std::to_string(row) + ' ';
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz";
    while (name.size() < length) {
        name += kLetters[name.size() % kLetters.size()];
    }
    name.resize(length);
    return name;
}

// The golden analyses (or only the one whose sample name starts with onlySample) down to the
// given number of rows, the sample name of each row given by nameOf(row) (rows counted from 1),
// or kept when it gives the empty text.
template <class NameOf>
std::string BlockWithNames(int rows, NameOf nameOf, std::string_view onlySample = {}) {
    std::vector<std::string> analyses =
        GoldenAnalysisRows(fs::path(STELVADOR_GOLDEN_DIR) / "analyses.tsv");
    if (!onlySample.empty()) {
        std::erase_if(analyses,
                      [&](const std::string& row) { return !row.starts_with(onlySample); });
    }
    std::vector<std::string> named;
    for (int r = 1; r <= rows; ++r) {
        std::string row = analyses[static_cast<std::size_t>(r - 1) % analyses.size()];
        const std::string name = nameOf(r);
        if (!name.empty()) {
            row.replace(0, row.find('\t'), name);
        }
        named.push_back(std::move(row));
    }
    return RepeatedAnalysesBlock(named, rows);
}

// A working folder that is the current folder, both windows and their doubles.
class LongNameBench {
  public:
    LongNameBench()
        : m_work(fs::temp_directory_path() /
                 ("stelvador_long_text_bench_" + std::to_string(::getpid()))),
          m_original(fs::current_path()) {
        fs::create_directories(m_work);
        fs::current_path(m_work);
        m_window = std::make_unique<kkj>(m_services, m_results);
        m_window->show();
        QApplication::processEvents();
    }
    ~LongNameBench() {
        m_results.unload();
        m_window.reset();
        QApplication::processEvents();
        fs::current_path(m_original);
        std::error_code ignored;
        fs::remove_all(m_work, ignored);
    }
    LongNameBench(const LongNameBench&) = delete;
    LongNameBench& operator=(const LongNameBench&) = delete;

    fs::path writeDataFile(const std::string& name, const std::string& block) {
        const fs::path path = m_work / name;
        std::ofstream(path, std::ios::binary) << BuildDataFileRecord(block);
        return path;
    }

    // Calculate with its own loading of the file, from a results window of its own.
    void calculateFile(const fs::path& path) {
        freshResultsWindow();
        m_dialog.queuePath(path.string());
        m_window->mnuOpen_Click();
        QApplication::processEvents();
    }

    // Open File of the file, which shows the analysis grid.
    void openFile(const fs::path& path) {
        m_dialog.queuePath(path.string());
        m_window->mnuOpenFile_Click();
        QApplication::processEvents();
    }

    void freshResultsWindow() {
        m_results.unload();
        m_spreadsheets.Application().Quit();
        QApplication::processEvents();
    }

    kkj& window() { return *m_window; }
    Form10& results() { return *m_results.form(); }
    ScriptedFileDialog& dialog() { return m_dialog; }
    double messageCount() const { return static_cast<double>(m_messages.texts().size()); }

    double plotMegabytes() const {
        std::uintmax_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(m_work)) {
            if (entry.path().extension() == ".dat") {
                bytes += entry.file_size();
            }
        }
        return static_cast<double>(bytes) / 1e6;
    }

  private:
    fs::path m_work;
    fs::path m_original;
    SpreadsheetApplications m_spreadsheets{std::make_shared<DontSaveChangesQuestion>()};
    ScriptedFileDialog m_dialog;
    RecordingMessageBox m_messages;
    ScriptedShell m_shell;
    QtClipboard m_clipboard;
    AboutWindows m_about{m_shell};
    const WindowServices m_services{m_dialog,    m_messages,     m_shell,
                                    m_clipboard, m_spreadsheets, m_about};
    Form10Link m_results{m_services, QStringLiteral(STELVADOR_PROGRAM_DIR)};
    std::unique_ptr<kkj> m_window;
};

// 300 analyses named by 32,767 characters each: the golden analyses, or (allanite) the golden
// allanite only, which goes into 9 of the 13 plot data files, as many as an analysis can (three
// of them take clinozoisites only).
std::string BlockOf300LongNames(bool allanite = false) {
    return BlockWithNames(
        kRuns, [](int row) { return LongName(row, kCellTextLimit); }, allanite ? "Aln-1 " : "");
}

// Open File of the 13 golden analyses, row 4 named by 1 MiB, then Calculate of the grid.
void BM_OpenFileThenCalculateWithMiBSampleName(benchmark::State& state) {
    LongNameBench bench;
    const fs::path file = bench.writeDataFile(
        "mib_name.epd", BlockWithNames(13, [](int row) {
            return row == 4 ? LongName(row, std::size_t{1} << 20) : std::string();
        }));
    for (auto _ : state) {
        state.PauseTiming();
        bench.freshResultsWindow();
        bench.dialog().queuePath(file.string());
        state.ResumeTiming();
        bench.window().mnuOpenFile_Click();
        QApplication::processEvents();
        bench.window().mnuOpen_Click();
        QApplication::processEvents();
    }
    state.counters["messages"] = bench.messageCount();
    state.counters["resultRows"] = bench.results().MSFlexGrid1().Rows() - 2;
}
BENCHMARK(BM_OpenFileThenCalculateWithMiBSampleName)->Unit(benchmark::kMillisecond)->Iterations(1);

// Calculate of 300 analyses whose sample names are each 32,767 characters: loading, the
// engine, 300 result rows appended and shown, 13 plot data files written.
void BM_CalculateRunOf300LongSampleNames(benchmark::State& state) {
    LongNameBench bench;
    const fs::path file =
        bench.writeDataFile("long_names.epd", BlockOf300LongNames(state.range(0) != 0));
    for (auto _ : state) {
        bench.calculateFile(file);
    }
    state.counters["resultRows"] = bench.results().MSFlexGrid1().Rows() - 2;
    state.counters["plotMB"] = bench.plotMegabytes();
    state.counters["messages"] = bench.messageCount();
}
BENCHMARK(BM_CalculateRunOf300LongSampleNames)
    ->ArgName("allanite")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The centre of a grid cell in the view's viewport.
QPoint CellCentre(FlexGridView& view, int gridRow, int gridCol) {
    const QAbstractItemModel& model = *view.model();
    const int rowOffset = view.grid().FixedRows() > 0 ? 1 : 0;
    const int colOffset = view.grid().FixedCols() > 0 ? 1 : 0;
    return view.visualRect(model.index(gridRow - rowOffset, gridCol - colOffset)).center();
}

// One left click on a shown cell, alternating between two rows, events processed.
void ClickCells(benchmark::State& state, FlexGridView& view, int column) {
    const int top = view.rowAt(0) + 1 + (view.grid().FixedRows() > 0 ? 1 : 0);
    int row = top;
    for (auto _ : state) {
        row = row == top ? top + 1 : top;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          CellCentre(view, row, column));
        QApplication::processEvents();
    }
    state.counters["row"] = view.grid().Row();
}

// One Down key, events processed; back to the top (untimed) at the last row.
void PressDown(benchmark::State& state, FlexGridView& view, int column) {
    FlexGrid& grid = view.grid();
    grid.setRow(grid.FixedRows());
    grid.setCol(column);
    view.setFocus();
    QApplication::processEvents();
    for (auto _ : state) {
        if (grid.Row() == grid.Rows() - 1) {
            state.PauseTiming();
            grid.setRow(grid.FixedRows());
            grid.setCol(column);
            QApplication::processEvents();
            state.ResumeTiming();
        }
        QTest::keyClick(&view, Qt::Key_Down);
        QApplication::processEvents();
    }
    state.counters["row"] = grid.Row();
    state.counters["shown"] = view.isVisible() ? 1 : 0;
}

void BM_ClickInResultsGridOfLongNames(benchmark::State& state) {
    LongNameBench bench;
    bench.calculateFile(bench.writeDataFile("long_names.epd", BlockOf300LongNames()));
    FlexGridView& view = bench.results().gridView();
    ClickCells(state, view, 1);
    state.counters["sampleColumnPixels"] = view.verticalHeader()->width();
}
BENCHMARK(BM_ClickInResultsGridOfLongNames)->Unit(benchmark::kMillisecond);

void BM_DownKeyInResultsGridOfLongNames(benchmark::State& state) {
    LongNameBench bench;
    bench.calculateFile(bench.writeDataFile("long_names.epd", BlockOf300LongNames()));
    PressDown(state, bench.results().gridView(), 1);
}
BENCHMARK(BM_DownKeyInResultsGridOfLongNames)->Unit(benchmark::kMillisecond);

// After Open File the analysis grid shows the names in its sample column (column 1), whose
// cells a click copies into the cell mirror and back.
void BM_ClickInAnalysisGridOfLongNames(benchmark::State& state) {
    LongNameBench bench;
    bench.openFile(bench.writeDataFile("long_names.epd", BlockOf300LongNames()));
    ClickCells(state, bench.window().gridView(), 1);
}
BENCHMARK(BM_ClickInAnalysisGridOfLongNames)->Unit(benchmark::kMillisecond);

void BM_DownKeyInAnalysisGridOfLongNames(benchmark::State& state) {
    LongNameBench bench;
    bench.openFile(bench.writeDataFile("long_names.epd", BlockOf300LongNames()));
    PressDown(state, bench.window().gridView(), 1);
}
BENCHMARK(BM_DownKeyInAnalysisGridOfLongNames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
