#pragma once

#include "platform/clipboard.h"

namespace stelvador {

// The system clipboard through QClipboard, speaking the desktop's line ends: rows of a block
// put there are joined by the desktop's line end, and text read from it is split into rows at
// CR LF, LF or CR (one line end after the last row adds no row). A single cell is just its text.
// The clipboard cannot be opened without a running GUI application or from another thread than
// the application's; every operation then throws RunTimeError 521.
class QtClipboard : public Clipboard {
  public:
    void Clear() override;
    std::optional<std::string> GetText() override;
    void SetText(std::string_view gridTextBlock) override;
};

}  // namespace stelvador
