#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// TAB, CR and LF would split a result-row cell or a plot record, or end it; the texts copied into
// them (the sample name) show each as a blank.
constexpr char WithoutLineBreak(char c) {
    return c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
}

inline void AppendWithoutLineBreaks(std::string& out, std::string_view text) {
    for (const char c : text) {
        out += WithoutLineBreak(c);
    }
}

}  // namespace stelvador
