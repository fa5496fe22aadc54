#include "common/number_conversion.h"

#include <gtest/gtest.h>

#include "common/run_time_error.h"

namespace stelvador {
namespace {

struct ConversionCase {
    const char* text;
    double expected;
};

class CellTextConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(CellTextConversion, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(ConvertCellText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextConversion,
    ::testing::Values(ConversionCase{"37.50", 37.5}, ConversionCase{"", 0.0},
                      ConversionCase{"12,5", 12.0}, ConversionCase{" 1.5E1", 15.0},
                      ConversionCase{"abc", 0.0}, ConversionCase{"nan", 0.0},
                      ConversionCase{"inf", 0.0}, ConversionCase{"0x10", 0.0},
                      ConversionCase{"-0.25", -0.25}, ConversionCase{"+.5", 0.5},
                      ConversionCase{".", 0.0}, ConversionCase{"-", 0.0},
                      ConversionCase{"1.2.3", 1.2}, ConversionCase{"2e", 2.0},
                      ConversionCase{"2e+", 2.0}, ConversionCase{"2E-1x", 0.2},
                      ConversionCase{"   ", 0.0}, ConversionCase{"7 8", 7.0},
                      ConversionCase{"1e-400", 0.0}, ConversionCase{"1e308", 1e308},
                      ConversionCase{"0.0", 0.0}, ConversionCase{"12abc", 12.0}));

TEST(CellTextConversion, BeyondTheRangeOfADoubleIsAnOverflow) {
    for (const char* text : {"1e309", "-1e400", "1" "000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000000000000"
                                                "0000000000000000000000000000000000000000"}) {
        try {
            ConvertCellText(text);
            ADD_FAILURE() << text;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
}

}  // namespace
}  // namespace stelvador
