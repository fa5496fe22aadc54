// The limit of a cell's text in both windows' grid editing: a paste holding a longer text is
// refused naming the cell and changes no cell; typing stops at the limit; a longer text put into
// the cell mirror does not reach the cell.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/cell_text_limit.h"
#include "common/error_numbers.h"
#include "grid_editing_fixture.h"

namespace stelvador {
namespace {

const std::string kFull(kCellTextLimit, 'n');
const std::string kLong(kCellTextLimit + 1, 'n');

struct PasteCase {
    const char* name;
    GridEditingVariant variant;
    std::string clipboard;
    int row;
    int col;
    int rowSel;
    int colSel;
    // The refusal's reason, or nothing when the paste goes through.
    std::optional<std::string> reason;
};

class GridEditingLongPasteTest : public ::testing::TestWithParam<PasteCase> {};

TEST_P(GridEditingLongPasteTest, RefusesATextPastTheLimitAndChangesNoCell) {
    const PasteCase& c = GetParam();
    GridEditingWindow window(c.variant);
    FlexGrid& grid = window.grid();
    if (c.variant == GridEditingVariant::Results) {
        for (int i = 1; i <= 3; ++i) {
            grid.AddItem("Ep-" + std::to_string(i) + "\t1.5\t2.5\t3.5\t4.5\t5.5");
        }
    }
    grid.setRow(c.row);
    grid.setCol(c.col);
    grid.setRowSel(c.rowSel);
    grid.setColSel(c.colSel);
    QGuiApplication::clipboard()->setText(QString::fromStdString(c.clipboard));
    const GridCells before = CellsOf(grid);
    try {
        window.m_editing->mnuEditPaste_Click();
        EXPECT_FALSE(c.reason.has_value()) << "the paste was not refused";
        EXPECT_NE(CellsOf(grid), before);
    } catch (const RunTimeError& e) {
        ASSERT_TRUE(c.reason.has_value()) << e.reason();
        EXPECT_EQ(e.number(), error::kOutOfStringSpace);
        EXPECT_STREQ(e.what(), "Out of string space");
        EXPECT_EQ(e.reason(), *c.reason);
        EXPECT_EQ(CellsOf(grid), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, GridEditingLongPasteTest,
    ::testing::Values(
        PasteCase{"SampleName", GridEditingVariant::DataEntry, kLong, 4, 1, 4, 1,
                  "Row 4, column 1 (Sample No) holds more than 32,767 characters."},
        PasteCase{"SecondCellOfABlock", GridEditingVariant::DataEntry, "1.5\t" + kLong + "\n", 7, 3,
                  8, 4, "Row 7, column 4 (Al2O3) holds more than 32,767 characters."},
        PasteCase{"SecondRowOfABlock", GridEditingVariant::DataEntry, "1.5\n" + kLong, 9, 2, 10, 2,
                  "Row 10, column 2 (SiO2) holds more than 32,767 characters."},
        PasteCase{"ResultsCell", GridEditingVariant::Results, kLong, 3, 5, 3, 5,
                  "Row 3, column 5 holds more than 32,767 characters."},
        PasteCase{"AtTheLimit", GridEditingVariant::DataEntry, kFull + "\t" + kFull, 4, 1, 4, 2,
                  std::nullopt},
        // Only the first cell lands in a selection of one cell; the long one is dropped.
        PasteCase{"BeyondTheSelection", GridEditingVariant::DataEntry, "1.5\t" + kLong, 4, 2, 4, 2,
                  std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypingCase {
    const char* name;
    GridEditingVariant variant;
    int row;
    int col;
};

class GridEditingTypingLimitTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(GridEditingTypingLimitTest, TypingStopsAtTheLimit) {
    const TypingCase& c = GetParam();
    GridEditingWindow window(c.variant);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.m_window.get()));
    FlexGrid& grid = window.grid();
    if (c.variant == GridEditingVariant::Results) {
        grid.AddItem("Ep-1\t1.5");
    }
    // Two-byte letters: the limit counts characters, not bytes.
    std::string almostFull;
    for (std::size_t i = 0; i + 1 < kCellTextLimit; ++i) {
        almostFull += "\xC3\xA9";
    }
    grid.setTextMatrix(c.row, c.col, almostFull);
    grid.setRow(c.row);
    grid.setCol(c.col);
    window.m_view->setFocus();
    QTest::keyClicks(window.m_view, QStringLiteral("xyz"));
    EXPECT_EQ(grid.TextMatrix(c.row, c.col), almostFull + "x");
    // Backspace still takes a character off, and then one more can be typed.
    QTest::keyClick(window.m_view, Qt::Key_Backspace);
    QTest::sendKeyEvent(QTest::Click, window.m_view, Qt::Key_Eacute, QStringLiteral("\u00e9"),
                        Qt::NoModifier);
    QTest::keyClicks(window.m_view, QStringLiteral("w"));
    EXPECT_EQ(grid.TextMatrix(c.row, c.col), almostFull + "\xC3\xA9");
    EXPECT_TRUE(window.m_reported.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Grids, GridEditingTypingLimitTest,
    ::testing::Values(TypingCase{"DataEntry", GridEditingVariant::DataEntry, 4, 1},
                      TypingCase{"Results", GridEditingVariant::Results, 2, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridEditingTest, ATextPastTheLimitInTheMirrorDoesNotReachTheCell) {
    current(6, 1);
    grid().setTextMatrix(6, 1, "Ep-6");
    mirror().setText(QString::fromStdString(kLong));
    EXPECT_EQ(grid().TextMatrix(6, 1), "Ep-6");
    EXPECT_EQ(m_window->m_reported, std::vector<int>{error::kOutOfStringSpace});
    EXPECT_THROW(editing().MSFlexGrid1_Click(), RunTimeError);
    EXPECT_EQ(grid().TextMatrix(6, 1), "Ep-6");
    mirror().setText(QString::fromStdString(kFull));
    EXPECT_EQ(grid().TextMatrix(6, 1), kFull);
    EXPECT_EQ(m_window->m_reported.size(), 1u);
}

}  // namespace
}  // namespace stelvador
