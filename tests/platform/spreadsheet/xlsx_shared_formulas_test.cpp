// A formula filled over a range whose first cell a save rewrites goes to each other cell of the
// range as a formula of its own.
#include "platform/spreadsheet/xlsx_shared_formulas.h"

#include <gtest/gtest.h>

#include <string>

namespace stelvador {
namespace {

struct ShiftCase {
    const char* formula;
    int rows;
    int columns;
    const char* expected;
};

class FormulaShiftTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(FormulaShiftTest, MovesRelativeReferencesOnly) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(ShiftedFormula(c.formula, c.rows, c.columns), c.expected) << c.formula;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormulaShiftTest,
    ::testing::Values(ShiftCase{"A1*2", 2, 0, "A3*2"},
                      ShiftCase{"$A1+B$1+$C$1", 1, 1, "$A2+C$1+$C$1"},
                      ShiftCase{"SUM(B3:B7)/LOG10(C2)", 1, 0, "SUM(B4:B8)/LOG10(C3)"},
                      ShiftCase{"Sheet1!B3*2+'My Sheet'!A1", 1, 0, "Sheet1!B4*2+'My Sheet'!A2"},
                      ShiftCase{"\"A1\"&A1&TRUE&1E+3&1.5", 1, 0, "\"A1\"&A2&TRUE&1E+3&1.5"},
                      ShiftCase{"SUM(A:A)+SUM(3:4)+SUM($B:C)", 1, 1, "SUM(B:B)+SUM(4:5)+SUM($B:D)"},
                      ShiftCase{"Table1[[#This Row],[A1]]+A1", 1, 0, "Table1[[#This Row],[A1]]+A2"},
                      ShiftCase{"A2-A1", -1, 0, "A1-#REF!"},
                      ShiftCase{"XFD1+Rate", 0, 1, "#REF!+Rate"}));

TEST(SharedFormulas, TheCellsThatShareARewrittenFirstCellsFormulaHoldItThemselves) {
    const std::string xml =
        "<sheetData><row r=\"3\"><c r=\"B3\"><f t=\"shared\" ref=\"B3:C5\" si=\"0\">A3&amp;\"x\""
        "</f><v>1x</v></c><c r=\"C3\"><f t=\"shared\" si=\"0\"/><v>1x</v></c></row><row r=\"4\">"
        "<c r=\"B4\"><f t=\"shared\" si=\"0\"/><v>2x</v></c><c r=\"D4\"><f t=\"shared\" "
        "ref=\"D4:D5\" si=\"1\">A4</f><v>2</v></c></row><row r=\"5\"><c r=\"B5\"><f "
        "t=\"shared\" si=\"0\"></f><v>3x</v></c><c r=\"D5\"><f t=\"shared\" si=\"1\"/><v>3</v>"
        "</c></row></sheetData>";
    EXPECT_EQ(WithOrphanedSharedFormulasResolved(xml, {{3, 2}, {4, 2}}),
              "<sheetData><row r=\"3\"><c r=\"B3\"><f t=\"shared\" ref=\"B3:C5\" si=\"0\">A3&amp;"
              "\"x\"</f><v>1x</v></c><c r=\"C3\"><f>B3&amp;&quot;x&quot;</f><v>1x</v></c></row>"
              "<row r=\"4\"><c r=\"B4\"><f t=\"shared\" si=\"0\"/><v>2x</v></c><c r=\"D4\"><f "
              "t=\"shared\" ref=\"D4:D5\" si=\"1\">A4</f><v>2</v></c></row><row r=\"5\"><c "
              "r=\"B5\"><f>A5&amp;&quot;x&quot;</f><v>3x</v></c><c r=\"D5\"><f t=\"shared\" "
              "si=\"1\"/><v>3</v></c></row></sheetData>");
    // A first cell left as it is keeps its range sharing it.
    EXPECT_EQ(WithOrphanedSharedFormulasResolved(xml, {{4, 2}, {5, 4}}), xml);
}

}  // namespace
}  // namespace stelvador
