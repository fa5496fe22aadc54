#pragma once

#include <array>
#include <cstddef>

#include "calculation/formula/finite_or_nan.h"

namespace stelvador {

// Sum of values[0..count) added left to right in index order (the oxide-list order the sums of
// the formula recalculation are defined in); NaN when it overflows.
//
// Most constituents of an analysis are exactly 0, and adding an exact zero changes no sum here:
// the sum starts at +0 and can never become -0, and s + 0 is s for every other s. So the values
// that are not 0 are gathered first (no branches, no waiting) and only they are added, still in
// index order: the same sum from a much shorter chain of dependent additions.
template <std::size_t N>
double OrderedSum(const std::array<double, N>& values, std::size_t count = N) {
    std::array<double, N> terms;
    std::size_t termCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        terms[termCount] = values[i];
        termCount += values[i] != 0.0 ? 1 : 0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < termCount; ++i) {
        sum += terms[i];
    }
    return FiniteOrNaN(sum);
}

}  // namespace stelvador
