#pragma once

#include <QIcon>

namespace stelvador {

// The pictures of the main windows' toolbar buttons, 16 x 16 pixels, drawn by the program: one
// set for both windows, so a command looks the same in either.
enum class ToolbarPicture {
    New,
    Open,
    Save,
    Close,
    Exit,
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
    Calculate,
    LoadXls,
    LoadXlsx,
    EditXls,
    EditXlsx,
    About,
    Help,
    NextScreen,
    PreviousScreen,
    SendResults,
    PlotGraph,
};

inline constexpr int kToolbarPictureSize = 16;

QIcon ToolbarImage(ToolbarPicture picture);

}  // namespace stelvador
