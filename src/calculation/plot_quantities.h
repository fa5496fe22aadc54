#pragma once

#include <limits>

namespace stelvador {

// The ratios and sums the plot data files need beyond the site contents. A quantity that cannot
// be formed (a zero denominator, a result beyond the range of a double, a NaN input) is NaN and
// is written as an empty plot item.
struct PlotQuantities {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    // CrAlFe.dat: 2 Cr / DCr, (Al / 3) / DCr, Fe3+ / DCr with DCr = Fe3+ + Al/3 + Cr.
    double crAlFeCr = kNone;
    double crAlFeAl = kNone;
    double crAlFeFe3 = kNone;
    // VAlFe.dat: the same with V in place of Cr.
    double vAlFeV = kNone;
    double vAlFeAl = kNone;
    double vAlFeFe3 = kNone;
    // MnAlFe.dat: the same with Mn3+ in place of Cr.
    double mnAlFeMn3 = kNone;
    double mnAlFeAl = kNone;
    double mnAlFeFe3 = kNone;
    // FeMgMn.dat: Fe2+, Mg, Mn2+ over S = Fe2+ + Mg + Mn2+.
    double feMgMnFe2 = kNone;
    double feMgMnMg = kNone;
    double feMgMnMn2 = kNone;
    // AltotREETh.dat: REE+Y sum + Th + U.
    double reeThU = kNone;
    // AltotREEThSr.dat: REE+Y sum + Th + Sr, no more than 1.
    double reeThSr = kNone;
    // AlFe3Fe2Mg.dat: Al + Fe3+ - 1.
    double alFe3MinusOne = kNone;
    // Fe2MgFe3AlVI.dat: Fe2+ / (Fe2+ + Mg) and Fe3+ / (Fe3+ + M Al(VI)), each 0 when its
    // numerator is not above 0.
    double fe2OverFe2Mg = kNone;
    double fe3OverFe3AlVI = kNone;
    // apfu Al as a number (AltotREETh.dat, AltotREEThSr.dat).
    double alTotal = kNone;
    // CaREEVacA1.dat: M3 Mn3+ + Fe3+ + V + Cr + Al, and M3 Mn2+ + Fe2+ + Zn + Cu + Ni + Mg.
    double m3TrivalentSum = kNone;
    double m3DivalentSumWithNi = kNone;
    // A2 Ca + M3 trivalent sum - 2 A1 vacancy; REE+Y sum + M3 divalent sum with Ni - 2 A1
    // vacancy; 4 A1 vacancy.
    double caM3A1Vacancy = kNone;
    double reeM3A1Vacancy = kNone;
    double fourA1Vacancy = kNone;
    // M2M3AlVI.dat: Fe2+ + Mn2+ + Mg, and Fe3+ + Mn3+ + V + Cr.
    double divalentSum = kNone;
    double trivalentSum = kNone;
};

}  // namespace stelvador
