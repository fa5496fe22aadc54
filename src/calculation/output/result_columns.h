#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "calculation/analysis_state.h"

namespace stelvador {

inline constexpr int kResultCellCount = 131;

// How a result-row cell takes its value from the analysis state: a number, shown in the format
// "#,##0.000" (empty when it could not be formed), or a text shown as it stands.
using NumberOfState = double (*)(const AnalysisState&);
using TextOfState = std::string_view (*)(const AnalysisState&);

// One column of the result row: the heading the results grid shows above it and where its value
// comes from. The three spacer columns have neither.
struct ResultColumn {
    std::string_view heading;
    NumberOfState number = nullptr;
    TextOfState text = nullptr;
};

namespace result_columns {

template <Constituent C>
double WeightPercent(const AnalysisState& s) {
    return s.formula.weightPercent[C];
}
template <Constituent C>
double Apfu(const AnalysisState& s) {
    return s.formula.apfu[C];
}
template <double FormulaValues::*Value>
double Formula(const AnalysisState& s) {
    return s.formula.*Value;
}
template <double TSiteContents::*Value>
double T(const AnalysisState& s) {
    return s.sites.t.*Value;
}
template <double MSiteContents::*Value>
double M(const AnalysisState& s) {
    return s.sites.m.*Value;
}
template <double ASiteContents::*Value>
double A(const AnalysisState& s) {
    return s.sites.a.*Value;
}
template <std::string_view DominantIons::*Ion>
std::string_view Dominant(const AnalysisState& s) {
    return s.ions.*Ion;
}
inline std::string_view SampleName(const AnalysisState& s) {
    return s.formula.sampleName;
}
// The M3 string as corrected for three allanites (CorrectM3String).
inline std::string_view ShownM3(const AnalysisState& s) {
    return s.shownM3;
}
inline std::string_view Subgroup(const AnalysisState& s) {
    return s.subgroup;
}
inline std::string_view Species(const AnalysisState& s) {
    return s.species;
}

constexpr ResultColumn Number(std::string_view heading, NumberOfState number) {
    return {heading, number, nullptr};
}
constexpr ResultColumn Text(std::string_view heading, TextOfState text) {
    return {heading, nullptr, text};
}
constexpr ResultColumn Spacer() {
    return {};
}

}  // namespace result_columns

// The result row, cell by cell. The brackets in the headings mark the column groups: the
// analysis in wt% as read (with O=F and O=Cl before H2O), atoms per formula unit (Fe3+ as
// lowered for M2, the total summed before that), the T site, the M sites together, the A sites
// together, then the dominant ions, the subgroup and the species.
inline constexpr std::array<ResultColumn, kResultCellCount> kResultColumns = [] {
    using namespace result_columns;
    return std::array<ResultColumn, kResultCellCount>{
        Text("Sample       ", SampleName),
        Number("[SiO2", WeightPercent<kSi>),
        Number("TiO2", WeightPercent<kTi>),
        Number("Al2O3", WeightPercent<kAl>),
        Number("Cr2O3", WeightPercent<kCr>),
        Number("V2O3", WeightPercent<kV>),
        Number("Fe2O3", WeightPercent<kFe3>),
        Number("Mn2O3", WeightPercent<kMn3>),
        Number("FeO", WeightPercent<kFe2>),
        Number("MgO", WeightPercent<kMg>),
        Number("MnO", WeightPercent<kMn2>),
        Number("NiO", WeightPercent<kNi>),
        Number("CuO", WeightPercent<kCu>),
        Number("PbO", WeightPercent<kPb>),
        Number("ZnO", WeightPercent<kZn>),
        Number("BaO", WeightPercent<kBa>),
        Number("CaO", WeightPercent<kCa>),
        Number("SrO", WeightPercent<kSr>),
        Number("Na2O", WeightPercent<kNa>),
        Number("K2O", WeightPercent<kK>),
        Number("P2O5", WeightPercent<kP>),
        Number("Nb2O5", WeightPercent<kNb>),
        Number("SnO2", WeightPercent<kSn>),
        Number("La2O3", WeightPercent<kLa>),
        Number("Ce2O3", WeightPercent<kCe>),
        Number("Pr2O3", WeightPercent<kPr>),
        Number("Nd2O3", WeightPercent<kNd>),
        Number("Sm2O3", WeightPercent<kSm>),
        Number("Eu2O3", WeightPercent<kEu>),
        Number("Gd2O3", WeightPercent<kGd>),
        Number("Tb2O3", WeightPercent<kTb>),
        Number("Dy2O3", WeightPercent<kDy>),
        Number("Ho2O3", WeightPercent<kHo>),
        Number("Er2O3", WeightPercent<kEr>),
        Number("Tm2O3", WeightPercent<kTm>),
        Number("Yb2O3", WeightPercent<kYb>),
        Number("Lu2O3", WeightPercent<kLu>),
        Number("Y2O3", WeightPercent<kY>),
        Number("ThO2", WeightPercent<kTh>),
        Number("UO2", WeightPercent<kU>),
        Number("F", WeightPercent<kF>),
        Number("Cl", WeightPercent<kCl>),
        Number("O=F", Formula<&FormulaValues::oxygenEquivalentF>),
        Number("O=Cl", Formula<&FormulaValues::oxygenEquivalentCl>),
        Number("H2O", WeightPercent<kH>),
        Number("Total]wt%", Formula<&FormulaValues::analyticalTotal>),
        Spacer(),
        Number("[Si", Apfu<kSi>),
        Number("Ti", Apfu<kTi>),
        Number("Al", Apfu<kAl>),
        Number("Cr", Apfu<kCr>),
        Number("V", Apfu<kV>),
        Number("Fe3+", Apfu<kFe3>),
        Number("Mn3+", Apfu<kMn3>),
        Number("Fe2+", Apfu<kFe2>),
        Number("Mg", Apfu<kMg>),
        Number("Mn", Apfu<kMn2>),
        Number("Ni", Apfu<kNi>),
        Number("Cu", Apfu<kCu>),
        Number("Pb", Apfu<kPb>),
        Number("Zn", Apfu<kZn>),
        Number("Ba", Apfu<kBa>),
        Number("Ca", Apfu<kCa>),
        Number("Sr", Apfu<kSr>),
        Number("Na", Apfu<kNa>),
        Number("K", Apfu<kK>),
        Number("P", Apfu<kP>),
        Number("Nb", Apfu<kNb>),
        Number("Sn", Apfu<kSn>),
        Number("La", Apfu<kLa>),
        Number("Ce", Apfu<kCe>),
        Number("Pr", Apfu<kPr>),
        Number("Nd", Apfu<kNd>),
        Number("Sm", Apfu<kSm>),
        Number("Eu", Apfu<kEu>),
        Number("Gd", Apfu<kGd>),
        Number("Tb", Apfu<kTb>),
        Number("Dy", Apfu<kDy>),
        Number("Ho", Apfu<kHo>),
        Number("Er", Apfu<kEr>),
        Number("Tm", Apfu<kTm>),
        Number("Yb", Apfu<kYb>),
        Number("Lu", Apfu<kLu>),
        Number("Y", Apfu<kY>),
        Number("Th", Apfu<kTh>),
        Number("U", Apfu<kU>),
        Number("F", Apfu<kF>),
        Number("Cl", Apfu<kCl>),
        Number("OH", Apfu<kH>),
        Number("Total]apfu", Formula<&FormulaValues::apfuTotal>),
        Spacer(),
        Number("[Si", T<&TSiteContents::si>),
        Number("Al(IV)", T<&TSiteContents::alIV>),
        Number("Total]T-site", T<&TSiteContents::total>),
        Number("[Ti", M<&MSiteContents::ti>),
        Number("Al(VI)", M<&MSiteContents::alVI>),
        Number("Cr", M<&MSiteContents::cr>),
        Number("V", M<&MSiteContents::v>),
        Number("Fe3+", M<&MSiteContents::fe3>),
        Number("Fe2+", M<&MSiteContents::fe2>),
        Number("Mg", M<&MSiteContents::mg>),
        Number("Mn3+", M<&MSiteContents::mn3>),
        Number("Mn2+", M<&MSiteContents::mn2>),
        Number("Ni", M<&MSiteContents::ni>),
        Number("Zn", M<&MSiteContents::zn>),
        Number("Cu", M<&MSiteContents::cu>),
        Number("Nb", M<&MSiteContents::nb>),
        Number("Sn", M<&MSiteContents::sn>),
        Number("Total]M-site", M<&MSiteContents::total>),
        Number("[Mn2+", A<&ASiteContents::mn2>),
        Number("Fe2+", A<&ASiteContents::fe2>),
        Number("Ca", A<&ASiteContents::ca>),
        Number("Sr", A<&ASiteContents::sr>),
        Number("Ba", A<&ASiteContents::ba>),
        Number("Pb", A<&ASiteContents::pb>),
        Number("Na", A<&ASiteContents::na>),
        Number("K", A<&ASiteContents::k>),
        Number("P", A<&ASiteContents::p>),
        Number("REE", A<&ASiteContents::ree>),
        Number("Th", A<&ASiteContents::th>),
        Number("U", A<&ASiteContents::u>),
        Number("Total]A-site", A<&ASiteContents::total>),
        Spacer(),
        Text("[A1]Dominant cation", Dominant<&DominantIons::A1>),
        Text("[A2]Dominant cation", Dominant<&DominantIons::A2>),
        Text("[M1]Dominant cation", Dominant<&DominantIons::M1>),
        Text("[M2]Dominant cation", Dominant<&DominantIons::M2>),
        Text("[M3]Dominant cation", ShownM3),
        Text("[O4]Dominant anion", Dominant<&DominantIons::O4>),
        Text("[Epidote subgroup]", Subgroup),
        Text("[Epidote name]", Species),
    };
}();

// The cell that shows number, found by the function that takes it from the state (the plot
// records copy some cells' texts and name them this way); kResultCellCount for none.
constexpr std::size_t ResultCellOf(NumberOfState number) {
    std::size_t c = 0;
    while (c < kResultColumns.size() && kResultColumns[c].number != number) {
        ++c;
    }
    return c;
}

}  // namespace stelvador
