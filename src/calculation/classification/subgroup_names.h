#pragma once

#include <string_view>

namespace stelvador::subgroup {

inline constexpr std::string_view kClinozoisite = "Clinozoisite subgroup";
inline constexpr std::string_view kAllanite = "Allanite subgroup";
inline constexpr std::string_view kDollaseite = "Dollaseite subgroup";
inline constexpr std::string_view kAskagenite = "Askagenite subgroup";

}  // namespace stelvador::subgroup
