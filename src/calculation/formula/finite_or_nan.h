#pragma once

#include <cmath>
#include <limits>

namespace stelvador {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A result that is not finite (a division by zero, an overflow) is a quantity that cannot be
// formed: NaN, which shows as an empty cell, rather than an infinity carried into later sums.
// Written as one comparison (false for a NaN) so the per-constituent loops run without branches.
inline double FiniteOrNaN(double value) {
    return std::fabs(value) <= std::numeric_limits<double>::max() ? value : kNaN;
}

}  // namespace stelvador
