#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

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

// The same sum of values[0..count) where every value whose index is not in listed (ascending
// indices below count) is unlistedValue. When that is a zero of either sign it adds nothing, so
// only the listed values are added, in index order (a listed value that is 0 adds nothing either);
// any other unlistedValue (a NaN) needs the whole sum.
template <std::size_t N>
double ListedOrderedSum(const std::array<double, N>& values, std::span<const std::uint8_t> listed,
                        double unlistedValue, std::size_t count = N) {
    if (unlistedValue != 0.0) {
        return OrderedSum(values, count);
    }
    double sum = 0.0;
    for (const std::uint8_t i : listed) {
        sum += values[i];
    }
    return FiniteOrNaN(sum);
}

}  // namespace stelvador
