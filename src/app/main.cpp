// Starts Stelvador: the data entry window, with the results window created at its first use.
#include <QApplication>
#include <memory>

#include "entry/kkj.h"
#include "platform/program_files.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_message_box.h"
#include "platform/shell_desktop.h"
#include "platform/spreadsheet/qt_save_changes_question.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "results/form10_link.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stelvador"));
    // Ties the windows to the installed desktop entry (and so its icon) on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("stelvador"));

    stelvador::SpreadsheetApplications spreadsheets(
        std::make_shared<stelvador::QtSaveChangesQuestion>());
    stelvador::QtMessageBox messageBox(nullptr);
    stelvador::DesktopShell shell;
    stelvador::QtClipboard clipboard;
    // The about and journal windows are one of each for both main windows.
    stelvador::AboutWindows aboutWindows(shell);
    // Each window has a file dialog of its own; the results window's is the plot document
    // dialog.
    stelvador::QtFileDialog commonDialog(nullptr);
    stelvador::QtFileDialog plotDialog(nullptr);
    const stelvador::WindowServices entryServices{commonDialog, messageBox,   shell,
                                                  clipboard,    spreadsheets, aboutWindows};
    const stelvador::WindowServices resultsServices{plotDialog, messageBox,   shell,
                                                    clipboard,  spreadsheets, aboutWindows};

    // The program folder (the build tree's, or the install's share folder) of this executable.
    stelvador::Form10Link results(resultsServices,
                                  QString::fromStdString(stelvador::RunningProgramFiles().folder));
    stelvador::kkj window(entryServices, results);
    results.setRoutes({.showDataEntryWindow =
                           [&window] {
                               window.show();
                               window.raise();
                               window.activateWindow();
                           },
                       .endProgram = [] { QCoreApplication::quit(); }});
    window.show();
    const int status = QApplication::exec();

    // Leaving by any road asks about workbooks that hold changes before they are dropped.
    try {
        spreadsheets.Application().Quit();
    } catch (...) {
    }
    return status;
}
