#pragma once

#include "calculation/classification/species_rule.h"
#include "calculation/dominant_ions.h"

#include <string_view>

namespace stelvador {

// The formula's Ce, La, Y and Nd apfu, the only REE whose order the species rules test.
struct ReeContents {
    double ce = 0.0;
    double la = 0.0;
    double y = 0.0;
    double nd = 0.0;
};

// Whether every test of the rule holds for these dominant-ion strings, REE contents and apfu F.
bool SpeciesRuleHolds(const SpeciesRule& rule, const DominantIons& ions, const ReeContents& ree,
                      double fluorine);

// The name of the latest rule of the species rule table that holds, or the empty text.
std::string_view MatchSpecies(const DominantIons& ions, const ReeContents& ree, double fluorine);

}  // namespace stelvador
