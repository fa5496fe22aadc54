#pragma once

#include <array>
#include <string_view>

namespace stelvador {

inline constexpr int kOxideCount = 42;

// The 42 constituents in their fixed order; analysis grid columns 2 to 43 hold them in this order.
inline constexpr std::array<std::string_view, kOxideCount> kOxideList = {
    "SiO2",  "TiO2",  "Al2O3", "Cr2O3", "V2O3",  "Fe2O3", "Mn2O3", "FeO",   "MgO",
    "MnO",   "NiO",   "CuO",   "PbO",   "ZnO",   "BaO",   "CaO",   "SrO",   "Na2O",
    "K2O",   "P2O5",  "Nb2O5", "SnO2",  "La2O3", "Ce2O3", "Pr2O3", "Nd2O3", "Sm2O3",
    "Eu2O3", "Gd2O3", "Tb2O3", "Dy2O3", "Ho2O3", "Er2O3", "Tm2O3", "Yb2O3", "Lu2O3",
    "Y2O3",  "ThO2",  "UO2",   "F",     "Cl",    "H2O"};

// The first 39 entries are oxides; F, Cl and H2O stand outside the oxygen and cation sums.
inline constexpr int kOxideOnlyCount = 39;

}  // namespace stelvador
