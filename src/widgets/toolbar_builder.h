#pragma once

#include <functional>
#include <span>

#include "widgets/toolbar_images.h"

class QAction;
class QMainWindow;
class QToolBar;

namespace stelvador {

// A toolbar button: its position (numbered from 1, separators counted), tooltip and picture.
struct ToolbarButtonDesign {
    int position;
    const char* toolTip;
    ToolbarPicture picture;
};

// Adds the window's toolbar "Toolbar1": the buttons in position order, with a separator at each
// position between them. buttons[position] receives the button of each position (its size is
// the last position + 1); a click runs clicked with the button's position.
QToolBar* BuildToolbar(QMainWindow& window, std::span<const ToolbarButtonDesign> designs,
                       std::span<QAction*> buttons, const std::function<void(int)>& clicked);

}  // namespace stelvador
