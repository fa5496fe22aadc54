#pragma once

#include <memory>

#include <QTableView>

#include "platform/flex_grid.h"

class QAbstractButton;
class QKeyEvent;

namespace stelvador {

class FlexGridTableModel;

// The grid control on screen: a table view over the FlexGrid it owns. Row 0 and column 0 (the
// fixed row and column) are shown as the header sections, the corner cell above the row
// headers. The view follows every change of the grid, and the user's selection by mouse and
// keyboard goes into the grid: (Row, Col) is where the selection started (the pressed cell),
// (RowSel, ColSel) its moving end. The view edits no cell: typed characters, presses and clicks
// are reported through KeyPress, MouseDown and Click for the window to handle. Slots connected
// to these signals must not throw.
class FlexGridView : public QTableView {
    Q_OBJECT

  public:
    // A grid of rows x cols cells with one fixed row and one fixed column.
    FlexGridView(int rows, int cols, QWidget* parent = nullptr);
    FlexGridView(int rows, int cols, int fixedRows, int fixedCols, QWidget* parent = nullptr);
    ~FlexGridView() override;

    FlexGrid& grid() { return *m_grid; }
    const FlexGrid& grid() const { return *m_grid; }

    // Pixels for a length in twips (1/1440 inch) at this widget's vertical resolution.
    int twipsToPixels(int twips) const;

    // Selects every non-fixed cell through the grid (the corner button's click).
    void selectAll() override;

    // The width that fits the column's shown cells, at most FittedColumnWidthLimit.
    int sizeHintForColumn(int column) const override;

  signals:
    // The character code of a typed key: 13 Enter, 9 Tab, 8 Backspace, 1 to 26 Ctrl+A to Ctrl+Z
    // (3 Ctrl+C, 22 Ctrl+V, 24 Ctrl+X), otherwise the character's Unicode code point.
    void KeyPress(int keyAscii);
    // A press anywhere in the grid, after the pressed cell has become current: button 1 left,
    // 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt (added); x, y in pixels of this widget.
    void MouseDown(int button, int shift, int x, int y);
    // The left button released after a press in the grid.
    void Click();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void followSelection();
    void followProperties();
    void followStructure();
    void followCorner();
    void applyTopRow();

    bool hasScrollingCells() const;
    // Whether the key is a shortcut of a menu or toolbar item of the grid's window.
    bool isWindowShortcut(const QKeyEvent& event) const;
    // Moves the current cell (extend false) or the selection's moving end (extend true).
    void selectCell(int row, int col, bool extend);
    bool moveByKey(int key, Qt::KeyboardModifiers modifiers);
    void pressHeader(Qt::Orientation orientation, int section, bool onEdge, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers, QPoint position, QWidget* from);
    void reportPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void reportRelease(Qt::MouseButton button);
    void showGridCell(int row, int col);
    int modelRowNear(int y) const;
    int modelColumnNear(int x) const;
    bool paintCorner();

    std::unique_ptr<FlexGrid> m_grid;
    std::unique_ptr<FlexGridTableModel> m_model;
    QAbstractButton* m_corner = nullptr;
    bool m_leftPressed = false;
    bool m_dragging = false;
    bool m_visible = true;
    int m_rowHeightMin = 0;
    int m_defaultRowHeight = 0;
    int m_appliedTopRow = -1;
    bool m_topRowPending = false;
};

}  // namespace stelvador
