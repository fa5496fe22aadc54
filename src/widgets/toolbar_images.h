#pragma once

#include <QIcon>

namespace stelvador {

// The pictures of the main windows' toolbar buttons, 16 x 16 pixels, drawn by the program.
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
};

inline constexpr int kToolbarPictureSize = 16;

QIcon ToolbarImage(ToolbarPicture picture);

}  // namespace stelvador
