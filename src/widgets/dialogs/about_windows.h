#pragma once

#include <memory>

namespace stelvador {

class Form4;
class Form8;
class Shell;

// The about window and the journal window, one instance of each for the whole program: both
// main windows show the same about window, and the journal window outlives the about window
// that opened it. A window exists from its first showing until its own button unloads it;
// showing it again then builds it anew.
class AboutWindows {
  public:
    explicit AboutWindows(Shell& shell);
    ~AboutWindows();
    AboutWindows(const AboutWindows&) = delete;
    AboutWindows& operator=(const AboutWindows&) = delete;

    // Shown modeless, without an owner; created first when it is not loaded.
    void ShowAboutWindow();
    void ShowJournalWindow();

    // The loaded windows, or nullptr.
    Form8* aboutWindow() const { return m_about.get(); }
    Form4* journalWindow() const { return m_journal.get(); }

    // Run by the windows' own buttons: the window goes once its click is over.
    void unloadAboutWindow();
    void unloadJournalWindow();

  private:
    Shell& m_shell;
    std::unique_ptr<Form8> m_about;
    std::unique_ptr<Form4> m_journal;
};

}  // namespace stelvador
