// Starts Stelvador: the data entry window, with the results window created at its first use.
#include <QApplication>
#include <memory>

#include "entry/dialogs/about_windows.h"
#include "entry/kkj.h"
#include "platform/program_files.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_message_box.h"
#include "platform/shell_desktop.h"
#include "platform/spreadsheet/qt_save_changes_question.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "results/form10_link.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stelvador"));
    // Ties the windows to the installed desktop entry (and so its icon) on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("stelvador"));

    stelvador::SpreadsheetApplications spreadsheets(
        std::make_shared<stelvador::QtSaveChangesQuestion>());
    // The program folder (the build tree's, or the install's share folder) of this executable.
    stelvador::Form10Link results(spreadsheets,
                                  QString::fromStdString(stelvador::RunningProgramFiles().folder));
    stelvador::QtFileDialog commonDialog(nullptr);
    stelvador::QtMessageBox messageBox(nullptr);

    stelvador::kkj window(commonDialog, messageBox, results);

    // The about and journal windows are one of each for both main windows.
    stelvador::DesktopShell shell;
    stelvador::AboutWindows aboutWindows(shell);
    stelvador::QtFileDialog plotDialog(nullptr);
    stelvador::QtClipboard clipboard;
    stelvador::ResultsWindowServices services;
    services.messageBox = &messageBox;
    services.commonDialog = &plotDialog;
    services.shell = &shell;
    services.clipboard = &clipboard;
    services.aboutWindows = &aboutWindows;
    services.showDataEntryWindow = [&window] {
        window.show();
        window.raise();
        window.activateWindow();
    };
    services.endProgram = [] { QCoreApplication::quit(); };
    results.setServices(std::move(services));
    window.setHelpServices(shell, aboutWindows);
    window.show();
    const int status = QApplication::exec();

    // Leaving by any road asks about workbooks that hold changes before they are dropped.
    try {
        spreadsheets.Application().Quit();
    } catch (...) {
    }
    return status;
}
