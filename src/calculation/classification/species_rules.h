#pragma once

#include "calculation/classification/ion_texts.h"
#include "calculation/classification/species_rule.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace stelvador {

namespace species_rows {

// Short names for the table, declared here so they hide the constituent names of the formula.
inline constexpr std::string_view kCa = ion::kCa;
inline constexpr std::string_view kSr = ion::kSr;
inline constexpr std::string_view kPb = ion::kPb;
inline constexpr std::string_view kMn2 = ion::kMn2;
inline constexpr std::string_view kMn3 = ion::kMn3;
inline constexpr std::string_view kFe2 = ion::kFe2;
inline constexpr std::string_view kFe3 = ion::kFe3;
inline constexpr std::string_view kMg = ion::kMg;
inline constexpr std::string_view kV = ion::kV;
inline constexpr std::string_view kCr = ion::kCr;
inline constexpr std::string_view kAl = ion::kAl;

inline constexpr ReeOrderTest kNoReeTest{};

constexpr ReeOrderTest Over(std::uint8_t leader, std::uint8_t rivals) {
    ReeOrderTest test;
    test.leader = leader;
    test.rivals = rivals;
    return test;
}

// The four blocks of the table; each builder holds the tests its block shares.
constexpr SpeciesRule CalciumRule(std::string_view name, std::string_view a2Divalent,
                                  std::string_view m1, std::string_view m3Trivalent) {
    SpeciesRule rule;
    rule.name = name;
    rule.a1 = kCa;
    rule.a2Divalent = a2Divalent;
    rule.m1 = m1;
    rule.m3Trivalent = m3Trivalent;
    rule.fluorine = FluorineTest::Below;
    return rule;
}

constexpr SpeciesRule ReeRule(std::string_view name, std::string_view a1, std::string_view m1,
                              std::string_view m3Divalent, ReeOrderTest ree) {
    SpeciesRule rule;
    rule.name = name;
    rule.a1 = a1;
    rule.a2 = A2Test::ReeOrReeTh;
    rule.m1 = m1;
    rule.m3Divalent = m3Divalent;
    rule.ree = ree;
    rule.fluorine = FluorineTest::Below;
    return rule;
}

constexpr SpeciesRule AskageniteRule(std::string_view name, std::string_view m3, ReeOrderTest ree) {
    SpeciesRule rule;
    rule.name = name;
    rule.a1 = kMn2;
    rule.a2 = A2Test::ReeOrReeTh;
    rule.m1 = kAl;
    rule.m3 = m3;
    rule.ree = ree;
    rule.fluorine = FluorineTest::Below;
    return rule;
}

constexpr SpeciesRule DollaseiteRule(std::string_view name, std::string_view m1,
                                     std::string_view m3, ReeOrderTest ree) {
    SpeciesRule rule;
    rule.name = name;
    rule.a1 = kCa;
    rule.a2 = A2Test::ReeOnly;
    rule.m1 = m1;
    rule.m2 = kAl;
    rule.m3 = m3;
    rule.ree = ree;
    rule.fluorine = FluorineTest::Above;
    return rule;
}

inline constexpr std::size_t kRuleCount = 55;

// clang-format off
inline constexpr std::array<SpeciesRule, kRuleCount> kTable = {{
    // Rules 1 to 22: A1 "Ca" and F < 0.5.
    //          species name             A2   M1    M3 trivalent
    CalciumRule("Clinozoisite",           kCa, kAl,  kAl),
    CalciumRule("Clinozoisite-(Sr)",      kSr, kAl,  kAl),
    CalciumRule("Clinozoisite-(Pb)",      kPb, kAl,  kAl),
    CalciumRule("Epidote",                kCa, kAl,  kFe3),
    CalciumRule("Epidote-(Pb)",           kPb, kAl,  kFe3),
    CalciumRule("Epidote-(Sr)",           kSr, kAl,  kFe3),
    CalciumRule("Ferriepidote",           kCa, kFe3, kFe3),
    CalciumRule("Ferriepidote-(Sr)",      kSr, kFe3, kFe3),
    CalciumRule("Ferriepidote-(Pb)",      kPb, kFe3, kFe3),
    CalciumRule("Vanadoepidote",          kCa, kV,   kFe3),
    CalciumRule("Vanadoepidote-(Sr)",     kSr, kV,   kFe3),
    CalciumRule("Vanadoepidote-(Pb)",     kPb, kV,   kFe3),
    CalciumRule("Mukhinite",              kCa, kAl,  kV),
    CalciumRule("Mukhinite-(Sr)",         kSr, kAl,  kV),
    CalciumRule("Mukhinite-(Pb)",         kPb, kAl,  kV),
    CalciumRule("Cr3+-rich clinozoisite", kCa, kAl,  kCr),
    CalciumRule("Chromotawmawite",        kCa, kCr,  kCr),
    CalciumRule("Piemontite",             kCa, kAl,  kMn3),
    CalciumRule("Piemontite-(Sr)",        kSr, kAl,  kMn3),
    CalciumRule("Piemontite-(Pb)",        kPb, kAl,  kMn3),
    CalciumRule("Manganipiemontite",      kCa, kMn3, kMn3),
    CalciumRule("Manganipiemontite-(Sr)", kSr, kMn3, kMn3),
    // Rules 23 to 48: A2 "(REE)3+" or "REE+Th" and F < 0.5.
    //      species name                A1    M1    M3 div. REE order
    ReeRule("Allanite-(Ce)",            kCa,  kAl,  kFe2, Over(kReeCe, kReeLa | kReeY | kReeNd)),
    ReeRule("Allanite-(La)",            kCa,  kAl,  kFe2, Over(kReeLa, kReeCe | kReeY | kReeNd)),
    ReeRule("Allanite-(Y)",             kCa,  kAl,  kFe2, Over(kReeY, kReeCe | kReeLa | kReeNd)),
    ReeRule("Allanite-(Nd)",            kCa,  kAl,  kFe2, Over(kReeNd, kReeCe | kReeLa | kReeY)),
    ReeRule("Ferriallanite-(Ce)",       kCa,  kFe3, kFe2, Over(kReeCe, kReeLa | kReeY)),
    ReeRule("Ferriallanite-(La)",       kCa,  kFe3, kFe2, Over(kReeLa, kReeCe | kReeY)),
    ReeRule("Vanadoallanite-(REE)",     kCa,  kV,   kFe2, kNoReeTest),
    ReeRule("Chromoallanite-(REE)",     kCa,  kCr,  kFe2, kNoReeTest),
    ReeRule("Dissakisite-(Ce)",         kCa,  kAl,  kMg,  Over(kReeCe, kReeLa)),
    ReeRule("Dissakisite-(La)",         kCa,  kAl,  kMg,  Over(kReeLa, kReeCe)),
    ReeRule("Ferridissakisite-(REE)",   kCa,  kFe3, kMg,  kNoReeTest),
    ReeRule("Vanadodissakisite-(REE)",  kCa,  kV,   kMg,  kNoReeTest),
    ReeRule("Manganidissakisite-(REE)", kCa,  kMn3, kMg,  kNoReeTest),
    ReeRule("Chromodissakisite-(REE)",  kCa,  kCr,  kMg,  kNoReeTest),
    ReeRule("Androsite-(REE)",          kMn2, kAl,  kMn2, kNoReeTest),
    ReeRule("Manganiandrosite-(La)",    kMn2, kMn3, kMn2, Over(kReeLa, kReeCe)),
    ReeRule("Manganiandrosite-(Ce)",    kMn2, kMn3, kMn2, Over(kReeCe, kReeLa)),
    ReeRule("Ferriandrosite-(REE)",     kMn2, kFe3, kMn2, kNoReeTest),
    ReeRule("Vanadoandrosite-(Ce)",     kMn2, kV,   kMn2, Over(kReeCe, kReeLa | kReeY)),
    ReeRule("Chromoandrosite-(REE)",    kMn2, kCr,  kMn2, kNoReeTest),
    ReeRule("Ferriakasakaite-(La)",     kCa,  kFe3, kMn2, Over(kReeLa, kReeCe | kReeNd)),
    ReeRule("Ferriakasakaite-(Ce)",     kCa,  kFe3, kMn2, Over(kReeCe, kReeLa | kReeNd)),
    ReeRule("Ferriakasakaite-(Nd)",     kCa,  kFe3, kMn2, Over(kReeNd, kReeCe | kReeLa)),
    ReeRule("Uedaite-(Ce)",             kMn2, kAl,  kFe2, Over(kReeCe, kReeLa | kReeNd)),
    ReeRule("Uedaite-(La)",             kMn2, kAl,  kFe2, Over(kReeLa, kReeCe | kReeNd)),
    ReeRule("Uedaite-(Nd)",             kMn2, kAl,  kFe2, Over(kReeNd, kReeCe | kReeLa)),
    // Rules 49 to 51: A1 "Mn2+", A2 "(REE)3+" or "REE+Th", M1 "Al" and F < 0.5; they test the
    // M3 string, not the M3 divalent string.
    //             species name       M3    REE order
    AskageniteRule("Askagenite-(Ce)", kFe3, Over(kReeCe, kReeLa | kReeNd)),
    AskageniteRule("Askagenite-(La)", kFe3, Over(kReeLa, kReeCe | kReeNd)),
    AskageniteRule("Askagenite-(Nd)", kFe3, Over(kReeNd, kReeCe | kReeLa)),
    // Rules 52 to 55: A1 "Ca", A2 exactly "(REE)3+", M2 "Al" and F > 0.5.
    //             species name                M1    M3    REE order
    DollaseiteRule("Dollaseite-(Ce)",          kMg,  kMg,  Over(kReeCe, kReeLa | kReeY)),
    DollaseiteRule("Khristovite-(Ce)",         kMg,  kMn2, Over(kReeCe, kReeLa | kReeY)),
    DollaseiteRule("Ferrokhristovite-(REE)",   kFe2, kMn2, kNoReeTest),
    DollaseiteRule("Manganokhristovite-(REE)", kMn2, kMn2, kNoReeTest),
}};
// clang-format on

}  // namespace species_rows

inline constexpr std::size_t kSpeciesRuleCount = species_rows::kRuleCount;

// The species rules in their fixed order. Every rule that holds names the species, so where
// several hold the one latest in the table wins.
inline constexpr const std::array<SpeciesRule, kSpeciesRuleCount>& kSpeciesRules =
    species_rows::kTable;

}  // namespace stelvador
