#pragma once

#include <QApplication>
#include <QString>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "common/data_file_format.h"
#include "entry/kkj.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "support/scratch_folder.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

namespace stelvador {

// A scratch folder made the current folder, the shown data entry window, its results window
// and their doubles: what the benchmarks of the windows' commands run in.
class DataEntryBench {
  public:
    explicit DataEntryBench(const std::string& label)
        : m_work(MakeScratchFolder(label)), m_original(std::filesystem::current_path()) {
        std::filesystem::current_path(m_work);
        m_window = std::make_unique<kkj>(m_services, m_results);
        m_window->show();
        QApplication::processEvents();
    }
    ~DataEntryBench() {
        m_results.unload();
        m_window.reset();
        QApplication::processEvents();
        std::filesystem::current_path(m_original);
        std::error_code ignored;
        std::filesystem::remove_all(m_work, ignored);
    }
    DataEntryBench(const DataEntryBench&) = delete;
    DataEntryBench& operator=(const DataEntryBench&) = delete;

    std::filesystem::path writeDataFile(const std::string& name, const std::string& block) const {
        const std::filesystem::path path = m_work / name;
        std::ofstream(path, std::ios::binary) << BuildDataFileRecord(block);
        return path;
    }

    // Drops the results window and the spreadsheet applications, as after "Exit Excel File", so
    // the next run starts with a results window of its own.
    void freshResultsWindow() {
        m_results.unload();
        m_spreadsheets.Application().Quit();
        QApplication::processEvents();
    }

    kkj& window() { return *m_window; }
    Form10Link& resultsLink() { return m_results; }
    Form10& results() { return *m_results.form(); }
    ScriptedFileDialog& dialog() { return m_dialog; }
    const std::filesystem::path& work() const { return m_work; }
    double messageCount() const { return static_cast<double>(m_messages.texts().size()); }

  private:
    std::filesystem::path m_work;
    std::filesystem::path m_original;
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

}  // namespace stelvador
