#pragma once

#include <string>

namespace stelvador {

// The nine dominant-ion strings of one analysis; each stays empty where no rule names one.
struct DominantIons {
    std::string A1;
    std::string A2;
    std::string M1;
    std::string M2;
    std::string M3;
    std::string O4;
    std::string A2Divalent;
    std::string M3Divalent;
    std::string M3Trivalent;
};

}  // namespace stelvador
