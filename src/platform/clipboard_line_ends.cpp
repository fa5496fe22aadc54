#include "platform/clipboard_line_ends.h"

#include "common/grid_text_block.h"

namespace stelvador {

std::string_view DesktopLineEnd() {
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

std::string GridTextBlockFromDesktopText(std::string_view text) {
    std::string block;
    block.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            block.push_back(kRowSeparator);
        } else {
            block.push_back(c);
        }
    }
    // The line end that closes the last row starts no row of its own.
    if (!block.empty() && block.back() == kRowSeparator) {
        block.pop_back();
    }
    return block;
}

std::string DesktopTextFromGridTextBlock(std::string_view block, std::string_view lineEnd) {
    std::string text;
    text.reserve(block.size() + lineEnd.size());
    for (const char c : block) {
        if (c == kRowSeparator) {
            text.append(lineEnd);
        } else {
            text.push_back(c);
        }
    }
    text.append(lineEnd);
    return text;
}

}  // namespace stelvador
