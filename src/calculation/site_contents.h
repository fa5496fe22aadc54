#pragma once

namespace stelvador {

// Site contents in atoms per formula unit: the amount of one cation placed at one site. Field
// names follow the site labels: t.alIV is "T Al(IV)", m.fe3 is "M Fe3+", a1.ca is "A1 Ca",
// m3.mn3 is "M3 Mn3+". Charges: fe3 / fe2 are Fe3+ / Fe2+, mn3 / mn2 are Mn3+ / Mn2+.

// The tetrahedral site.
struct TSiteContents {
    double si = 0.0;
    double alIV = 0.0;  // "Al(IV)"
    double total = 0.0;
};

// The three octahedral sites taken together (3 apfu), in the order they are summed.
struct MSiteContents {
    double ti = 0.0;
    double alVI = 0.0;  // "Al(VI)"
    double cr = 0.0;
    double v = 0.0;
    double mg = 0.0;
    double cu = 0.0;
    double zn = 0.0;
    double ni = 0.0;
    double fe3 = 0.0;
    double mn3 = 0.0;
    double fe2 = 0.0;
    double mn2 = 0.0;
    double nb = 0.0;
    double sn = 0.0;
    double total = 0.0;
};

// The two large-cation sites taken together (no cap).
struct ASiteContents {
    double mn2 = 0.0;
    double fe2 = 0.0;
    double ca = 0.0;
    double sr = 0.0;
    double ba = 0.0;
    double pb = 0.0;
    double na = 0.0;
    double k = 0.0;
    double p = 0.0;
    double ree = 0.0;  // "A REE": the REE+Y sum
    double th = 0.0;
    double u = 0.0;
    double total = 0.0;
};

struct A1SiteContents {
    double mn2 = 0.0;
    double fe2 = 0.0;
    double na = 0.0;
    double ca = 0.0;
    double total = 0.0;
    // 1 - A1 total; negative when A1 is overfull.
    double vacancy = 0.0;
};

struct A2SiteContents {
    double ca = 0.0;
    double ree = 0.0;
    double th = 0.0;
    double u = 0.0;
    double sr = 0.0;
    double ba = 0.0;
    double pb = 0.0;
};

struct M3SiteContents {
    double mn2 = 0.0;
    double nb = 0.0;
    double sn = 0.0;
    double fe2 = 0.0;
    double zn = 0.0;
    double cu = 0.0;
    double ni = 0.0;
    double mg = 0.0;
    // Sum of the eight whole contents above, in this order.
    double uncappedPart = 0.0;
    double mn3 = 0.0;
    double fe3 = 0.0;
    double v = 0.0;
    double cr = 0.0;
    double ti = 0.0;
    double al = 0.0;
    double total = 0.0;
};

struct M2SiteContents {
    double al = 0.0;
};

struct M1SiteContents {
    double al = 0.0;
    double v = 0.0;
    double cr = 0.0;
    double mn3 = 0.0;
    double fe3 = 0.0;
    // Always 0: M3 takes every divalent M cation.
    double mg = 0.0;
    double fe2 = 0.0;
    double mn2 = 0.0;
};

// What M3 leaves of each trivalent M cation, for M2 and M1 ("Al rest", "Fe3+ rest", ...).
struct OctahedralRests {
    double al = 0.0;
    double cr = 0.0;
    double v = 0.0;
    double mn3 = 0.0;
    double fe3 = 0.0;
};

// Site contents of the T, M, M1, M2, M3, A, A1 and A2 sites of one analysis and their sums.
struct SiteContents {
    // La + Ce + ... + Lu + Y apfu, in that order; formed before the T site.
    double reeYSum = 0.0;

    TSiteContents t;
    // 1 - Al(VI) when Fe3+ is lowered for M2 (Al(VI) < 1 and Fe3+ > 0), else 0.
    double m2Deficit = 0.0;

    // Mn2O3-only analyses: the A-cation sum (REE+Y, Ca, Sr, Ba, Na, K, Th, Pb) and the A deficit
    // 2 - A-cation sum; 0 for other analyses.
    double aCationSum = 0.0;
    double aDeficit = 0.0;
    // The Mn3+ and Mn2+ amounts offered to M.
    double mn3Candidate = 0.0;
    double mn2Candidate = 0.0;

    MSiteContents m;
    ASiteContents a;
    // 3 - M total, formed when the Mn transfer's first step applies, else 0.
    double mVacancy = 0.0;

    A1SiteContents a1;
    A2SiteContents a2;
    M3SiteContents m3;
    OctahedralRests rests;
    M2SiteContents m2;
    M1SiteContents m1;

    // Site sums read by the subgroup assignment.
    double a2DivalentSum = 0.0;   // A2 Ca + Sr + Pb + Ba
    double m1TrivalentSum = 0.0;  // M1 V + Cr + Al + Fe3+ + Mn3+
    double m3TrivalentSum = 0.0;  // M3 Mn3+ + Fe3+ + V + Cr + Al
    double a2ReeThUSum = 0.0;     // A2 REE + Th + U
    double m3DivalentSum = 0.0;   // M3 Mn2+ + Fe2+ + Mg + Cu + Zn
    double m1DivalentSum = 0.0;   // M1 Mg + Fe2+ + Mn2+, always 0
};

}  // namespace stelvador
