#pragma once

namespace stelvador {

// Values of the formula recalculation (wt% values, proportions, apfu values, sums).
struct FormulaValues {};

}  // namespace stelvador
