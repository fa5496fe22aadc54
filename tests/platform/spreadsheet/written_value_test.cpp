// A written text that reads as a number is kept as that number, shown as written; every other
// text stays text.
#include <gtest/gtest.h>

#include <string>

#include "platform/spreadsheet/written_value.h"

namespace stelvador {
namespace {

struct WrittenCase {
    const char* text;
    bool number;
    double value;
    const char* format;
};

TEST(WrittenCellValue, NumbersKeepTheirDecimalsAndGroupingOtherTextsStayText) {
    const WrittenCase cases[] = {
        {"38.650", true, 38.65, "0.000"},
        {"1,234.568", true, 1234.568, "#,##0.000"},
        {"-0.004", true, -0.004, "0.000"},
        {"0.000", true, 0.0, "0.000"},
        {"12", true, 12.0, "0"},
        {"1,234,567", true, 1234567.0, "#,##0"},
        {"-12,345.5", true, -12345.5, "#,##0.0"},
        {"0", true, 0.0, "0"},
        // Texts a number format could not show as written, or that are no plain number.
        {"007", false, 0, ""},
        {".5", false, 0, ""},
        {"5.", false, 0, ""},
        {"-0.000", false, 0, ""},
        {"-0", false, 0, ""},
        {"12,34", false, 0, ""},
        {"1234,567", false, 0, ""},
        {",123", false, 0, ""},
        {"1,23,456", false, 0, ""},
        {"1e5", false, 0, ""},
        {" 38.650", false, 0, ""},
        {"38.650 ", false, 0, ""},
        {"+1", false, 0, ""},
        {"-", false, 0, ""},
        {"Ca", false, 0, ""},
        {"Sample       ", false, 0, ""},
        {"[SiO2", false, 0, ""},
    };
    for (const WrittenCase& c : cases) {
        const CellValue value = WrittenCellValue(c.text);
        EXPECT_EQ(value.text, c.text);
        if (c.number) {
            EXPECT_EQ(value.kind, CellKind::Number) << c.text;
            EXPECT_EQ(value.number, c.value) << c.text;
            EXPECT_EQ(WrittenNumberFormat(c.text), c.format) << c.text;
        } else {
            EXPECT_EQ(value.kind, CellKind::Text) << c.text;
        }
    }
}

TEST(WrittenCellValue, ANumberBeyondADoubleStaysText) {
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(WrittenCellValue(huge).kind, CellKind::Text);
    EXPECT_EQ(WrittenCellValue("").kind, CellKind::Text);
}

}  // namespace
}  // namespace stelvador
