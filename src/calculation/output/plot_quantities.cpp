#include "calculation/output/compute_plot_quantities.h"

#include <cmath>

#include "calculation/analysis_state.h"

namespace stelvador {

namespace {

// A quantity beyond the range of a double, or from a zero denominator, cannot be formed.
double Formed(double value) {
    return std::isfinite(value) ? value : PlotQuantities::kNone;
}

// A ratio whose denominator is zero or could not be formed cannot be formed either.
double Ratio(double numerator, double denominator) {
    if (denominator == 0 || !std::isfinite(denominator)) {
        return PlotQuantities::kNone;
    }
    return Formed(numerator / denominator);
}

// numerator / (numerator + other) when numerator is above 0, else 0; not formed from a NaN.
double ShareWhenPresent(double numerator, double other) {
    if (std::isnan(numerator)) {
        return PlotQuantities::kNone;
    }
    return numerator > 0.0 ? Ratio(numerator, numerator + other) : 0.0;
}

}  // namespace

void ComputePlotQuantities(AnalysisState& state) {
    const ConstituentValues& apfu = state.formula.apfu;
    const SiteContents& s = state.sites;
    PlotQuantities& p = state.plot;

    const double al = apfu[kAl];
    const double cr = apfu[kCr];
    const double v = apfu[kV];
    const double fe3 = apfu[kFe3];
    const double mn3 = apfu[kMn3];
    const double fe2 = apfu[kFe2];
    const double mg = apfu[kMg];
    const double mn2 = apfu[kMn2];
    const double alThird = al / 3;

    // The factor 2 stands in the first cation's numerator only.
    const double dCr = fe3 + alThird + cr;
    p.crAlFeFe3 = Ratio(fe3, dCr);
    p.crAlFeCr = Ratio(2 * cr, dCr);
    p.crAlFeAl = Ratio(alThird, dCr);

    const double dV = fe3 + alThird + v;
    p.vAlFeV = Ratio(2 * v, dV);
    p.vAlFeAl = Ratio(alThird, dV);
    p.vAlFeFe3 = Ratio(fe3, dV);

    const double dMn = fe3 + alThird + mn3;
    p.mnAlFeMn3 = Ratio(2 * mn3, dMn);
    p.mnAlFeAl = Ratio(alThird, dMn);
    p.mnAlFeFe3 = Ratio(fe3, dMn);

    const double divalent = fe2 + mg + mn2;
    p.feMgMnFe2 = Ratio(fe2, divalent);
    p.feMgMnMg = Ratio(mg, divalent);
    p.feMgMnMn2 = Ratio(mn2, divalent);

    p.reeThU = Formed(s.reeYSum + apfu[kTh] + apfu[kU]);
    const double reeThSr = Formed(s.reeYSum + apfu[kTh] + apfu[kSr]);

    p.alFe3MinusOne = Formed(al + fe3 - 1);

    p.fe2OverFe2Mg = ShareWhenPresent(fe2, mg);
    p.fe3OverFe3AlVI = ShareWhenPresent(fe3, s.m.alVI);

    p.reeThSr = reeThSr > 1 ? 1.0 : reeThSr;

    p.alTotal = Formed(al);

    const M3SiteContents& m3 = s.m3;
    p.m3TrivalentSum = Formed(m3.mn3 + m3.fe3 + m3.v + m3.cr + m3.al);
    p.m3DivalentSumWithNi = Formed(m3.mn2 + m3.fe2 + m3.zn + m3.cu + m3.ni + m3.mg);
    const double vacancy = s.a1.vacancy;
    p.caM3A1Vacancy = Formed(s.a2.ca + p.m3TrivalentSum - 2 * vacancy);
    p.reeM3A1Vacancy = Formed(s.reeYSum + p.m3DivalentSumWithNi - 2 * vacancy);
    p.fourA1Vacancy = Formed(4 * vacancy);

    p.divalentSum = Formed(fe2 + mn2 + mg);
    p.trivalentSum = Formed(fe3 + mn3 + v + cr);
}

}  // namespace stelvador
