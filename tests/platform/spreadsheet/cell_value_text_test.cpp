// The value-to-text conversion of cells read from workbooks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/number_format_kind.h"
#include "platform/spreadsheet/xlsx_parts.h"

namespace stelvador {
namespace {

TEST(CellValueText, NumbersInShortestRoundTripForm) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {38.65042, "38.65042"},
        {23.0, "23"},
        {-0.0091, "-0.0091"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {1e21, "1e+21"},
        {1.5e-7, "1.5e-07"},
        {300.0, "300"},
        {0.1 + 0.2, "0.30000000000000004"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value), c.text);
    }
}

// A cell that stores its date as ISO text (t="d") reads like a date of any other writer.
TEST(CellValueText, StoredIsoDatesReadAsOtherDates) {
    const struct {
        const char* stored;
        const char* text;
    } cases[] = {
        {"2024-03-15T00:00:00", "2024-03-15"},
        {"2024-03-15T00:00:00.000", "2024-03-15"},
        {"2024-03-15T00:00:00Z", "2024-03-15"},
        {"2024-03-15T00:00", "2024-03-15"},
        {"2024-03-15", "2024-03-15"},
        {"2024-03-15T13:45:00", "2024-03-15 13:45:00"},
        {"2024-03-15T13:45", "2024-03-15 13:45:00"},
        {"2024-03-15T13:45:07.000Z", "2024-03-15 13:45:07"},
        // More than the form says, or no date at all: kept as stored.
        {"2024-03-15T13:45:07.5", "2024-03-15T13:45:07.5"},
        {"2024-03-15T13:45:00+02:00", "2024-03-15T13:45:00+02:00"},
        {"15.03.2024", "15.03.2024"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsoDateText(c.stored), c.text) << c.stored;
    }
}

TEST(CellValueText, SerialDatesAsIsoTexts) {
    const struct {
        double serial;
        DateTimeKind kind;
        bool date1904;
        const char* text;
    } cases[] = {
        {45366.0, DateTimeKind::Date, false, "2024-03-15"},
        {45366.572916666664, DateTimeKind::DateTime, false, "2024-03-15 13:45:00"},
        {45366.572916666664, DateTimeKind::Date, false, "2024-03-15"},
        {0.5, DateTimeKind::Time, false, "12:00:00"},
        {1.0, DateTimeKind::Date, false, "1900-01-01"},
        {59.0, DateTimeKind::Date, false, "1900-02-28"},
        {60.0, DateTimeKind::Date, false, "1900-02-29"},
        {61.0, DateTimeKind::Date, false, "1900-03-01"},
        {0.0, DateTimeKind::Date, true, "1904-01-01"},
        {43904.0, DateTimeKind::Date, true, "2024-03-15"},
        {2958465.0, DateTimeKind::Date, false, "9999-12-31"},
        {2958466.0, DateTimeKind::Date, false, "2958466"},
        {-1.0, DateTimeKind::Date, false, "-1"},
        {45366.0, DateTimeKind::None, false, "45366"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SerialDateToText(c.serial, c.kind, c.date1904), c.text) << c.serial;
    }
    EXPECT_EQ(SerialDateToText(std::numeric_limits<double>::infinity(), DateTimeKind::Date, false),
              "inf");
}

TEST(NumberFormatKind, FormatCodes) {
    const struct {
        const char* code;
        DateTimeKind kind;
    } cases[] = {
        {"General", DateTimeKind::None},
        {"0.000", DateTimeKind::None},
        {"#,##0.000", DateTimeKind::None},
        {"0.00E+00", DateTimeKind::None},
        {"yyyy-mm-dd", DateTimeKind::Date},
        {"dd/mm/yyyy hh:mm", DateTimeKind::DateTime},
        {"yyyy-mm-dd h:mm:ss", DateTimeKind::DateTime},
        {"h:mm AM/PM", DateTimeKind::Time},
        {"[h]:mm:ss", DateTimeKind::Time},
        {"[Red]0.00", DateTimeKind::None},
        {"[$-409]d-mmm-yy;@", DateTimeKind::Date},
        {"\"day\" 0", DateTimeKind::None},
        {"0\\d", DateTimeKind::None},
        {"0.00;[Red]-0.00", DateTimeKind::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCodeKind(c.code), c.kind) << c.code;
    }
    EXPECT_EQ(BuiltInFormatKind(0), DateTimeKind::None);
    EXPECT_EQ(BuiltInFormatKind(2), DateTimeKind::None);
    EXPECT_EQ(BuiltInFormatKind(14), DateTimeKind::Date);
    EXPECT_EQ(BuiltInFormatKind(20), DateTimeKind::Time);
    EXPECT_EQ(BuiltInFormatKind(22), DateTimeKind::DateTime);
}

TEST(XlsxParts, PartNamesResolveAgainstTheirSource) {
    EXPECT_EQ(ResolvePartName("xl/", "worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(ResolvePartName("xl/", "/xl/worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(ResolvePartName("xl/", "../custom/a.xml"), "custom/a.xml");
    EXPECT_EQ(ResolvePartName("xl/", "./b/../c.xml"), "xl/c.xml");
    EXPECT_EQ(ResolvePartName("", "../../x.xml"), "x.xml");
}

TEST(XlsxParts, EscapedCharacters) {
    EXPECT_EQ(DecodeEscapedCharacters("a_x000D_b"), "a\rb");
    EXPECT_EQ(DecodeEscapedCharacters("_x005F_x000D_"), "_x000D_");
    EXPECT_EQ(DecodeEscapedCharacters("_x00zz_"), "_x00zz_");
    EXPECT_EQ(DecodeEscapedCharacters("plain_x"), "plain_x");
}

}  // namespace
}  // namespace stelvador
