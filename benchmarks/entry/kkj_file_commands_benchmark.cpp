// The data entry window's file commands on a full grid, offscreen, with the window's events
// processed after each so drawing is counted: Open File of a data file of 300 analyses, Save As
// of them, and New File over them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/data_file_format.h"
#include "common/oxide_list.h"
#include "entry/kkj.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

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

// A working folder, the shown window and its doubles.
class FileCommandBench {
  public:
    FileCommandBench()
        : m_work(fs::temp_directory_path() /
                 ("stelvador_file_bench_" + std::to_string(::getpid()))),
          m_original(fs::current_path()) {
        fs::create_directories(m_work);
        fs::current_path(m_work);
        m_dataFile = m_work / "full.epd";
        std::ofstream(m_dataFile, std::ios::binary) << BuildDataFileRecord(FullDataBlock());
        m_window = std::make_unique<kkj>(m_services, m_results);
        m_window->show();
        QApplication::processEvents();
    }
    ~FileCommandBench() {
        m_window.reset();
        fs::current_path(m_original);
        std::error_code ignored;
        fs::remove_all(m_work, ignored);
    }

    kkj& window() { return *m_window; }
    ScriptedFileDialog& dialog() { return m_dialog; }
    const fs::path& dataFile() const { return m_dataFile; }
    const fs::path& work() const { return m_work; }
    double messageCount() const { return static_cast<double>(m_messages.texts().size()); }

  private:
    fs::path m_work;
    fs::path m_original;
    fs::path m_dataFile;
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
