#pragma once

#include <array>
#include <cstddef>

#include "calculation/formula/finite_or_nan.h"

namespace stelvador {

// Sum of values[0..count) added left to right in index order (the oxide-list order the sums of
// the formula recalculation are defined in); NaN when it overflows.
template <std::size_t N>
double OrderedSum(const std::array<double, N>& values, std::size_t count = N) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += values[i];
    }
    return FiniteOrNaN(sum);
}

}  // namespace stelvador
