#include "widgets/dialogs/about_windows.h"

#include "widgets/dialogs/form4.h"
#include "widgets/dialogs/form8.h"

namespace stelvador {

namespace {

// A window cannot be destroyed inside its own button's click: Qt deletes it once the event is
// over.
template <class Window>
void UnloadLater(std::unique_ptr<Window>& window) {
    if (window) {
        window->hide();
        window.release()->deleteLater();
    }
}

void ShowModeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

AboutWindows::AboutWindows(Shell& shell) : m_shell(shell) {}

AboutWindows::~AboutWindows() = default;

void AboutWindows::ShowAboutWindow() {
    if (!m_about) {
        m_about = std::make_unique<Form8>(m_shell, *this);
    }
    ShowModeless(*m_about);
}

void AboutWindows::ShowJournalWindow() {
    if (!m_journal) {
        m_journal = std::make_unique<Form4>(*this);
    }
    ShowModeless(*m_journal);
}

void AboutWindows::unloadAboutWindow() {
    UnloadLater(m_about);
}

void AboutWindows::unloadJournalWindow() {
    UnloadLater(m_journal);
}

}  // namespace stelvador
