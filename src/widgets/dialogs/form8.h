#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace stelvador {

class AboutWindows;
class Shell;

// The about window: the product name, version and authors, what the program does, the
// epidote picture, and its buttons "OK", "E-mail" and "Published in".
class Form8 : public QWidget {
  public:
    Form8(Shell& shell, AboutWindows& windows, QWidget* parent = nullptr);

    // "OK": the window is unloaded.
    void Command1_Click();
    // "E-mail": the e-mail link, percent-encoded, goes to the desktop; the window stays.
    void Command2_Click();
    // "Published in": the journal window is shown; the window stays.
    void Command3_Click();

    QLabel& Label1() { return *m_label1; }
    QLabel& Label2() { return *m_label2; }
    QLabel& Image1() { return *m_image1; }
    QPushButton& Command1() { return *m_command1; }
    QPushButton& Command2() { return *m_command2; }
    QPushButton& Command3() { return *m_command3; }

  private:
    Shell& m_shell;
    AboutWindows& m_windows;
    QLabel* m_label1;
    QLabel* m_label2;
    QLabel* m_image1;
    QPushButton* m_command1;
    QPushButton* m_command2;
    QPushButton* m_command3;
};

}  // namespace stelvador
