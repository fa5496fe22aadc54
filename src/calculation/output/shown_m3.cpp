#include "calculation/output/shown_m3.h"

#include <string_view>

#include "calculation/analysis_state.h"

namespace stelvador {

void CorrectM3String(AnalysisState& state) {
    const std::string_view species = state.species;
    const bool correctedAllanite =
        species == "Allanite-(Ce)" || species == "Allanite-(La)" || species == "Allanite-(Y)";
    state.shownM3 =
        state.subgroup == "Allanite subgroup" && state.ions.M3 == "V" && correctedAllanite
            ? std::string_view("Fe2+")
            : state.ions.M3;
}

}  // namespace stelvador
