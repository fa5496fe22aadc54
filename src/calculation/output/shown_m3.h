#pragma once

namespace stelvador {

struct AnalysisState;

// Sets state.shownM3, the M3 dominant-ion string as the result row shows it and the plot records
// test it: "Fe2+" for an Allanite-(Ce), Allanite-(La) or Allanite-(Y) of the allanite subgroup
// whose M3 string is "V", else the M3 string itself. Runs after the species is known.
void CorrectM3String(AnalysisState& state);

}  // namespace stelvador
