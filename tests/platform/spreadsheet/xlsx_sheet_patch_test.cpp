// The rewrite of written cells in a worksheet part: each case a small part, the cells written
// and the part expected, so that every byte the rewrite should keep is seen to be kept.
#include "platform/spreadsheet/xlsx_sheet_patch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "common/sheet_cell_reference.h"
#include "platform/spreadsheet/written_value.h"

namespace stelvador {
namespace {

constexpr const char* kStyles =
    "<styleSheet><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts>"
    "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\" applyNumberFormat=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\"/></cellXfs></styleSheet>";

struct Written {
    int row;
    int column;
    std::optional<std::string> text;  // none: emptied
};

struct PatchCase {
    const char* what;
    const char* sheetData;  // the part's sheet data
    std::vector<Written> written;
    const char* expected;
};

std::string Part(const std::string& sheetData) {
    return "<worksheet><dimension ref=\"A1:Z99\"/>" + sheetData + "<mergeCells/></worksheet>";
}

std::string Patched(const std::string& xml, const std::vector<Written>& written,
                    CellStyles& styles) {
    std::vector<CellValue> values;
    values.reserve(written.size());
    std::vector<CellPatch> patches;
    for (const Written& cell : written) {
        values.push_back(WrittenCellValue(cell.text.value_or("")));
        patches.push_back({cell.row, cell.column, cell.text ? &values.back() : nullptr});
    }
    return PatchSheetXml(xml, patches, styles);
}

class SheetPatchTest : public ::testing::TestWithParam<PatchCase> {};

TEST_P(SheetPatchTest, RewritesOnlyTheWrittenCells) {
    const PatchCase& c = GetParam();
    CellStyles styles(kStyles);
    EXPECT_EQ(Patched(Part(c.sheetData), c.written, styles), Part(c.expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetPatchTest,
    ::testing::Values(
        PatchCase{"a number over a styled text keeps the font, gains the format",
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"2\" t=\"s\"><v>0</v></c>"
                  "<c r=\"B1\"><f>A1*2</f><v>4</v></c></row></sheetData>",
                  {{1, 1, "37.800"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"3\"><v>37.8</v></c>"
                  "<c r=\"B1\"><f>A1*2</f><v>4</v></c></row></sheetData>"},
        PatchCase{"a number in a cell already shown so keeps its style",
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row></sheetData>",
                  {{1, 1, "2.500"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>2.5</v></c></row></sheetData>"},
        PatchCase{"a formula overwritten by a text loses its formula",
                  "<sheetData><row r=\"2\"><c r=\"B2\" t=\"str\"><f>\"x\"</f><v>x</v></c></row>"
                  "</sheetData>",
                  {{2, 2, "Fe3+ & <Al>"}},
                  "<sheetData><row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><t>Fe3+ &amp; "
                  "&lt;Al&gt;</t></is></c></row></sheetData>"},
        PatchCase{"cells inserted before, between and after in column order",
                  "<sheetData><row r=\"1\" spans=\"2:3\"><c r=\"B1\"><v>1</v></c>"
                  "<c r=\"D1\"><v>2</v></c></row></sheetData>",
                  {{1, 1, "a"}, {1, 3, "c"}, {1, 5, "12"}},
                  "<sheetData><row r=\"1\" spans=\"1:5\"><c r=\"A1\" t=\"inlineStr\"><is><t>a"
                  "</t></is></c><c r=\"B1\"><v>1</v></c><c r=\"C1\" t=\"inlineStr\"><is><t>c"
                  "</t></is></c><c r=\"D1\"><v>2</v></c><c r=\"E1\" s=\"3\"><v>12</v></c></row>"
                  "</sheetData>"},
        PatchCase{"rows inserted before, between and after in row order",
                  "<sheetData><row r=\"2\"><c r=\"A2\"><v>1</v></c></row>"
                  "<row r=\"5\"><c r=\"A5\"><v>2</v></c></row></sheetData>",
                  {{1, 1, "x"}, {3, 2, "y"}, {9, 1, "z"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c>"
                  "</row><row r=\"2\"><c r=\"A2\"><v>1</v></c></row><row r=\"3\"><c r=\"B3\" "
                  "t=\"inlineStr\"><is><t>y</t></is></c></row><row r=\"5\"><c r=\"A5\"><v>2</v>"
                  "</c></row><row r=\"9\"><c r=\"A9\" t=\"inlineStr\"><is><t>z</t></is></c>"
                  "</row></sheetData>"},
        PatchCase{"an empty sheet and an empty row take cells",
                  "<sheetData/>",
                  {{2, 1, "x"}},
                  "<sheetData><row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>x</t></is></c>"
                  "</row></sheetData>"},
        PatchCase{"a row's cells come before what the row holds besides them",
                  "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><extLst><ext uri=\"u\"/>"
                  "</extLst></row></sheetData>",
                  {{1, 2, "x"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" t=\"inlineStr\">"
                  "<is><t>x</t></is></c><extLst><ext uri=\"u\"/></extLst></row></sheetData>"},
        PatchCase{"an empty row element takes its cells",
                  "<sheetData><row r=\"2\" ht=\"20\"/></sheetData>",
                  {{2, 2, "x"}},
                  "<sheetData><row r=\"2\" ht=\"20\"><c r=\"B2\" t=\"inlineStr\"><is><t>x</t>"
                  "</is></c></row></sheetData>"},
        PatchCase{"an emptied cell keeps its style only, one without style goes",
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"2\"><v>1</v></c><c r=\"B1\"><v>2</v>"
                  "</c></row></sheetData>",
                  {{1, 1, std::nullopt}, {1, 2, std::nullopt}, {4, 4, std::nullopt}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" s=\"2\"/></row></sheetData>"},
        PatchCase{"cells and rows that tell their place by order alone get it written",
                  "<sheetData><row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c>"
                  "</row></sheetData>",
                  {{1, 2, "x"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" t=\"inlineStr\">"
                  "<is><t>x</t></is></c></row><row r=\"2\"><c><v>3</v></c></row></sheetData>"},
        PatchCase{"cell references in small letters, as the reader takes them",
                  "<sheetData><row r=\"1\"><c r=\"a1\"><v>1</v></c><c r=\"c1\"><v>2</v></c>"
                  "</row></sheetData>",
                  {{1, 3, "x"}},
                  "<sheetData><row r=\"1\"><c r=\"a1\"><v>1</v></c><c r=\"C1\" t=\"inlineStr\">"
                  "<is><t>x</t></is></c></row></sheetData>"},
        PatchCase{"a prefixed part gets prefixed elements",
                  "<x:sheetData><x:row r=\"1\"><x:c r=\"A1\"><x:v>1</x:v></x:c></x:row>"
                  "</x:sheetData>",
                  {{1, 1, "x"}, {2, 1, "y"}},
                  "<x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>x</x:t>"
                  "</x:is></x:c></x:row><x:row r=\"2\"><x:c r=\"A2\" t=\"inlineStr\"><x:is><x:t>"
                  "y</x:t></x:is></x:c></x:row></x:sheetData>"},
        PatchCase{"a new cell takes the style of its column, as a spreadsheet program's would",
                  "<cols><col min=\"2\" max=\"3\" width=\"9\" style=\"2\"/></cols><sheetData>"
                  "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData>",
                  {{1, 2, "x"}, {1, 3, std::nullopt}, {2, 3, "2.500"}, {2, 4, "y"}},
                  "<cols><col min=\"2\" max=\"3\" width=\"9\" style=\"2\"/></cols><sheetData>"
                  "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" s=\"2\" t=\"inlineStr\">"
                  "<is><t>x</t></is></c></row><row r=\"2\"><c r=\"C2\" s=\"3\"><v>2.5</v></c>"
                  "<c r=\"D2\" t=\"inlineStr\"><is><t>y</t></is></c></row></sheetData>"},
        PatchCase{"a new cell takes the style of a row formatted whole before its column's",
                  "<cols><col min=\"1\" max=\"9\" style=\"1\"/></cols><sheetData><row r=\"1\" "
                  "s=\"2\" customFormat=\"1\"/><row r=\"2\" s=\"2\"/></sheetData>",
                  {{1, 1, "x"}, {2, 1, "y"}},
                  "<cols><col min=\"1\" max=\"9\" style=\"1\"/></cols><sheetData><row r=\"1\" "
                  "s=\"2\" customFormat=\"1\"><c r=\"A1\" s=\"2\" t=\"inlineStr\"><is><t>x</t>"
                  "</is></c></row><row r=\"2\" s=\"2\"><c r=\"A2\" s=\"1\" t=\"inlineStr\"><is>"
                  "<t>y</t></is></c></row></sheetData>"},
        PatchCase{"texts with outer blanks, control characters and escape look-alikes",
                  "<sheetData/>",
                  {{1, 1, " a\x01_x0041_ "}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t "
                  "xml:space=\"preserve\"> a_x0001__x005F_x0041_ </t></is></c></row>"
                  "</sheetData>"},
        PatchCase{"the two characters XML holds no more than control characters",
                  "<sheetData/>",
                  {{1, 1,
                    "a\xEF\xBF\xBE\xEF\xBF\xBF"
                    "b\xEF\xBF\xBD"}},
                  "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a_xFFFE__xFFFF_b"
                  "\xEF\xBF\xBD</t></is></c></row></sheetData>"}));

TEST(SheetPatch, WidensTheDimensionToTheWrittenCells) {
    CellStyles styles(kStyles);
    const std::string patched =
        Patched("<worksheet><dimension ref=\"B2:C3\"/><sheetData/></worksheet>",
                {{1, 4, "a"}, {40, 30, "b"}, {50, 50, std::nullopt}}, styles);
    EXPECT_TRUE(patched.starts_with("<worksheet><dimension ref=\"B1:AD40\"/><sheetData>"))
        << patched;
    // A dimension beyond any sheet (the reader does not read it) is left as it was.
    for (const char* ref : {"A1:B99999999999", "A1:ZZZZZZZ2", "A1:XFE1"}) {
        const std::string dimension = "<worksheet><dimension ref=\"" + std::string(ref) + "\"/>";
        EXPECT_TRUE(Patched(dimension + "<sheetData/></worksheet>", {{1, 3, "a"}}, styles)
                        .starts_with(dimension + "<sheetData>"))
            << ref;
    }
}

TEST(SheetPatch, APartWithoutSheetDataIsRefused) {
    CellStyles styles(kStyles);
    try {
        Patched("<worksheet/>", {{1, 1, "a"}}, styles);
        FAIL() << "no refusal";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
    }
}

TEST(SheetPatch, CellReferencesByRowAndColumn) {
    EXPECT_EQ(CellReference(1, 1), "A1");
    EXPECT_EQ(CellReference(12, 26), "Z12");
    EXPECT_EQ(CellReference(3, 27), "AA3");
    EXPECT_EQ(CellReference(1048576, 16384), "XFD1048576");
}

TEST(CellStyles, AddsTheFormatsAStyleLacksAndReusesThem) {
    CellStyles styles(kStyles);
    EXPECT_EQ(styles.WithNumberFormat(1, "0.000"), 1);  // already so
    // The default style shown so is in the list already, as the style that shows it.
    EXPECT_EQ(styles.WithNumberFormat(0, "0.000"), 1);
    EXPECT_FALSE(styles.Changed());
    // Each style keeps what it shows besides: the bold one's copy.
    EXPECT_EQ(styles.WithNumberFormat(2, "0.000"), 3);
    EXPECT_EQ(styles.WithNumberFormat(2, "0.000"), 3);
    EXPECT_EQ(styles.WithNumberFormat(2, "0"), 4);  // a built-in format, by its number
    EXPECT_EQ(styles.WithNumberFormat(2, "#,##0.00000"), 5);
    EXPECT_EQ(styles.WithNumberFormat(2, ""), 2);
    EXPECT_EQ(styles.WithNumberFormat(99, "0.000"), 1);  // beyond the list: the default style
    EXPECT_TRUE(styles.Changed());
    const std::string xml = styles.Xml();
    EXPECT_EQ(xml,
              "<styleSheet><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
              "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00000\"/></numFmts>"
              "<cellXfs count=\"6\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\" "
              "applyNumberFormat=\"1\"/><xf numFmtId=\"0\" fontId=\"1\"/>"
              "<xf numFmtId=\"164\" fontId=\"1\" applyNumberFormat=\"1\"/>"
              "<xf numFmtId=\"1\" fontId=\"1\" applyNumberFormat=\"1\"/>"
              "<xf numFmtId=\"165\" fontId=\"1\" applyNumberFormat=\"1\"/></cellXfs>"
              "</styleSheet>");

    // Saved again, the same styles shown in the same formats add nothing: each save of a send
    // would otherwise add its formats once more.
    CellStyles saved(xml);
    EXPECT_EQ(saved.WithNumberFormat(2, "0.000"), 3);
    EXPECT_EQ(saved.WithNumberFormat(2, "0"), 4);
    EXPECT_EQ(saved.WithNumberFormat(2, "#,##0.00000"), 5);
    EXPECT_FALSE(saved.Changed());
}

TEST(CellStyles, MakesTheListOfNumberFormatsWhereThePartHasNone) {
    CellStyles styles(
        "<s:styleSheet xmlns:s=\"n\"><s:fonts/><s:cellXfs count=\"1\"><s:xf numFmtId=\"0\">"
        "<s:alignment wrapText=\"1\"/></s:xf></s:cellXfs></s:styleSheet>");
    EXPECT_EQ(styles.WithNumberFormat(0, "0.000"), 1);
    EXPECT_EQ(styles.Xml(),
              "<s:styleSheet xmlns:s=\"n\"><s:numFmts count=\"1\"><s:numFmt numFmtId=\"164\" "
              "formatCode=\"0.000\"/></s:numFmts><s:fonts/><s:cellXfs count=\"2\"><s:xf "
              "numFmtId=\"0\"><s:alignment wrapText=\"1\"/></s:xf><s:xf numFmtId=\"164\" "
              "applyNumberFormat=\"1\"><s:alignment wrapText=\"1\"/></s:xf></s:cellXfs>"
              "</s:styleSheet>");
}

TEST(CellStyles, TheNumberFormatsOfDifferentialFormatsAreNotTheList) {
    CellStyles styles(
        "<styleSheet><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0\"/>"
        "</numFmts><cellXfs count=\"1\"><xf numFmtId=\"0\"/></cellXfs><dxfs count=\"1\"><dxf>"
        "<numFmt numFmtId=\"170\" formatCode=\"0.000\"/></dxf></dxfs></styleSheet>");
    EXPECT_EQ(styles.WithNumberFormat(0, "0.000"), 1);
    EXPECT_EQ(styles.Xml(),
              "<styleSheet><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"0.0\"/>"
              "<numFmt numFmtId=\"171\" formatCode=\"0.000\"/></numFmts><cellXfs count=\"2\">"
              "<xf numFmtId=\"0\"/><xf numFmtId=\"171\" applyNumberFormat=\"1\"/></cellXfs>"
              "<dxfs count=\"1\"><dxf><numFmt numFmtId=\"170\" formatCode=\"0.000\"/></dxf>"
              "</dxfs></styleSheet>");
}

TEST(CellStyles, WithoutAStylesPartEveryStyleStays) {
    CellStyles styles("");
    EXPECT_EQ(styles.WithNumberFormat(0, "0.000"), 0);
    EXPECT_FALSE(styles.Changed());
}

}  // namespace
}  // namespace stelvador
