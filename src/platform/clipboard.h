#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stelvador {

// The system clipboard as the grid commands use it: text only, in grid text blocks (TAB between
// cells, CR between rows). An implementation translates between that block and the desktop's
// own line ends. Every operation throws RunTimeError kCantOpenClipboard (521) when the clipboard
// cannot be opened.
class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // Empties the clipboard.
    virtual void Clear() = 0;
    // The clipboard's text as a grid text block; nothing when it holds no text or an empty one.
    // A lone line end is text: the block of one empty cell, as a copied empty cell reads.
    virtual std::optional<std::string> GetText() = 0;
    // Puts the grid text block on the clipboard as the desktop's text.
    virtual void SetText(std::string_view gridTextBlock) = 0;
};

}  // namespace stelvador
