#pragma once

namespace stelvador {

struct AnalysisState;

// The site allocation of one analysis, in the order the Calculate command runs it. The steps
// read state.formula and write state.sites (AdjustFerricForM2 lowers state.formula.apfu[kFe3];
// AllocateM2M1 sets state.ions.M2). They only add, subtract and compare, never throw, and give
// NaN where an input is NaN.

// REE+Y sum, then T Si, T Al(IV) and T total.
void AllocateTSite(AnalysisState& state);

// Lowers apfu Fe3+ by the M2 deficit when Al(VI) < 1; a negative Fe3+ becomes 0.
void AdjustFerricForM2(AnalysisState& state);

// The 14 M contents and M total by the capped take with cap 3; for a Mn2O3-only analysis first
// the A deficit and the split of the manganese.
void AllocateMSites(AnalysisState& state);

// The 12 A contents and A total, then the Mn transfer of a Mn2O3-only analysis.
void AllocateASites(AnalysisState& state);

// A1 (Mn2+, Fe2+, Na, then Ca up to 1) and A2 (the rest).
void SplitASite(AnalysisState& state);

// M3: the divalent M cations with Nb and Sn whole, then the trivalent cations and Ti up to 1.
void AllocateM3(AnalysisState& state);

// The rests M3 leaves, M2 Al, the M2 dominant-ion string, the M1 contents and the site sums.
void AllocateM2M1(AnalysisState& state);

}  // namespace stelvador
