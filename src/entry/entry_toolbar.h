#pragma once

#include <array>

namespace stelvador::entry_toolbar {

// The data entry window's toolbar positions, numbered from 1 with the separators (6, 12, 14 and
// 19) counted, as its click handler receives them.
enum Position : int {
    kNewFile = 1,
    kOpenFile = 2,
    kSaveAs = 3,
    kClose = 4,
    kExit = 5,
    kCut = 7,
    kCopy = 8,
    kPaste = 9,
    kDelete = 10,
    kSelectAll = 11,
    kCalculate = 13,
    kLoadXls = 15,
    kLoadXlsx = 16,
    kEditXls = 17,
    kEditXlsx = 18,
    kAbout = 20,
    kHelp = 21,
    kNextScreen = 22,
};

inline constexpr int kPositions = 22;

// Save As, Close and the Edit buttons, enabled and disabled together.
inline constexpr std::array kFileAndEditButtons = {kSaveAs, kClose,  kCut,      kCopy,
                                                   kPaste,  kDelete, kSelectAll};

// The two workbook imports, enabled and disabled together.
inline constexpr std::array kWorkbookImportButtons = {kLoadXls, kLoadXlsx};

}  // namespace stelvador::entry_toolbar
