#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <filesystem>
#include <memory>
#include <string>

#include "common/project_variables.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/scripted_save_changes_question.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

namespace stelvador {

// A results window for real, offscreen, over the real spreadsheet stand-in, with a program
// folder of its own holding "Output.xlsx" and a current directory of its own; the message box,
// file dialog and shell are scripted, the clipboard is the real one. Each test gets fresh folders
// and leaves none behind.
class ResultsWindowFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_template = std::filesystem::temp_directory_path() /
                     ("stelvador_results_template_" + std::to_string(::getpid()));
        std::filesystem::create_directories(s_template);
        const std::string command =
            "/usr/bin/python3 -c \"import openpyxl, sys; openpyxl.Workbook().save(sys.argv[1])\" "
            "'" +
            (s_template / "Output.xlsx").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(s_template); }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = std::filesystem::temp_directory_path() /
                 ("stelvador_results_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(programFolder());
        std::filesystem::create_directories(workFolder());
        std::filesystem::copy_file(s_template / "Output.xlsx", programFolder() / "Output.xlsx");
        m_previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(workFolder());
        Project().pendingError = 0;
        Project().LastFileName.clear();
    }

    void TearDown() override {
        m_link.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::filesystem::current_path(m_previousFolder);
        std::filesystem::remove_all(m_root);
    }

    std::filesystem::path programFolder() const { return m_root / "program"; }
    std::filesystem::path workFolder() const { return m_root / "work"; }

    WindowServices services() { return servicesWith(m_clipboard); }
    WindowServices servicesWith(Clipboard& clipboard) {
        return {m_dialog, m_messages, m_shell, clipboard, m_spreadsheets, m_about};
    }
    // The routes count what the window asks of the program.
    ResultsWindowRoutes routes() {
        return {.showDataEntryWindow = [this] { ++m_dataEntryShown; },
                .endProgram = [this] { ++m_programEnded; }};
    }

    // The link the program holds, and the window loaded through it.
    Form10& loadWindow() {
        if (!m_link) {
            m_link = std::make_unique<Form10Link>(
                services(), QString::fromStdString(programFolder().string()), routes());
        }
        return m_link->loadedForm();
    }

    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_spreadsheets{m_question};
    RecordingMessageBox m_messages;
    ScriptedFileDialog m_dialog;
    ScriptedShell m_shell;
    QtClipboard m_clipboard;
    AboutWindows m_about{m_shell};
    int m_dataEntryShown = 0;
    int m_programEnded = 0;
    std::unique_ptr<Form10Link> m_link;

  private:
    static inline std::filesystem::path s_template;
    std::filesystem::path m_root;
    std::filesystem::path m_previousFolder;
};

}  // namespace stelvador
