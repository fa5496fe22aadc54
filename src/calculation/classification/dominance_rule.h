#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace stelvador {

// Index of the content that is strictly greater than every other content of its group, or -1
// when there is none (the largest content shared, or a NaN among the contents, since every
// comparison with NaN is false). Exact comparison: no tolerance, no tie-break.
inline int DominantIndex(std::span<const double> contents) {
    const std::size_t count = contents.size();
    if (count == 0) {
        return -1;
    }
    // The largest content (a NaN may or may not survive here), then the contents not below it.
    // Exactly one such content is strictly greater than all the others; two or more mean a shared
    // largest content or a NaN. Written without early exits, so it runs free of branches.
    double largest = contents[0];
    for (std::size_t i = 1; i < count; ++i) {
        largest = contents[i] > largest ? contents[i] : largest;
    }
    std::size_t notBelowCount = 0;
    std::size_t notBelowIndex = 0;
    for (std::size_t j = 0; j < count; ++j) {
        const bool notBelow = !(contents[j] < largest);
        notBelowCount += notBelow ? 1 : 0;
        notBelowIndex += notBelow ? j : 0;
    }
    return notBelowCount == 1 ? static_cast<int>(notBelowIndex) : -1;
}

// The text that names the dominant content of a group (texts[i] names contents[i]), or the empty
// text when no content is dominant.
template <std::size_t N>
std::string_view DominantText(const std::array<double, N>& contents,
                              const std::array<std::string_view, N>& texts) {
    const int index = DominantIndex(contents);
    return index < 0 ? std::string_view{} : texts[static_cast<std::size_t>(index)];
}

}  // namespace stelvador
