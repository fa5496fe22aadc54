#include "common/cell_text_limit.h"

#include <gtest/gtest.h>

#include <string>

namespace stelvador {
namespace {

TEST(CellTextLimit, CountsCharactersNotBytes) {
    const std::string oe = "\xC3\xB6";  // ö, two bytes
    EXPECT_FALSE(ExceedsCellTextLimit(std::string(kCellTextLimit, 'a')));
    EXPECT_TRUE(ExceedsCellTextLimit(std::string(kCellTextLimit + 1, 'a')));
    std::string wide;
    for (std::size_t i = 0; i < kCellTextLimit; ++i) {
        wide += oe;
    }
    EXPECT_EQ(CountCharacters(wide), kCellTextLimit);
    EXPECT_FALSE(ExceedsCellTextLimit(wide));
    EXPECT_TRUE(ExceedsCellTextLimit(wide + "a"));
    // A stray continuation byte counts as nothing, a stray lead byte as one character.
    EXPECT_EQ(CountCharacters("\x80\xC3"), 1u);
}

TEST(CellTextLimit, NamesTheCellAsItsGridOrSheetNumbersIt) {
    EXPECT_EQ(DescribeTooLongGridCell(4, 1, "Sample No"),
              "Row 4, column 1 (Sample No) holds more than 32,767 characters.");
    EXPECT_EQ(DescribeTooLongGridCell(2, 7), "Row 2, column 7 holds more than 32,767 characters.");
    EXPECT_EQ(DescribeTooLongSheetCell(5, 2), "Cell B5 holds more than 32,767 characters.");
    EXPECT_EQ(DescribeTooLongSheetCell(301, 44), "Cell AR301 holds more than 32,767 characters.");
    EXPECT_EQ(DescribeTooLongSheetCell(1, 26), "Cell Z1 holds more than 32,767 characters.");
    EXPECT_EQ(DescribeTooLongSheetCell(1, 27), "Cell AA1 holds more than 32,767 characters.");
}

}  // namespace
}  // namespace stelvador
