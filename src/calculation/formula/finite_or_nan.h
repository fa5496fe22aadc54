#pragma once

#include <cmath>
#include <limits>

namespace stelvador {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A result that is not finite (a division by zero, an overflow) is a quantity that cannot be
// formed: NaN, which shows as an empty cell, rather than an infinity carried into later sums.
inline double FiniteOrNaN(double value) {
    return std::isfinite(value) ? value : kNaN;
}

}  // namespace stelvador
