#include "widgets/toolbar_images.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace stelvador {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 80);
const QColor kDisk(60, 90, 170);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);
const QColor kBlue(40, 90, 200);
const QColor kSheetGreen(30, 120, 70);

// A sheet of paper with a folded corner.
void drawPage(QPainter& p, int left, int top, int width, int height) {
    const int fold = 3;
    QPolygon page;
    page << QPoint(left, top) << QPoint(left + width - fold, top)
         << QPoint(left + width, top + fold) << QPoint(left + width, top + height)
         << QPoint(left, top + height);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawLine(left + width - fold, top, left + width - fold, top + fold);
    p.drawLine(left + width - fold, top + fold, left + width, top + fold);
}

void drawLines(QPainter& p, int left, int top, int width, int count) {
    p.setPen(QColor(120, 120, 120));
    for (int i = 0; i < count; ++i) {
        p.drawLine(left, top + 2 * i, left + width, top + 2 * i);
    }
}

void drawFolder(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolder.darker(115));
    p.drawRect(1, 4, 12, 9);
    p.setBrush(kFolder);
    QPolygon front;
    front << QPoint(3, 7) << QPoint(15, 7) << QPoint(13, 13) << QPoint(1, 13);
    p.drawPolygon(front);
    p.drawLine(1, 4, 2, 3);
    p.drawLine(2, 3, 5, 3);
    p.drawLine(5, 3, 6, 4);
}

void drawDisk(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kDisk);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(3, 9, 9, 5);
}

void drawCross(QPainter& p, const QColor& color, int left, int top, int size) {
    p.setPen(QPen(color, 2));
    p.drawLine(left, top, left + size, top + size);
    p.drawLine(left + size, top, left, top + size);
}

void drawScissors(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.drawLine(5, 1, 9, 10);
    p.drawLine(10, 1, 6, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRed, 1));
    p.drawEllipse(2, 10, 4, 4);
    p.drawEllipse(9, 10, 4, 4);
}

void drawClipboard(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(170, 120, 60));
    p.drawRect(1, 2, 10, 13);
    p.setBrush(QColor(180, 180, 180));
    p.drawRect(4, 1, 4, 3);
    drawPage(p, 6, 6, 8, 9);
    drawLines(p, 8, 9, 4, 3);
}

void drawSelectAll(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(120, 160, 230));
    p.drawRect(4, 4, 10, 10);
    p.setPen(QColor(60, 60, 60));
    p.drawLine(4, 9, 14, 9);
    p.drawLine(9, 4, 9, 14);
}

void drawCalculate(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(220, 220, 200));
    p.drawRect(2, 0, 11, 15);
    p.setBrush(QColor(150, 200, 150));
    p.drawRect(4, 2, 7, 3);
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRect(4 + 3 * col, 7 + 3 * row, 1, 1);
        }
    }
}

// A small spreadsheet: a green frame with grid lines.
void drawWorkbook(QPainter& p, const QColor& frame) {
    p.setPen(frame);
    p.setBrush(kPaper);
    p.drawRect(0, 2, 11, 11);
    p.setPen(frame.lighter(140));
    for (int i = 1; i < 3; ++i) {
        p.drawLine(0, 2 + 4 * i - 1, 11, 2 + 4 * i - 1);
        p.drawLine(4 * i - 1, 2, 4 * i - 1, 13);
    }
}

void drawArrowIntoGrid(QPainter& p) {
    p.setPen(QPen(kBlue, 2));
    p.drawLine(10, 8, 15, 8);
    p.drawLine(12, 5, 15, 8);
    p.drawLine(12, 11, 15, 8);
}

// The arrow of Send results: from the right into the workbook.
void drawArrowIntoWorkbook(QPainter& p) {
    p.setPen(QPen(kBlue, 2));
    p.drawLine(9, 8, 15, 8);
    p.drawLine(12, 5, 9, 8);
    p.drawLine(12, 11, 9, 8);
}

void drawPencil(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(240, 200, 60));
    QPolygon pencil;
    pencil << QPoint(9, 15) << QPoint(10, 11) << QPoint(15, 6) << QPoint(15, 9) << QPoint(12, 12);
    p.drawPolygon(pencil);
}

// One or two dots under the workbook tell the old and the new workbook format apart.
void drawFormatMark(QPainter& p, int dots) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = 0; i < dots; ++i) {
        p.drawRect(1 + 3 * i, 14, 2, 2);
    }
}

void drawLetter(QPainter& p, const QColor& color, const QString& letter) {
    p.setPen(kInk);
    p.setBrush(color);
    p.drawEllipse(0, 0, 15, 15);
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
}

void drawNextScreen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(0, 2, 9, 11);
    p.setBrush(QColor(200, 220, 250));
    p.drawRect(6, 5, 9, 9);
    p.setPen(QPen(kGreen, 2));
    p.drawLine(2, 7, 6, 7);
    p.drawLine(4, 5, 6, 7);
    p.drawLine(4, 9, 6, 7);
}

// Display Next Screen seen in a mirror: the arrow leads back to the screen behind.
void drawPreviousScreen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(6, 2, 9, 11);
    p.setBrush(QColor(200, 220, 250));
    p.drawRect(0, 5, 9, 9);
    p.setPen(QPen(kGreen, 2));
    p.drawLine(13, 7, 9, 7);
    p.drawLine(11, 5, 9, 7);
    p.drawLine(11, 9, 9, 7);
}

void drawPlotGraph(QPainter& p) {
    p.setPen(kInk);
    p.drawLine(2, 1, 2, 14);
    p.drawLine(2, 14, 15, 14);
    const QPoint curve[] = {QPoint(3, 12), QPoint(6, 6), QPoint(9, 10), QPoint(14, 3)};
    p.setPen(QPen(kRed, 1));
    p.drawPolyline(curve, 4);
}

void drawPicture(QPainter& p, ToolbarPicture picture) {
    switch (picture) {
        case ToolbarPicture::New:
            drawPage(p, 2, 0, 11, 15);
            p.setPen(QPen(QColor(240, 180, 0), 2));
            p.drawLine(10, 2, 14, 2);
            p.drawLine(12, 0, 12, 4);
            break;
        case ToolbarPicture::Open:
            drawFolder(p);
            break;
        case ToolbarPicture::Save:
            drawDisk(p);
            break;
        case ToolbarPicture::Close:
            drawPage(p, 1, 0, 11, 15);
            drawLines(p, 3, 4, 6, 4);
            drawCross(p, kRed, 8, 8, 6);
            break;
        case ToolbarPicture::Exit:
            p.setPen(kInk);
            p.setBrush(QColor(150, 100, 60));
            p.drawRect(1, 0, 8, 15);
            p.setPen(QPen(kRed, 2));
            p.drawLine(8, 8, 15, 8);
            p.drawLine(12, 5, 15, 8);
            p.drawLine(12, 11, 15, 8);
            break;
        case ToolbarPicture::Cut:
            drawScissors(p);
            break;
        case ToolbarPicture::Copy:
            drawPage(p, 0, 0, 9, 11);
            drawPage(p, 5, 4, 9, 11);
            drawLines(p, 7, 8, 5, 3);
            break;
        case ToolbarPicture::Paste:
            drawClipboard(p);
            break;
        case ToolbarPicture::Delete:
            drawCross(p, kRed, 3, 3, 9);
            break;
        case ToolbarPicture::SelectAll:
            drawSelectAll(p);
            break;
        case ToolbarPicture::Calculate:
            drawCalculate(p);
            break;
        case ToolbarPicture::LoadXls:
            drawWorkbook(p, kSheetGreen);
            drawArrowIntoGrid(p);
            drawFormatMark(p, 1);
            break;
        case ToolbarPicture::LoadXlsx:
            drawWorkbook(p, kSheetGreen);
            drawArrowIntoGrid(p);
            drawFormatMark(p, 2);
            break;
        case ToolbarPicture::EditXls:
            drawWorkbook(p, kSheetGreen);
            drawPencil(p);
            drawFormatMark(p, 1);
            break;
        case ToolbarPicture::EditXlsx:
            drawWorkbook(p, kSheetGreen);
            drawPencil(p);
            drawFormatMark(p, 2);
            break;
        case ToolbarPicture::About:
            drawLetter(p, kBlue, QStringLiteral("i"));
            break;
        case ToolbarPicture::Help:
            drawLetter(p, kGreen, QStringLiteral("?"));
            break;
        case ToolbarPicture::NextScreen:
            drawNextScreen(p);
            break;
        case ToolbarPicture::PreviousScreen:
            drawPreviousScreen(p);
            break;
        case ToolbarPicture::SendResults:
            drawWorkbook(p, kSheetGreen);
            drawArrowIntoWorkbook(p);
            drawFormatMark(p, 2);
            break;
        case ToolbarPicture::PlotGraph:
            drawPlotGraph(p);
            break;
    }
}

}  // namespace

QIcon ToolbarImage(ToolbarPicture picture) {
    QPixmap pixmap(kToolbarPictureSize, kToolbarPictureSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        drawPicture(painter, picture);
    }
    return QIcon(pixmap);
}

}  // namespace stelvador
