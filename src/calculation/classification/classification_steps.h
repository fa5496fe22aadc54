#pragma once

namespace stelvador {

struct AnalysisState;

// The classification of one analysis, in the order the Calculate command runs it, after the site
// allocation. The steps only compare numbers and texts: they never throw, and a NaN content
// (a quantity that could not be formed) wins nothing, so it leaves the string it concerns empty.
// Each step assigns every string it owns, so no text of an earlier analysis can survive.

// The A1, A2 divalent, A2, M3 divalent, M3 trivalent, M3, M1 and O4 dominant-ion strings from the
// A1, A2, M3 and M1 contents and apfu F. The M2 string is the site allocation's and is left as is.
void FindDominantIons(AnalysisState& state);

// The subgroup name from the site sums and apfu F; for the dollaseite subgroup it may set the M1
// string from the formula's Mg, Mn2+ and Fe2+.
void ClassifySubgroup(AnalysisState& state);

// The species name: the latest rule of the species rule table that holds, or the empty text.
void ClassifySpecies(AnalysisState& state);

}  // namespace stelvador
