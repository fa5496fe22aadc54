#pragma once

#include <string_view>

namespace stelvador {

// The nine dominant-ion strings of one analysis; each stays empty where no rule names one. Each
// names one of the program's constant ion texts, so a view holds it without a copy.
struct DominantIons {
    std::string_view A1;
    std::string_view A2;
    std::string_view M1;
    std::string_view M2;
    std::string_view M3;
    std::string_view O4;
    std::string_view A2Divalent;
    std::string_view M3Divalent;
    std::string_view M3Trivalent;
};

}  // namespace stelvador
