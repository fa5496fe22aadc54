#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace stelvador {

// Window layouts are given in twips (1/1440 inch); these convert at the widget's screen DPI.
inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, const QWidget& widget) {
    return static_cast<int>(
        std::lround(static_cast<double>(twips) * widget.logicalDpiY() / kTwipsPerInch));
}

// A pixel length in twips, taken to the nearest whole twip with ties to the even one.
inline int PixelsToTwips(int pixels, const QWidget& widget) {
    return static_cast<int>(
        std::nearbyint(static_cast<double>(pixels) * kTwipsPerInch / widget.logicalDpiY()));
}

inline QRect TwipsRect(int left, int top, int width, int height, const QWidget& widget) {
    return QRect(TwipsToPixels(left, widget), TwipsToPixels(top, widget),
                 TwipsToPixels(width, widget), TwipsToPixels(height, widget));
}

}  // namespace stelvador
