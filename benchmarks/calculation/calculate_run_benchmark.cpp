// One whole Calculate run through the real windows, offscreen: a data file of 300 analyses
// loaded, calculated, 300 rows appended to the results grid and shown, 13 plot data files
// written.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/data_file_format.h"
#include "common/oxide_list.h"
#include "entry/kkj.h"
#include "golden_analyses.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"
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

// The engine's golden analyses, repeated down to row 300.
std::string DataBlockOf300Analyses() {
    return RepeatedAnalysesBlock(
        GoldenAnalysisRows(fs::path(STELVADOR_GOLDEN_DIR) / "analyses.tsv"), 300);
}

void BM_CalculateRunOf300Analyses(benchmark::State& state) {
    const fs::path work =
        fs::temp_directory_path() / ("stelvador_run_bench_" + std::to_string(::getpid()));
    fs::create_directories(work);
    const fs::path original = fs::current_path();
    fs::current_path(work);
    const fs::path dataFile = work / "analyses300.epd";
    std::ofstream(dataFile, std::ios::binary) << BuildDataFileRecord(DataBlockOf300Analyses());

    SpreadsheetApplications spreadsheets(std::make_shared<DontSaveChangesQuestion>());
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    ScriptedShell shell;
    QtClipboard clipboard;
    AboutWindows about(shell);
    const WindowServices services{dialog, messages, shell, clipboard, spreadsheets, about};
    Form10Link results(services, QStringLiteral(STELVADOR_PROGRAM_DIR));
    kkj window(services, results);
    window.show();
    QApplication::processEvents();

    int rows = 0;
    for (auto _ : state) {
        // Every run starts with a results window of its own, as after "Exit Excel File".
        state.PauseTiming();
        results.unload();
        spreadsheets.Application().Quit();
        QApplication::processEvents();
        dialog.queuePath(dataFile.string());
        state.ResumeTiming();

        window.mnuOpen_Click();
        QApplication::processEvents();  // the results window shown and painted
        rows = results.form()->MSFlexGrid1().Rows() - 2;
    }
    state.counters["rows"] = rows;
    state.counters["messages"] = static_cast<double>(messages.texts().size());
    results.unload();
    fs::current_path(original);
    fs::remove_all(work);
}
BENCHMARK(BM_CalculateRunOf300Analyses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
