#pragma once

#include <array>
#include <string>
#include <string_view>

namespace stelvador {

struct AnalysisState;
struct ResultRow;

inline constexpr int kPlotFileCount = 13;

// The plot data files in their fixed order (the order they are created, written and closed).
inline constexpr std::array<std::string_view, kPlotFileCount> kPlotFileNames = {
    "CrAlFe.dat",     "VAlFe.dat",      "MnAlFe.dat",       "FeMgMn.dat",       "CeLaY.dat",
    "CeLaNd.dat",     "AltotREETh.dat", "AltotREEThSr.dat", "Fe2MgFe3AlVI.dat", "AlFe3Fe2Mg.dat",
    "CaREEVacA1.dat", "M2M3AlVI.dat",   "AlVMg.dat"};

// Each file's header line, TAB-separated, without its line end.
inline constexpr std::array<std::string_view, kPlotFileCount> kPlotFileHeaders = {
    "SampleNo\tCr3+\tAl3+\tFe3+",
    "SampleNo\tV3+\tAl3+\tFe3+",
    "SampleNo\tMn3+\tAl3+\tFe3+",
    "SampleNo\tFe2+\tMg2+\tMn2+",
    "SampleNo\tCe\tLa\tY",
    "SampleNo\tCe\tLa\tNd",
    "SampleNo\tAltot\tREE+Y+Th+U",
    "SampleNo\tAltot\tREE+Y+Th+Sr",
    "SampleNo\tFe2/(Fe2+Mg)\tFe3/(Fe3+AlVI)",
    "SampleNo\t(Al+FE3)-1\tFe2+\tMg",
    "SampleNo\tA2CaM332A1Vac\tREE+Y+M32A1Vac\t4A1Vac",
    "SampleNo\tMe2+\tMe3+\tAlVI",
    "SampleNo\tM3Al\tM3V\tM3Mg"};

// One analysis's records: present[f] tells whether file f gets a record, lines[f] holds it
// (Windows-1252, items separated by one TAB, ended by CR LF).
struct PlotRecords {
    std::array<bool, kPlotFileCount> present{};
    std::array<std::string, kPlotFileCount> lines;
};

// Decides which files get a record and formats those records. Runs after BuildResultRow: the
// apfu values that the row shows as texts (Ce, La, Y, Nd, Fe2+ and Mg, and M Al(VI)) are its
// cells' texts; every other item is a number in shortest round-trip form.
void FormatPlotRecords(const AnalysisState& state, const ResultRow& row, PlotRecords& records);

// Appends a plot number item: the shortest decimal form that reads back as the same double, with
// a point (std::to_chars); "0" for a zero of either sign; nothing for a value that is not finite.
void AppendPlotNumber(std::string& out, double value);

}  // namespace stelvador
