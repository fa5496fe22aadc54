#pragma once

#include <cstdint>
#include <string_view>

namespace stelvador {

// The four REE whose order some species rules test, as bits so a rule can name its rivals.
enum ReeBit : std::uint8_t {
    kReeNone = 0,
    kReeCe = 1,
    kReeLa = 2,
    kReeY = 4,
    kReeNd = 8,
};

// The leader's content must be strictly greater than each rival's. No leader: no REE test.
struct ReeOrderTest {
    std::uint8_t leader = kReeNone;
    std::uint8_t rivals = kReeNone;
};

// What a rule asks of the A2 string.
enum class A2Test : std::uint8_t {
    None,
    ReeOrReeTh,  // "(REE)3+" or "REE+Th"
    ReeOnly,     // "(REE)3+" only
};

enum class FluorineTest : std::uint8_t {
    Below,  // F < 0.5
    Above,  // F > 0.5
};

// One row of the species rule table. A dominant-ion test whose text is empty is not made; every
// test that is made must hold.
struct SpeciesRule {
    std::string_view name;
    std::string_view a1;
    std::string_view a2Divalent;
    A2Test a2 = A2Test::None;
    std::string_view m1;
    std::string_view m2;
    std::string_view m3Divalent;
    std::string_view m3Trivalent;
    std::string_view m3;
    ReeOrderTest ree;
    FluorineTest fluorine = FluorineTest::Below;
};

}  // namespace stelvador
