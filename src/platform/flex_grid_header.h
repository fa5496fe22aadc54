#pragma once

#include <QHeaderView>
#include <QPoint>

class QFontMetrics;

namespace stelvador {

// The widest a column is made when it is fitted to its contents (the row headings' width, a
// double click on a column's edge): 40 digits of the font, so that no text pushes the other
// columns out of reach. The user may still drag a column wider.
int FittedColumnWidthLimit(const QFontMetrics& metrics);

// A header of the grid view: it reports presses and releases to the view, which decides what
// they select; pressing on a section's edge still resizes the section.
class FlexGridHeader : public QHeaderView {
    Q_OBJECT

  public:
    explicit FlexGridHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

  signals:
    // section is -1 beyond the last section; onEdge when the press grabs a section's edge to
    // resize it. position is in the header's viewport.
    void pressed(int section, bool onEdge, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 QPoint position);
    void released(Qt::MouseButton button);

  protected:
    // The contents' size, its width at most FittedColumnWidthLimit.
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void reportPress(QMouseEvent* event);
    bool isOnSectionEdge(QPoint position) const;
};

}  // namespace stelvador
