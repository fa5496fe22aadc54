#pragma once

namespace stelvador::results_toolbar {

// The results window's toolbar positions, numbered from 1 with the separators (6, 8, 11 and 15)
// counted, as its click handler receives them.
enum Position : int {
    kCut = 1,
    kCopy = 2,
    kPaste = 3,
    kDelete = 4,
    kSelectAll = 5,
    kExit = 7,
    kSendResults = 9,
    kOpenOutputWorkbook = 10,
    kAbout = 12,
    kPlotGraph = 13,
    kHelp = 14,
    kPreviousScreen = 16,
};

inline constexpr int kPositions = 16;

}  // namespace stelvador::results_toolbar
