#pragma once

#include <array>
#include <string_view>

namespace stelvador {

// The Graph menu's three submenus and their plot documents, in menu order. Each document draws
// one diagram from the plot data file of the same base name that the Calculate command writes
// into the current directory. A caption ends with the diagram's published source only where
// that source has been checked.
enum class GraphSubmenu { Clinozoisite, Allanite, Others };

struct GraphItem {
    GraphSubmenu submenu;
    std::string_view control;
    std::string_view caption;
    std::string_view document;
};

inline constexpr int kGraphItemCount = 13;

inline constexpr std::array<GraphItem, kGraphItemCount> kGraphItems{{
    {GraphSubmenu::Clinozoisite, "mnuXCrAlFe3", "[1]  Cr - Al - Fe3+", "CrAlFe.grf"},
    {GraphSubmenu::Clinozoisite, "mnuVAlFe", "[2]  V - Al - Fe3+", "VAlFe.grf"},
    {GraphSubmenu::Clinozoisite, "mnuMnAlFe", "[3]  Mn3+ - Al - Fe3+", "MnAlFe.grf"},
    {GraphSubmenu::Allanite, "mnuFeMgMn", "[1]  Fe2+ - Mg - Mn2+  [This study]", "FeMgMn.grf"},
    {GraphSubmenu::Allanite, "mnuCeLaY", "[2]  Ce - La - Y ", "CeLaY.grf"},
    {GraphSubmenu::Allanite, "mnuCeLaNd", "[3]  Ce - La - Nd ", "CeLaNd.grf"},
    {GraphSubmenu::Allanite, "mnuAltotREE",
     "[4]  Al(total) - Total REE+Y+Th+U  [Petr\u00edk et al. (1995)]", "AltotREETh.grf"},
    {GraphSubmenu::Allanite, "mnuAltotREESr", "[5]  Al(total) - Total REE+Y+Th+Sr",
     "AltotREEThSr.grf"},
    {GraphSubmenu::Allanite, "mnuFe2MgFe3AlVI", "[6]  Fe2/(Fe2+Mg) - Fe3/(Fe3+AlVI)",
     "Fe2MgFe3AlVI.grf"},
    {GraphSubmenu::Others, "mnuAlFe3Fe2Mg", "[1]  Al+Fe3 - Fe2 - Mg", "AlFe3Fe2Mg.grf"},
    {GraphSubmenu::Others, "mnuComplex", "[2]  A2Ca+M33+-2A1Vac - REE+Y+M32+-2A1Vac - 4A1Vac",
     "CaREEVacA1.grf"},
    {GraphSubmenu::Others, "mnuM2M3Al", "[3]  Me2+ - Me3+ - AlVI", "M2M3AlVI.grf"},
    {GraphSubmenu::Others, "mnuAlVMg", "[4]  Al - V - Mg", "AlVMg.grf"},
}};

}  // namespace stelvador
