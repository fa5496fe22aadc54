#include "widgets/title_band.h"

#include <QFont>
#include <QLabel>
#include <algorithm>

#include "widgets/twips.h"

namespace stelvador {

namespace {

constexpr int kBandHeightTwips = 975;
constexpr int kLabelTopTwips = 240;
constexpr int kLabelHeightTwips = 615;
constexpr int kSubtitleLeftTwips = 120;
constexpr int kSubtitleWidthTwips = 14175;
constexpr int kScreenTitleLeftTwips = 14400;
constexpr int kScreenTitleWidthTwips = 3415;
constexpr double kTitleFontPoints = 20.25;

QFont TitleFont() {
    QFont font(QStringLiteral("Monotype Corsiva"));
    font.setPointSizeF(kTitleFontPoints);
    font.setItalic(true);
    return font;
}

}  // namespace

TitleBand::TitleBand(const QString& screenTitle, QWidget* parent)
    : QFrame(parent),
      m_subtitle(
          new QLabel(QStringLiteral("A Windows Program for Epidote-Supergroup Minerals"), this)),
      m_screenTitle(new QLabel(screenTitle, this)) {
    setFrameShape(QFrame::StyledPanel);
    m_subtitle->setFont(TitleFont());
    m_screenTitle->setFont(TitleFont());
    setFixedHeight(TwipsToPixels(kBandHeightTwips, *this));
    m_subtitle->setGeometry(TwipsRect(kSubtitleLeftTwips, kLabelTopTwips, kSubtitleWidthTwips,
                                      kLabelHeightTwips, *this));
}

void TitleBand::setScreenTitle(const QString& title) {
    m_screenTitle->setText(title);
    layOutLabels();
}

void TitleBand::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layOutLabels();
}

void TitleBand::layOutLabels() {  // The screen title keeps to the right end of the band, in full
                                  // even in a narrow window; the
    // subtitle takes the rest.
    const QRect designed = TwipsRect(kScreenTitleLeftTwips, kLabelTopTwips, kScreenTitleWidthTwips,
                                     kLabelHeightTwips, *this);
    // Where the designed face is missing, the stand-in font may run wider than the design.
    const int titleWidth = std::max(designed.width(), m_screenTitle->sizeHint().width());
    const int margin = TwipsToPixels(kSubtitleLeftTwips, *this);
    const int left = std::max(0, width() - titleWidth - margin);
    m_screenTitle->setGeometry(left, designed.top(), titleWidth, designed.height());
    const QRect subtitle = m_subtitle->geometry();
    m_subtitle->setGeometry(subtitle.left(), subtitle.top(), std::max(0, left - subtitle.left()),
                            subtitle.height());
}

}  // namespace stelvador
