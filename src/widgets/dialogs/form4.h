#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace stelvador {

class AboutWindows;

// The journal window: the citation of the program's article, the epidote picture and "Close".
class Form4 : public QWidget {
  public:
    explicit Form4(AboutWindows& windows, QWidget* parent = nullptr);

    // "Close": the window is unloaded.
    void Command1_Click();

    QLabel& Label1() { return *m_label1; }
    QLabel& Image1() { return *m_image1; }
    QPushButton& Command1() { return *m_command1; }

  private:
    AboutWindows& m_windows;
    QLabel* m_label1;
    QLabel* m_image1;
    QPushButton* m_command1;
};

}  // namespace stelvador
