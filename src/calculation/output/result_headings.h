#pragma once

#include <array>
#include <string_view>

#include "calculation/output/result_row.h"

namespace stelvador {

// The heading row of the results grid, one text per result-row cell; the three spacer columns
// (46, 90, 122) have none. The brackets mark the column groups across the row.
inline constexpr std::array<std::string_view, kResultCellCount> kResultHeadings = {
    // 0: the sample column
    "Sample       ",
    // 1-45: the analysis as read, in wt%
    "[SiO2", "TiO2", "Al2O3", "Cr2O3", "V2O3", "Fe2O3", "Mn2O3", "FeO", "MgO", "MnO", "NiO", "CuO",
    "PbO", "ZnO", "BaO", "CaO", "SrO", "Na2O", "K2O", "P2O5", "Nb2O5", "SnO2", "La2O3", "Ce2O3",
    "Pr2O3", "Nd2O3", "Sm2O3", "Eu2O3", "Gd2O3", "Tb2O3", "Dy2O3", "Ho2O3", "Er2O3", "Tm2O3",
    "Yb2O3", "Lu2O3", "Y2O3", "ThO2", "UO2", "F", "Cl", "O=F", "O=Cl", "H2O", "Total]wt%",
    // 46
    "",
    // 47-89: atoms per formula unit
    "[Si", "Ti", "Al", "Cr", "V", "Fe3+", "Mn3+", "Fe2+", "Mg", "Mn", "Ni", "Cu", "Pb", "Zn", "Ba",
    "Ca", "Sr", "Na", "K", "P", "Nb", "Sn", "La", "Ce", "Pr", "Nd", "Sm", "Eu", "Gd", "Tb", "Dy",
    "Ho", "Er", "Tm", "Yb", "Lu", "Y", "Th", "U", "F", "Cl", "OH", "Total]apfu",
    // 90
    "",
    // 91-93: T site
    "[Si", "Al(IV)", "Total]T-site",
    // 94-108: M sites together
    "[Ti", "Al(VI)", "Cr", "V", "Fe3+", "Fe2+", "Mg", "Mn3+", "Mn2+", "Ni", "Zn", "Cu", "Nb", "Sn",
    "Total]M-site",
    // 109-121: A sites together
    "[Mn2+", "Fe2+", "Ca", "Sr", "Ba", "Pb", "Na", "K", "P", "REE", "Th", "U", "Total]A-site",
    // 122
    "",
    // 123-130: dominant ions, subgroup, species
    "[A1]Dominant cation", "[A2]Dominant cation", "[M1]Dominant cation", "[M2]Dominant cation",
    "[M3]Dominant cation", "[O4]Dominant anion", "[Epidote subgroup]", "[Epidote name]"};

}  // namespace stelvador
