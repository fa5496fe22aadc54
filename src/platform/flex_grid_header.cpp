#include "platform/flex_grid_header.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QStyle>

namespace stelvador {

namespace {

constexpr int kFittedColumnDigits = 40;

}  // namespace

int FittedColumnWidthLimit(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QLatin1Char('0')) * kFittedColumnDigits;
}

FlexGridHeader::FlexGridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    // Sections select through the view, not through the header's own click handling.
    setSectionsClickable(false);
    setHighlightSections(true);
    setSectionResizeMode(QHeaderView::Interactive);
}

QSize FlexGridHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setWidth(std::min(size.width(), FittedColumnWidthLimit(fontMetrics())));
    return size;
}

bool FlexGridHeader::isOnSectionEdge(QPoint position) const {
    const int at = orientation() == Qt::Horizontal ? position.x() : position.y();
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int section = logicalIndexAt(at);
    if (section < 0) {
        return false;
    }
    const int start = sectionViewportPosition(section);
    const int end = start + sectionSize(section);
    return at >= end - grip || (visualIndex(section) > 0 && at < start + grip);
}

void FlexGridHeader::reportPress(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const int at = orientation() == Qt::Horizontal ? position.x() : position.y();
    emit pressed(logicalIndexAt(at), isOnSectionEdge(position), event->button(), event->modifiers(),
                 position);
}

void FlexGridHeader::mousePressEvent(QMouseEvent* event) {
    QHeaderView::mousePressEvent(event);
    reportPress(event);
}

void FlexGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    QHeaderView::mouseDoubleClickEvent(event);
    reportPress(event);
}

void FlexGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    emit released(event->button());
}

}  // namespace stelvador
