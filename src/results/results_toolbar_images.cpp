#include "results/results_toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace stelvador {

namespace {

constexpr int kSize = 16;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kSheetGreen(33, 115, 70);
const QColor kBlue(40, 90, 170);
const QColor kRed(190, 40, 40);

void Sheet(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (double y = r.top() + 3; y < r.bottom() - 1; y += 3) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void Grid(QPainter& p, const QRectF& r, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    for (double x = r.left() + 4; x < r.right(); x += 4) {
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (double y = r.top() + 3; y < r.bottom(); y += 3) {
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF direction = (to - from) / std::max(1.0, QLineF(from, to).length());
    const QPointF normal(-direction.y(), direction.x());
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{to + direction * 2, to - direction * 3 + normal * 3,
                            to - direction * 3 - normal * 3});
}

void Letter(QPainter& p, const QString& text, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Draw(QPainter& p, int position) {
    switch (position) {
        case 1:  // Cut: scissors
            p.setPen(QPen(kInk, 1.2));
            p.drawLine(QPointF(4, 2), QPointF(10, 11));
            p.drawLine(QPointF(12, 2), QPointF(6, 11));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2, 10, 4, 4));
            p.drawEllipse(QRectF(10, 10, 4, 4));
            break;
        case 2:  // Copy: two sheets
            Sheet(p, QRectF(1.5, 1.5, 8, 10));
            Sheet(p, QRectF(6.5, 4.5, 8, 10));
            break;
        case 3:  // Paste: a sheet on a clipboard
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(170, 120, 60));
            p.drawRect(QRectF(1.5, 2.5, 10, 12));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(4.5, 1.5, 4, 2));
            Sheet(p, QRectF(7.5, 6.5, 7, 8));
            break;
        case 4:  // Delete: a red cross
            p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case 5:  // Select All: a grid inside a dashed frame
            Grid(p, QRectF(3.5, 3.5, 9, 9), QColor(120, 120, 120));
            p.setPen(QPen(kBlue, 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            break;
        case 7:  // Exit program: a door and an arrow leaving it
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(150, 100, 50));
            p.drawRect(QRectF(1.5, 1.5, 7, 13));
            Arrow(p, QPointF(6, 8), QPointF(14, 8), kRed);
            break;
        case 9:  // Send results: an arrow into a green sheet
            Grid(p, QRectF(6.5, 3.5, 9, 11), kSheetGreen);
            Arrow(p, QPointF(0.5, 8), QPointF(8, 8), kBlue);
            break;
        case 10:  // Open the workbook: a green sheet with an "X"
            p.setPen(Qt::NoPen);
            p.setBrush(kSheetGreen);
            p.drawRect(QRectF(1, 2, 14, 12));
            p.setPen(QPen(kPaper, 2));
            p.drawLine(QPointF(5, 5), QPointF(11, 11));
            p.drawLine(QPointF(11, 5), QPointF(5, 11));
            break;
        case 12:  // About
            Letter(p, QStringLiteral("i"), kBlue);
            break;
        case 13: {  // Plot graph: axes and a curve
            p.setPen(QPen(kInk, 1));
            p.drawLine(QPointF(2, 1), QPointF(2, 14));
            p.drawLine(QPointF(2, 14), QPointF(15, 14));
            QPainterPath curve(QPointF(3, 12));
            curve.cubicTo(QPointF(6, 2), QPointF(9, 13), QPointF(14, 3));
            p.setPen(QPen(kRed, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(curve);
            break;
        }
        case 14:  // Help
            Letter(p, QStringLiteral("?"), QColor(200, 140, 20));
            break;
        case 16:  // Display Previous Screen: a left arrow
            Arrow(p, QPointF(14, 8), QPointF(3, 8), kSheetGreen);
            break;
        default:
            break;
    }
}

}  // namespace

QIcon ResultsToolbarImage(int position) {
    switch (position) {
        case 6:
        case 8:
        case 11:
        case 15:
            return QIcon();
        default:
            break;
    }
    QPixmap image(kSize, kSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, position);
    painter.end();
    return QIcon(image);
}

}  // namespace stelvador
