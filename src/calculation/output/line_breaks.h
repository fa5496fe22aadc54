#pragma once

#include <array>
#include <cstddef>

namespace stelvador {

// TAB, CR and LF would split a result-row cell or a plot record, or end it; the texts copied into
// them (the sample name) show each as a blank. A table, so a long name is copied without a test
// per character.
inline constexpr std::array<char, 256> kWithoutLineBreaks = [] {
    std::array<char, 256> map{};
    for (std::size_t c = 0; c < map.size(); ++c) {
        map[c] = static_cast<char>(c);
    }
    map['\t'] = ' ';
    map['\r'] = ' ';
    map['\n'] = ' ';
    return map;
}();

// The character as a cell or record shows it: a blank for TAB, CR and LF.
constexpr char WithoutLineBreak(char c) {
    return kWithoutLineBreaks[static_cast<unsigned char>(c)];
}

}  // namespace stelvador
