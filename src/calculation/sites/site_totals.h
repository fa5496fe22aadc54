#pragma once

#include "calculation/formula/finite_or_nan.h"
#include "calculation/site_contents.h"

namespace stelvador {

// M total: the 14 M contents in the order M is filled, Ti and Al(VI) first.
inline double SumMSite(const MSiteContents& m) {
    return FiniteOrNaN(m.ti + m.alVI + m.cr + m.v + m.mg + m.cu + m.zn + m.ni + m.fe3 + m.mn3 +
                       m.fe2 + m.mn2 + m.nb + m.sn);
}

// A total: the 12 A contents in their fixed order of addition.
inline double SumASite(const ASiteContents& a) {
    return FiniteOrNaN(a.mn2 + a.fe2 + a.sr + a.th + a.u + a.k + a.na + a.p + a.pb + a.ba + a.ca +
                       a.ree);
}

}  // namespace stelvador
