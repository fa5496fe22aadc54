// A rewritten package asks for its formulas to be recalculated on load and loses its
// calculation chain.
#include "platform/spreadsheet/xlsx_recalculation.h"

#include <gtest/gtest.h>

#include <string>

namespace stelvador {
namespace {

struct WorkbookCase {
    const char* what;
    const char* workbook;
    const char* expected;
};

class FullCalculationTest : public ::testing::TestWithParam<WorkbookCase> {};

TEST_P(FullCalculationTest, AsksForAFullCalculationOnLoad) {
    EXPECT_EQ(WithFullCalculationOnLoad(GetParam().workbook), GetParam().expected)
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FullCalculationTest,
    ::testing::Values(
        WorkbookCase{"calcPr present", "<workbook><sheets/><calcPr calcId=\"191029\"/></workbook>",
                     "<workbook><sheets/><calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>"
                     "</workbook>"},
        WorkbookCase{"calcPr already asking, set to ask",
                     "<workbook><calcPr fullCalcOnLoad=\"0\"></calcPr></workbook>",
                     "<workbook><calcPr fullCalcOnLoad=\"1\"></calcPr></workbook>"},
        WorkbookCase{"absent: added before the elements that follow it",
                     "<?xml version=\"1.0\"?><workbook><bookViews><workbookView><extLst/>"
                     "</workbookView></bookViews><sheets/><definedNames/><extLst><ext/></extLst>"
                     "</workbook>",
                     "<?xml version=\"1.0\"?><workbook><bookViews><workbookView><extLst/>"
                     "</workbookView></bookViews><sheets/><definedNames/><calcPr "
                     "fullCalcOnLoad=\"1\"/><extLst><ext/></extLst></workbook>"},
        WorkbookCase{"absent: added at the end, with the workbook's prefix",
                     "<x:workbook xmlns:x=\"n\"><x:sheets/></x:workbook>",
                     "<x:workbook xmlns:x=\"n\"><x:sheets/><x:calcPr fullCalcOnLoad=\"1\"/>"
                     "</x:workbook>"}));

TEST(CachedFormulaValues, FormulasLoseTheirStoredValuesOnly) {
    EXPECT_EQ(WithoutCachedFormulaValues(
                  "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" s=\"2\" "
                  "t=\"str\"><f>A1&amp;\"x\"</f><v>1x</v></c><x:c r=\"C1\"><x:f t=\"shared\" "
                  "ref=\"C1:C2\" si=\"0\">A1*2</x:f><x:v>2</x:v></x:c><c r=\"D1\"><f>1</f></c>"
                  "<c r=\"E1\" t=\"inlineStr\"><is><t>v</t></is></c><c r=\"F1\"><f>2</f><v></v></c>"
                  "<c r=\"G1\"><f>3</f><v/></c></row></sheetData>"),
              "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" s=\"2\" "
              "t=\"str\"><f>A1&amp;\"x\"</f></c><x:c r=\"C1\"><x:f t=\"shared\" ref=\"C1:C2\" "
              "si=\"0\">A1*2</x:f></x:c><c r=\"D1\"><f>1</f></c><c r=\"E1\" "
              "t=\"inlineStr\"><is><t>v</t></is></c><c r=\"F1\"><f>2</f><v></v></c><c r=\"G1\">"
              "<f>3</f><v/></c></row></sheetData>");
}

TEST(CalculationChain, ItsRelationshipAndContentTypeGo) {
    EXPECT_EQ(WithoutRelationshipsOfType(
                  "<Relationships><Relationship Id=\"rId1\" Type=\"http://x/worksheet\" "
                  "Target=\"a.xml\"/><Relationship Id=\"rId9\" Type=\"http://x/calcChain\" "
                  "Target=\"calcChain.xml\"/></Relationships>",
                  "calcChain"),
              "<Relationships><Relationship Id=\"rId1\" Type=\"http://x/worksheet\" "
              "Target=\"a.xml\"/></Relationships>");
    EXPECT_EQ(WithoutContentTypeOverride(
                  "<Types><Default Extension=\"xml\"/><Override PartName=\"/xl/CalcChain.xml\" "
                  "ContentType=\"c\"/><Override PartName=\"/xl/workbook.xml\"/></Types>",
                  "xl/calcChain.xml"),
              "<Types><Default Extension=\"xml\"/><Override PartName=\"/xl/workbook.xml\"/>"
              "</Types>");
}

}  // namespace
}  // namespace stelvador
