#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace stelvador {

// The title band at the top of a main window (Frame2): the program subtitle (Label2(1)) on the
// left and the screen title (Label3(1)) on the right, in the windows' script font.
class TitleBand : public QFrame {
  public:
    TitleBand(const QString& screenTitle, QWidget* parent = nullptr);

    // Sets the screen title and makes room for it in full.
    void setScreenTitle(const QString& title);

    QLabel& Label2() { return *m_subtitle; }
    QLabel& Label3() { return *m_screenTitle; }
    const QLabel& Label3() const { return *m_screenTitle; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOutLabels();

    QLabel* m_subtitle;
    QLabel* m_screenTitle;
};

}  // namespace stelvador
