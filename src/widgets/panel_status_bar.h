#pragma once

#include <QStatusBar>
#include <QString>
#include <QStyle>
#include <string>
#include <vector>

class QLabel;
class QTimer;

namespace stelvador {

// What a status panel shows: a text the commands set, or the time or date kept up by the bar.
enum class StatusPanelStyle { Text, Time, Date };

struct StatusPanelDesign {
    QString toolTip;
    StatusPanelStyle style = StatusPanelStyle::Text;
    // The panel that takes the free width of the bar.
    bool stretch = false;
    QStyle::StandardPixmap picture = QStyle::SP_FileIcon;
};

// A status bar of numbered panels (from 1), each a small picture before its text, as the main
// windows' status bars have. Time and date panels keep themselves up to date.
class PanelStatusBar : public QStatusBar {
  public:
    explicit PanelStatusBar(const std::vector<StatusPanelDesign>& panels,
                            QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(m_panels.size()); }

    // A panel number the bar does not have throws RunTimeError (subscript out of range).
    std::string panelText(int panel) const;
    void setPanelText(int panel, const std::string& text);
    bool panelEnabled(int panel) const;
    void setPanelEnabled(int panel, bool enabled);
    QString panelToolTip(int panel) const;

  private:
    struct Panel {
        QWidget* frame = nullptr;
        QLabel* text = nullptr;
        StatusPanelStyle style = StatusPanelStyle::Text;
    };

    const Panel& panelAt(int panel) const;
    void refreshClockPanels();

    std::vector<Panel> m_panels;
    QTimer* m_clock = nullptr;
};

}  // namespace stelvador
