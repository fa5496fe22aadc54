#include "widgets/panel_status_bar.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTime>
#include <QTimer>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

constexpr int kPicturePixels = 16;
constexpr int kClockIntervalMs = 1000;

}  // namespace

PanelStatusBar::PanelStatusBar(const std::vector<StatusPanelDesign>& panels, QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    bool anyClock = false;
    for (const StatusPanelDesign& design : panels) {
        auto* frame = new QWidget(this);
        auto* layout = new QHBoxLayout(frame);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->setSpacing(4);
        auto* picture = new QLabel(frame);
        picture->setPixmap(style()->standardIcon(design.picture).pixmap(kPicturePixels));
        auto* text = new QLabel(frame);
        layout->addWidget(picture);
        layout->addWidget(text, 1);
        frame->setToolTip(design.toolTip);
        addWidget(frame, design.stretch ? 1 : 0);
        m_panels.push_back(Panel{frame, text, design.style});
        anyClock = anyClock || design.style != StatusPanelStyle::Text;
    }
    if (anyClock) {
        refreshClockPanels();
        m_clock = new QTimer(this);
        connect(m_clock, &QTimer::timeout, this, &PanelStatusBar::refreshClockPanels);
        m_clock->start(kClockIntervalMs);
    }
}

const PanelStatusBar::Panel& PanelStatusBar::panelAt(int panel) const {
    if (panel < 1 || panel > panelCount()) {
        throw RunTimeError(error::kSubscriptOutOfRange);
    }
    return m_panels[static_cast<std::size_t>(panel - 1)];
}

std::string PanelStatusBar::panelText(int panel) const {
    return panelAt(panel).text->text().toStdString();
}

void PanelStatusBar::setPanelText(int panel, const std::string& text) {
    QLabel* label = panelAt(panel).text;
    const QString value = QString::fromStdString(text);
    if (label->text() != value) {
        label->setText(value);
    }
}

bool PanelStatusBar::panelEnabled(int panel) const {
    return panelAt(panel).frame->isEnabled();
}

void PanelStatusBar::setPanelEnabled(int panel, bool enabled) {
    panelAt(panel).frame->setEnabled(enabled);
}

QString PanelStatusBar::panelToolTip(int panel) const {
    return panelAt(panel).frame->toolTip();
}

void PanelStatusBar::refreshClockPanels() {
    const QLocale locale;
    for (const Panel& panel : m_panels) {
        if (panel.style == StatusPanelStyle::Time) {
            panel.text->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
        } else if (panel.style == StatusPanelStyle::Date) {
            panel.text->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        }
    }
}

}  // namespace stelvador
