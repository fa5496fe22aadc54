#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "entry/kkj.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/scripted_save_changes_question.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "support/text_files.h"
#include "widgets/dialogs/about_windows.h"

namespace stelvador {

// One analysis as a data file row holds it: the sample name and the 42 constituent texts.
struct AnalysisRow {
    std::string sample;
    std::vector<std::string> cells;
};

// The analyses of the engine's golden data set, and its expected files.
std::vector<AnalysisRow> GoldenAnalyses();
std::filesystem::path GoldenExpectedFolder(bool siNormalization);

// The data entry window for real, offscreen, with the real results window behind it and the
// real clipboard; the file dialogs, the message boxes and the shell are scripted. Each test works
// in a fresh current directory; the program folder holds an output workbook.
class CalculationFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Creates the data entry window (after the test has chosen the program folder).
    void openWindow();

    // Writes a data file of these rows (row 1 downwards) into the working folder.
    std::filesystem::path writeDataFile(const std::string& name,
                                        const std::vector<AnalysisRow>& rows) const;
    // The results window, which must be loaded.
    Form10& results();
    // The result rows of the results grid below its two layout rows, cells 0 to 130 joined by
    // TAB.
    std::vector<std::string> resultRows();
    // Runs the Calculate command from the menu with the dialog answering this path.
    void calculateFile(const std::filesystem::path& path);

    // A program folder with "Output.xlsx" in it, made once for all tests.
    static std::filesystem::path& programFolderWithWorkbook();

    std::filesystem::path m_originalFolder;
    std::filesystem::path m_work;
    std::filesystem::path m_programFolder;
    // Answers Don't Save unless a test queues its answers.
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    std::unique_ptr<SpreadsheetApplications> m_spreadsheets;
    std::unique_ptr<Form10Link> m_link;
    ScriptedFileDialog m_dialog;
    RecordingMessageBox m_messages;
    // The results window's own: its plot document dialog and the messages of its commands.
    ScriptedFileDialog m_resultsDialog;
    RecordingMessageBox m_resultsMessages;
    ScriptedShell m_shell;
    QtClipboard m_clipboard;
    AboutWindows m_about{m_shell};
    std::unique_ptr<kkj> m_window;
};

}  // namespace stelvador
