#pragma once

#include <QFont>

class QLineEdit;
class QWidget;

namespace stelvador {

// What the data entry window and the results window share of their design: the grid's font,
// the cell mirror and the size of the client area.

// Arial Narrow 9.75 points.
QFont MainWindowGridFont();

// The hidden-by-placement cell mirror: a single-line text box left of the visible client area
// (MS Sans Serif 8.25 points) that carries a copy of the current grid cell's text.
QLineEdit* CreateCellMirror(QWidget* parent);

// Resizes the window to the design client area, 17970 by 10335 twips.
void ResizeToDesignClientArea(QWidget& window);

}  // namespace stelvador
