#include "widgets/dialogs/epidote_picture.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace stelvador {

QPixmap EpidotePicture(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(QColor(250, 248, 240));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width;
    const double h = height;

    // The front face of the prism and its two bevelled terminations.
    const QPolygonF front{{0.30 * w, 0.12 * h}, {0.55 * w, 0.05 * h}, {0.70 * w, 0.20 * h},
                          {0.70 * w, 0.85 * h}, {0.45 * w, 0.95 * h}, {0.30 * w, 0.80 * h}};
    QLinearGradient green(front.boundingRect().topLeft(), front.boundingRect().topRight());
    green.setColorAt(0.0, QColor(88, 110, 34));
    green.setColorAt(0.5, QColor(150, 170, 60));
    green.setColorAt(1.0, QColor(70, 90, 28));
    painter.setPen(QPen(QColor(40, 52, 16), 1.5));
    painter.setBrush(green);
    painter.drawPolygon(front);

    const QPolygonF side{
        {0.70 * w, 0.20 * h}, {0.80 * w, 0.16 * h}, {0.80 * w, 0.78 * h}, {0.70 * w, 0.85 * h}};
    painter.setBrush(QColor(60, 78, 24));
    painter.drawPolygon(side);

    // Striations along the length of the crystal.
    painter.setPen(QPen(QColor(200, 215, 120, 160), 1.0));
    for (int i = 1; i < 5; ++i) {
        const double x = 0.30 * w + i * 0.08 * w;
        painter.drawLine(QPointF(x, 0.14 * h + i * 0.01 * h), QPointF(x, 0.86 * h));
    }
    return picture;
}

}  // namespace stelvador
