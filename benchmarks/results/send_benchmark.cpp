// The results window's toolbar send of a 300-analysis results grid (302 rows by 135 columns)
// into the hidden output workbook, through the real window offscreen; and the same followed by
// a Save As of the workbook to .xlsx, as the user does to keep the results.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <filesystem>
#include <memory>
#include <string>

#include "common/number_format.h"
#include "platform/flex_grid.h"
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

// 300 result rows as the Calculate command leaves them: a sample name, formatted numbers with
// the spacer columns empty, then the dominant ions, subgroup and species.
void FillResults(FlexGrid& grid) {
    for (int a = 0; a < 300; ++a) {
        std::string row = "EP-" + std::to_string(a + 1);
        for (int c = 1; c <= 122; ++c) {
            row += '\t';
            if (c != 46 && c != 90 && c != 122) {
                row += FormatNumber((c % 9 == 0 ? 1234.5678 : 1.0) * (c * 0.731 + a * 0.0137));
            }
        }
        row += "\tCa\tREE\tAl\tFe3+\tAl\tO\tallanite\tallanite-(Ce)";
        grid.AddItem(row);
    }
}

struct SendRig {
    SendRig()
        : spreadsheets(std::make_shared<DontSaveChangesQuestion>()),
          about(shell),
          link(WindowServices{dialog, messages, shell, clipboard, spreadsheets, about},
               QStringLiteral(STELVADOR_PROGRAM_DIR),
               {.showDataEntryWindow = [] {}, .endProgram = [] {}}) {}

    // A results window of its own, as after "Exit Excel File": the workbook holds no result.
    Form10& freshWindow() {
        link.unload();
        spreadsheets.Application().Quit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Form10& form = link.loadedForm();
        FillResults(form.MSFlexGrid1());
        form.showWindow();
        QApplication::processEvents();
        return form;
    }

    SpreadsheetApplications spreadsheets;
    RecordingMessageBox messages;
    ScriptedFileDialog dialog;
    ScriptedShell shell;
    QtClipboard clipboard;
    AboutWindows about;
    Form10Link link;
};

void BM_SendOf300Analyses(benchmark::State& state) {
    SendRig rig;
    for (auto _ : state) {
        state.PauseTiming();
        Form10& form = rig.freshWindow();
        state.ResumeTiming();

        form.Toolbar1_ButtonClick(results_toolbar::kSendResults);
        QApplication::processEvents();
    }
    state.counters["messages"] = static_cast<double>(rig.messages.texts().size());
    rig.link.unload();
}
BENCHMARK(BM_SendOf300Analyses)->Unit(benchmark::kMillisecond);

void BM_SendAndSaveAsOf300Analyses(benchmark::State& state) {
    const fs::path work =
        fs::temp_directory_path() / ("stelvador_send_bench_" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string target = (work / "Results.xlsx").string();
    SendRig rig;
    for (auto _ : state) {
        state.PauseTiming();
        Form10& form = rig.freshWindow();
        state.ResumeTiming();

        form.Toolbar1_ButtonClick(results_toolbar::kSendResults);
        QApplication::processEvents();
        form.OutputBook().SaveAs(target);
    }
    state.counters["messages"] = static_cast<double>(rig.messages.texts().size());
    state.counters["bytes"] = static_cast<double>(fs::file_size(target));
    rig.link.unload();
    fs::remove_all(work);
}
BENCHMARK(BM_SendAndSaveAsOf300Analyses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
