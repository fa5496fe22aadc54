#pragma once

namespace stelvador {

struct AnalysisState;

// Computes state.plot from the formula and site contents; runs after the species is known and
// before the result row is built.
void ComputePlotQuantities(AnalysisState& state);

}  // namespace stelvador
