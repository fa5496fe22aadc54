#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "common/oxide_list.h"

namespace stelvador {

// Index of a constituent in the oxide list, named after its apfu value: apfu[kSi] is apfu Si,
// weightPercent[kSi] is wt% SiO2, weightPercent[kH] is wt% H2O. kFe3 is Fe3+ (from Fe2O3), kMn3
// Mn3+ (from Mn2O3), kFe2 Fe2+ (from FeO), kMn2 Mn2+ (from MnO).
enum Constituent : int {
    kSi,
    kTi,
    kAl,
    kCr,
    kV,
    kFe3,
    kMn3,
    kFe2,
    kMg,
    kMn2,
    kNi,
    kCu,
    kPb,
    kZn,
    kBa,
    kCa,
    kSr,
    kNa,
    kK,
    kP,
    kNb,
    kSn,
    kLa,
    kCe,
    kPr,
    kNd,
    kSm,
    kEu,
    kGd,
    kTb,
    kDy,
    kHo,
    kEr,
    kTm,
    kYb,
    kLu,
    kY,
    kTh,
    kU,
    kF,
    kCl,
    kH,
};

// Per-constituent values: 42 numbers in oxide-list order, indexed by Constituent.
using ConstituentValues = std::array<double, kOxideCount>;
// Per-oxide values: the 39 oxides SiO2 to UO2 (F, Cl and H2O have no oxygens).
using OxideValues = std::array<double, kOxideOnlyCount>;

// Values of the formula recalculation of one analysis: the wt% values as read, the proportions,
// the 12.5-oxygen basis and the atoms per formula unit (apfu) on 8 cations. A value that cannot
// be formed (all 39 oxides 0, a number beyond the range of a double) is NaN.
struct FormulaValues {
    // Text of the analysis-grid sample column, unchanged.
    std::string sampleName;

    // The 42 wt% values as read from the analysis grid (NaN for a number beyond range).
    ConstituentValues weightPercent{};
    // The constituents whose wt% is anything but +0 (a NaN and -0 included), in oxide-list
    // order: the first listedCount entries, of which the first listedOxideCount are among the 39
    // oxides. Every other constituent is exactly +0 wt%, so each of its values up to the cation
    // normalization is one and the same: the steps compute it once and visit only these.
    std::array<std::uint8_t, kOxideCount> listed{};
    int listedCount = 0;
    int listedOxideCount = 0;
    // wt% / molecular weight.
    ConstituentValues molecularProportion{};

    // O=F and O=Cl: the oxygen equivalents of fluorine and chlorine.
    double oxygenEquivalentF = 0.0;
    double oxygenEquivalentCl = 0.0;
    // Sum of the 42 wt% values minus O=F minus O=Cl.
    double analyticalTotal = 0.0;

    // Molecular proportion times the cations per formula (all 42).
    ConstituentValues cationProportion{};
    // Molecular proportion times the oxygens per formula (the 39 oxides).
    OxideValues oxygenProportion{};
    double oxygenSum = 0.0;
    // 12.5 / oxygen sum.
    double oxygenFactor = 0.0;
    // "cations per 12.5 oxygens": cation proportion times the oxygen factor (all 42).
    ConstituentValues cationsPerOxygenBasis{};
    // Sum of the cations per 12.5 oxygens of the 39 oxides.
    double cationSum = 0.0;

    // Atoms per formula unit on 8 cations, after the ferric estimate, the lowering of Fe3+ for M2
    // and the optional Si = 3 scaling (apfu[kFe3] is apfu Fe3+, and so on).
    ConstituentValues apfu{};
    // Sum of the 39 cation apfu values (Si to U), as the cation normalization or the Si = 3
    // scaling left it; not recomputed when Fe3+ is lowered for M2.
    double apfuTotal = 0.0;

    // The charge-balance Fe3+ estimate (only FeO analysed), and the iron total Fe3+ + Fe2+ apfu.
    double ferricEstimate = 0.0;
    double totalIron = 0.0;

    // The Si = 3 scaling: whether it applied and its factor 3 / apfu Si (1 when it did not).
    bool siNormalized = false;
    double siNormalizationFactor = 1.0;
};

// The listed constituents (all of them, or those among the 39 oxides), as ReadAnalysis left them.
inline std::span<const std::uint8_t> ListedConstituents(const FormulaValues& formula) {
    return std::span(formula.listed).first(static_cast<std::size_t>(formula.listedCount));
}
inline std::span<const std::uint8_t> ListedOxides(const FormulaValues& formula) {
    return std::span(formula.listed).first(static_cast<std::size_t>(formula.listedOxideCount));
}

// MnO wt% exactly 0 and Mn2O3 wt% above 0, both as read.
inline bool IsMn2O3OnlyAnalysis(const FormulaValues& formula) {
    return formula.weightPercent[kMn2] == 0.0 && formula.weightPercent[kMn3] > 0.0;
}

// Only FeO analysed: FeO wt% above 0 and Fe2O3 wt% exactly 0, both as read.
inline bool IsOnlyFeOAnalysed(const FormulaValues& formula) {
    return formula.weightPercent[kFe2] > 0.0 && formula.weightPercent[kFe3] == 0.0;
}

}  // namespace stelvador
