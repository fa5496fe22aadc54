#pragma once

#include <array>

#include "common/oxide_list.h"

namespace stelvador {

// One constituent's formula: molecular weight, cations and oxygens per formula.
struct ConstituentFormula {
    double molecularWeight;
    int cations;
    int oxygens;
};

// Formula weights from standard atomic weights with O = 15.9994, in oxide-list order. Ho2O3 and
// Yb2O3 use Ho 164.93032 and Yb 173.054. F, Cl and H2O carry no oxygens of the oxide basis.
inline constexpr std::array<ConstituentFormula, kOxideCount> kConstituentFormulas = {{
    {60.0843, 1, 2},     // SiO2
    {79.8658, 1, 2},     // TiO2
    {101.96128, 2, 3},   // Al2O3
    {151.9904, 2, 3},    // Cr2O3
    {149.8812, 2, 3},    // V2O3
    {159.6882, 2, 3},    // Fe2O3
    {157.87429, 2, 3},   // Mn2O3
    {71.8444, 1, 1},     // FeO
    {40.3044, 1, 1},     // MgO
    {70.93744, 1, 1},    // MnO
    {74.6928, 1, 1},     // NiO
    {79.5454, 1, 1},     // CuO
    {223.1994, 1, 1},    // PbO
    {81.3794, 1, 1},     // ZnO
    {153.3264, 1, 1},    // BaO
    {56.0774, 1, 1},     // CaO
    {103.6194, 1, 1},    // SrO
    {61.97894, 2, 1},    // Na2O
    {94.196, 2, 1},      // K2O
    {141.9445, 2, 5},    // P2O5
    {265.8098, 2, 5},    // Nb2O5
    {150.7088, 1, 2},    // SnO2
    {325.8091, 2, 3},    // La2O3
    {328.2302, 2, 3},    // Ce2O3
    {329.8135, 2, 3},    // Pr2O3
    {336.4822, 2, 3},    // Nd2O3
    {348.7182, 2, 3},    // Sm2O3
    {351.9262, 2, 3},    // Eu2O3
    {362.4982, 2, 3},    // Gd2O3
    {365.8489, 2, 3},    // Tb2O3
    {372.9982, 2, 3},    // Dy2O3
    {377.85884, 2, 3},   // Ho2O3
    {382.5162, 2, 3},    // Er2O3
    {385.86662, 2, 3},   // Tm2O3
    {394.1062, 2, 3},    // Yb2O3
    {397.9318, 2, 3},    // Lu2O3
    {225.8099, 2, 3},    // Y2O3
    {264.03686, 1, 2},   // ThO2
    {270.02771, 1, 2},   // UO2
    {18.9984032, 1, 0},  // F
    {35.453, 1, 0},      // Cl
    {18.01528, 2, 0},    // H2O
}};

namespace detail {
template <class Field>
constexpr std::array<double, kOxideCount> column(Field field) {
    std::array<double, kOxideCount> values{};
    for (int i = 0; i < kOxideCount; ++i) {
        values[i] = static_cast<double>(kConstituentFormulas[i].*field);
    }
    return values;
}
}  // namespace detail

// The table's columns as plain arrays of doubles, so the per-constituent loops run as vector
// operations.
inline constexpr std::array<double, kOxideCount> kMolecularWeights =
    detail::column(&ConstituentFormula::molecularWeight);
inline constexpr std::array<double, kOxideCount> kCationsPerFormula =
    detail::column(&ConstituentFormula::cations);
inline constexpr std::array<double, kOxideCount> kOxygensPerFormula =
    detail::column(&ConstituentFormula::oxygens);

}  // namespace stelvador
