#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// The line end the desktop's other programs write between rows of copied text.
std::string_view DesktopLineEnd();

// Desktop text to a grid text block: CR LF, a lone LF and a lone CR each end a row (CR in the
// block). One line end after the last row ends that row and adds no row, as spreadsheets end
// their copied blocks; a second one is an empty row.
std::string GridTextBlockFromDesktopText(std::string_view text);

// A grid text block to desktop text: every row ends with lineEnd, the last one too, as
// spreadsheets end their copied blocks; cells keep their TAB. So a block whose last row is
// empty keeps that row when it is read back.
std::string DesktopTextFromGridTextBlock(std::string_view block, std::string_view lineEnd);

}  // namespace stelvador
