// The data entry window's About and Help commands and the move to the results window. Menu
// items and toolbar positions reach these handlers through kkj::handlerTop, which reports the
// failure they leave pending; opening the Help menu runs mnuHelp_Click without reporting it, so
// the menu is never interrupted by a message.
#include <QString>

#include "calculation/results_window_link.h"
#include "entry/dialogs/about_windows.h"
#include "entry/dialogs/help_file.h"
#include "entry/kkj.h"
#include "platform/shell_desktop.h"

namespace stelvador {

struct kkj::HelpServices {
    DesktopShell ownShell;
    std::unique_ptr<AboutWindows> ownAboutWindows;
    Shell* shell = &ownShell;
    AboutWindows* aboutWindows = nullptr;
};

void kkj::setHelpServices(Shell& shell, AboutWindows& aboutWindows) {
    if (!m_helpServices) {
        m_helpServices = std::make_shared<HelpServices>();
    }
    m_helpServices->shell = &shell;
    m_helpServices->aboutWindows = &aboutWindows;
}

kkj::HelpServices& kkj::helpServices() {
    if (!m_helpServices) {
        m_helpServices = std::make_shared<HelpServices>();
    }
    if (!m_helpServices->aboutWindows) {
        m_helpServices->ownAboutWindows = std::make_unique<AboutWindows>(*m_helpServices->shell);
        m_helpServices->aboutWindows = m_helpServices->ownAboutWindows.get();
    }
    return *m_helpServices;
}

void kkj::mnuAbout_Click() {
    ContinueOnError([&] { helpServices().aboutWindows->ShowAboutWindow(); });
}

void kkj::mnuHelp_Click() {
    // The help file of the program folder, whatever the current directory: the same folder the
    // results window opens the output workbook from.
    ContinueOnError([&] {
        OpenHelpFile(*helpServices().shell, QString::fromStdString(m_results.programFolder()));
    });
}

void kkj::mnuHelpContents_Click() {
    mnuHelp_Click();
}

void kkj::DisplayNextScreen() {
    // The first showing creates and loads the results window; it stays loaded afterwards.
    ContinueOnError([&] { m_results.window().showWindow(); });
}

}  // namespace stelvador
