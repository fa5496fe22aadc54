#pragma once

#include "calculation/dominant_ions.h"
#include "calculation/formula_values.h"
#include "calculation/plot_quantities.h"
#include "calculation/site_contents.h"

#include <string_view>

namespace stelvador {

// Everything the per-analysis steps compute for one analysis. Every step writes every field it
// owns, so a state reused from the previous analysis ends exactly as a fresh one would and
// nothing of one analysis can reach the next; a quantity that cannot be formed is NaN and shows
// as an empty cell or plot item.
struct AnalysisState {
    // The Si = 3 option as read for this analysis.
    bool siNormalization = false;
    FormulaValues formula;
    SiteContents sites;
    DominantIons ions;
    // Views of the constant subgroup and species names (empty where none applies).
    std::string_view subgroup;
    std::string_view species;
    // The M3 dominant-ion string as the result row shows it and the plot records test it: "V"
    // becomes "Fe2+" for three allanites (CorrectM3String).
    std::string_view shownM3;
    PlotQuantities plot;
};

}  // namespace stelvador
