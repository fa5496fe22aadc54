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
