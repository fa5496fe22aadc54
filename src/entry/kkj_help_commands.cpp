// The data entry window's About and Help commands and the move to the results window. Menu
// items and toolbar positions reach these handlers through kkj::handlerTop, which reports the
// failure they leave pending; opening the Help menu runs mnuHelp_Click without reporting it, so
// the menu is never interrupted by a message.
#include <QString>

#include "entry/kkj.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/help_file.h"
#include "widgets/results_window_link.h"

namespace stelvador {

void kkj::mnuAbout_Click() {
    ContinueOnError([&] { m_services.aboutWindows.ShowAboutWindow(); });
}

void kkj::mnuHelp_Click() {
    // The help file of the program folder, whatever the current directory: the same folder the
    // results window opens the output workbook from.
    ContinueOnError(
        [&] { OpenHelpFile(m_services.shell, QString::fromStdString(m_results.programFolder())); });
}

void kkj::mnuHelpContents_Click() {
    mnuHelp_Click();
}

void kkj::DisplayNextScreen() {
    // The first showing creates and loads the results window; it stays loaded afterwards.
    ContinueOnError([&] { m_results.window().showWindow(); });
}

}  // namespace stelvador
