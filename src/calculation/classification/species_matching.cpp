#include "calculation/classification/species_matching.h"

#include "calculation/classification/ion_code.h"
#include "calculation/classification/species_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace stelvador {

namespace {

// The rules are matched in a packed form: the analysis's seven tested dominant-ion strings as ion
// codes, one byte each, and a byte of flags for the A2 and F tests. A rule is a mask of the bytes
// and flags it tests and the value they must have, so its string, A2 and F tests together are one
// comparison; the REE order is tested only where those hold.
enum Slot : unsigned {
    kSlotA1,
    kSlotA2Divalent,
    kSlotM1,
    kSlotM2,
    kSlotM3Divalent,
    kSlotM3Trivalent,
    kSlotM3,
    kSlotFlags,
};

enum Flag : std::uint8_t {
    kFlagA2IsReeOrReeTh = 1,  // A2 "(REE)3+" or "REE+Th"
    kFlagA2IsRee = 2,         // A2 "(REE)3+"
    kFlagFluorineBelow = 4,   // F < 0.5
    kFlagFluorineAbove = 8,   // F > 0.5
};

constexpr std::uint64_t InSlot(std::uint64_t byte, Slot slot) {
    return byte << (8 * slot);
}

struct EncodedRule {
    std::uint64_t mask = 0;
    std::uint64_t value = 0;
    ReeOrderTest ree;
};

constexpr void AddTextTest(EncodedRule& encoded, std::string_view text, Slot slot) {
    // An empty text is a string the rule does not test.
    if (!text.empty()) {
        encoded.mask |= InSlot(0xFF, slot);
        encoded.value |= InSlot(static_cast<std::uint8_t>(IonCodeOf(text)), slot);
    }
}

constexpr EncodedRule Encode(const SpeciesRule& rule) {
    EncodedRule encoded;
    AddTextTest(encoded, rule.a1, kSlotA1);
    AddTextTest(encoded, rule.a2Divalent, kSlotA2Divalent);
    AddTextTest(encoded, rule.m1, kSlotM1);
    AddTextTest(encoded, rule.m2, kSlotM2);
    AddTextTest(encoded, rule.m3Divalent, kSlotM3Divalent);
    AddTextTest(encoded, rule.m3Trivalent, kSlotM3Trivalent);
    AddTextTest(encoded, rule.m3, kSlotM3);
    std::uint8_t flags =
        rule.fluorine == FluorineTest::Below ? kFlagFluorineBelow : kFlagFluorineAbove;
    if (rule.a2 == A2Test::ReeOrReeTh) {
        flags |= kFlagA2IsReeOrReeTh;
    } else if (rule.a2 == A2Test::ReeOnly) {
        flags |= kFlagA2IsRee;
    }
    encoded.mask |= InSlot(flags, kSlotFlags);
    encoded.value |= InSlot(flags, kSlotFlags);
    encoded.ree = rule.ree;
    return encoded;
}

constexpr std::array<EncodedRule, kSpeciesRuleCount> EncodeTable() {
    std::array<EncodedRule, kSpeciesRuleCount> table{};
    for (std::size_t i = 0; i < kSpeciesRuleCount; ++i) {
        table[i] = Encode(kSpeciesRules[i]);
    }
    return table;
}

constexpr std::array<EncodedRule, kSpeciesRuleCount> kEncodedRules = EncodeTable();

// Every text the table tests must be one of the ion texts; a misspelt one would never match.
constexpr bool TestsOnlyIonTexts() {
    for (const SpeciesRule& rule : kSpeciesRules) {
        for (const std::string_view text : {rule.a1, rule.a2Divalent, rule.m1, rule.m2,
                                            rule.m3Divalent, rule.m3Trivalent, rule.m3}) {
            if (!text.empty() && IonCodeOf(text) == IonCode::kOther) {
                return false;
            }
        }
    }
    return true;
}
static_assert(TestsOnlyIonTexts());

std::uint64_t CodeInSlot(std::string_view text, Slot slot) {
    return InSlot(static_cast<std::uint8_t>(IonCodeOf(text)), slot);
}

// The analysis in the packed form. A NaN F sets neither F flag, so it fits no rule.
std::uint64_t AnalysisKey(const DominantIons& ions, double fluorine) {
    const IonCode a2 = IonCodeOf(ions.A2);
    std::uint8_t flags = 0;
    if (a2 == IonCode::kRee || a2 == IonCode::kReeTh) {
        flags |= kFlagA2IsReeOrReeTh;
    }
    if (a2 == IonCode::kRee) {
        flags |= kFlagA2IsRee;
    }
    if (fluorine < 0.5) {
        flags |= kFlagFluorineBelow;
    }
    if (fluorine > 0.5) {
        flags |= kFlagFluorineAbove;
    }
    return CodeInSlot(ions.A1, kSlotA1) | CodeInSlot(ions.A2Divalent, kSlotA2Divalent) |
           CodeInSlot(ions.M1, kSlotM1) | CodeInSlot(ions.M2, kSlotM2) |
           CodeInSlot(ions.M3Divalent, kSlotM3Divalent) |
           CodeInSlot(ions.M3Trivalent, kSlotM3Trivalent) | CodeInSlot(ions.M3, kSlotM3) |
           InSlot(flags, kSlotFlags);
}

double ReeContent(const ReeContents& ree, std::uint8_t bit) {
    switch (bit) {
        case kReeCe:
            return ree.ce;
        case kReeLa:
            return ree.la;
        case kReeY:
            return ree.y;
        default:
            return ree.nd;
    }
}

bool ReeOrderHolds(const ReeOrderTest& test, const ReeContents& ree) {
    if (test.leader == kReeNone) {
        return true;
    }
    const double leader = ReeContent(ree, test.leader);
    for (const std::uint8_t rival : {kReeCe, kReeLa, kReeY, kReeNd}) {
        if ((test.rivals & rival) != 0 && !(leader > ReeContent(ree, rival))) {
            return false;
        }
    }
    return true;
}

bool Holds(const EncodedRule& rule, std::uint64_t key, const ReeContents& ree) {
    return (key & rule.mask) == rule.value && ReeOrderHolds(rule.ree, ree);
}

}  // namespace

bool SpeciesRuleHolds(const SpeciesRule& rule, const DominantIons& ions, const ReeContents& ree,
                      double fluorine) {
    return Holds(Encode(rule), AnalysisKey(ions, fluorine), ree);
}

std::string_view MatchSpecies(const DominantIons& ions, const ReeContents& ree, double fluorine) {
    const std::uint64_t key = AnalysisKey(ions, fluorine);
    // The latest rule that holds wins, so the table is searched from its end.
    for (std::size_t i = kSpeciesRuleCount; i-- > 0;) {
        if (Holds(kEncodedRules[i], key, ree)) {
            return kSpeciesRules[i].name;
        }
    }
    return {};
}

}  // namespace stelvador
