#pragma once

#include <string_view>

namespace stelvador::ion {

// The texts of the dominant-ion strings. Only Mn, Fe and the REE carry a charge suffix; every
// later test compares these texts by exact, case-sensitive equality.
inline constexpr std::string_view kCa = "Ca";
inline constexpr std::string_view kSr = "Sr";
inline constexpr std::string_view kBa = "Ba";
inline constexpr std::string_view kPb = "Pb";
inline constexpr std::string_view kMn2 = "Mn2+";
inline constexpr std::string_view kMn3 = "Mn3+";
inline constexpr std::string_view kFe2 = "Fe2+";
inline constexpr std::string_view kFe3 = "Fe3+";
inline constexpr std::string_view kMg = "Mg";
inline constexpr std::string_view kZn = "Zn";
inline constexpr std::string_view kCu = "Cu";
inline constexpr std::string_view kV = "V";
inline constexpr std::string_view kCr = "Cr";
inline constexpr std::string_view kAl = "Al";
// A2 when the REE win there: with thorium present at A2, and without it.
inline constexpr std::string_view kReeTh = "REE+Th";
inline constexpr std::string_view kRee = "(REE)3+";
// O4 anions.
inline constexpr std::string_view kOxygen = "O";
inline constexpr std::string_view kFluorine = "F";

}  // namespace stelvador::ion
