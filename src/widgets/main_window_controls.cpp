#include "widgets/main_window_controls.h"

#include <QLineEdit>
#include <QWidget>

#include "widgets/twips.h"

namespace stelvador {

namespace {

constexpr int kClientWidthTwips = 17970;
constexpr int kClientHeightTwips = 10335;
constexpr int kCellMirrorLeftTwips = -750;
constexpr int kCellMirrorTopTwips = 480;
constexpr int kCellMirrorWidthTwips = 735;
constexpr int kCellMirrorHeightTwips = 255;
constexpr double kGridFontPoints = 9.75;
constexpr double kCellMirrorFontPoints = 8.25;

}  // namespace

QFont MainWindowGridFont() {
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPointSizeF(kGridFontPoints);
    return font;
}

QLineEdit* CreateCellMirror(QWidget* parent) {
    auto* mirror = new QLineEdit(parent);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(kCellMirrorFontPoints);
    mirror->setFont(font);
    mirror->setGeometry(TwipsRect(kCellMirrorLeftTwips, kCellMirrorTopTwips, kCellMirrorWidthTwips,
                                  kCellMirrorHeightTwips, *parent));
    return mirror;
}

void ResizeToDesignClientArea(QWidget& window) {
    window.resize(TwipsToPixels(kClientWidthTwips, window),
                  TwipsToPixels(kClientHeightTwips, window));
}

}  // namespace stelvador
