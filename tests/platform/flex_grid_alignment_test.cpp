#include "platform/flex_grid_alignment.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

struct NumericCase {
    const char* text;
    bool numeric;
};

class LooksNumericTest : public ::testing::TestWithParam<NumericCase> {};

TEST_P(LooksNumericTest, ReadsWholeText) {
    EXPECT_EQ(LooksNumeric(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LooksNumericTest,
    ::testing::Values(NumericCase{"0", true}, NumericCase{"12.5", true}, NumericCase{"-0.5", true},
                      NumericCase{"+3", true}, NumericCase{".5", true}, NumericCase{"5.", true},
                      NumericCase{"1,234.500", true}, NumericCase{"  7.000 ", true},
                      NumericCase{"1e5", true}, NumericCase{"2.5E-3", true}, NumericCase{"", false},
                      NumericCase{" ", false}, NumericCase{"-", false}, NumericCase{".", false},
                      NumericCase{",5", false}, NumericCase{"1e", false}, NumericCase{"12a", false},
                      NumericCase{"SiO2", false}, NumericCase{"1.2.3", false},
                      NumericCase{"Sample", false}));

struct AlignmentCase {
    int gridAlignment;
    const char* text;
    Qt::Alignment expected;
};

class ToQtAlignmentTest : public ::testing::TestWithParam<AlignmentCase> {};

TEST_P(ToQtAlignmentTest, MapsGridSetting) {
    EXPECT_EQ(ToQtAlignment(GetParam().gridAlignment, GetParam().text), GetParam().expected)
        << GetParam().gridAlignment << " " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ToQtAlignmentTest,
    ::testing::Values(AlignmentCase{4, "Row No", Qt::AlignCenter},
                      AlignmentCase{4, "12.5", Qt::AlignCenter},
                      AlignmentCase{6, "Mn2O3", Qt::AlignRight | Qt::AlignTop},
                      AlignmentCase{1, "x", Qt::AlignLeft | Qt::AlignVCenter},
                      AlignmentCase{2, "x", Qt::AlignLeft | Qt::AlignBottom},
                      AlignmentCase{3, "x", Qt::AlignHCenter | Qt::AlignTop},
                      AlignmentCase{5, "x", Qt::AlignHCenter | Qt::AlignBottom},
                      AlignmentCase{7, "x", Qt::AlignRight | Qt::AlignVCenter},
                      AlignmentCase{8, "x", Qt::AlignRight | Qt::AlignBottom},
                      // General: numbers right, other text left.
                      AlignmentCase{0, "1,234.567", Qt::AlignRight | Qt::AlignVCenter},
                      AlignmentCase{0, "Epidote", Qt::AlignLeft | Qt::AlignVCenter},
                      AlignmentCase{0, "", Qt::AlignLeft | Qt::AlignVCenter},
                      AlignmentCase{9, "3", Qt::AlignRight | Qt::AlignVCenter}));

}  // namespace
}  // namespace stelvador
