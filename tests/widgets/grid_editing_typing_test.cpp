// Typing into the grid and the cell mirror's events, in the data entry window and the results
// window.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>

#include "grid_editing_fixture.h"

namespace stelvador {
namespace {

struct MoveCase {
    const char* name;
    GridEditingVariant variant;
    int extraRows;  // result rows appended below the results grid's heading row
    int row;
    int col;
    int key;
    int wantRow;
    int wantCol;
};

class GridEditingMoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(GridEditingMoveTest, EnterAndTabMoveByTheWindowsRuleAndChangeNoCell) {
    const MoveCase& c = GetParam();
    GridEditingWindow window(c.variant);
    FlexGrid& grid = window.grid();
    for (int i = 0; i < c.extraRows; ++i) {
        grid.AddItem("Sample " + std::to_string(i) + "\t1.0\t2.0");
    }
    grid.setRow(c.row);
    grid.setCol(c.col);
    const GridCells before = CellsOf(grid);
    window.m_editing->MSFlexGrid1_KeyPress(c.key);
    EXPECT_EQ(grid.Row(), c.wantRow);
    EXPECT_EQ(grid.Col(), c.wantCol);
    EXPECT_EQ(grid.RowSel(), c.wantRow);
    EXPECT_EQ(grid.ColSel(), c.wantCol);
    EXPECT_EQ(CellsOf(grid), before);
}

constexpr auto kEntry = GridEditingVariant::DataEntry;
constexpr auto kResults = GridEditingVariant::Results;

INSTANTIATE_TEST_SUITE_P(
    Moves, GridEditingMoveTest,
    ::testing::Values(MoveCase{"EntryEnterNextColumn", kEntry, 0, 5, 3, 13, 5, 4},
                      MoveCase{"EntryTabNextColumn", kEntry, 0, 5, 1, 9, 5, 2},
                      MoveCase{"EntryFromRowNumberColumn", kEntry, 0, 7, 0, 13, 7, 1},
                      MoveCase{"EntryLastColumnToSampleOfNextRow", kEntry, 0, 5, 43, 13, 6, 1},
                      MoveCase{"EntryTabLastColumnToSampleOfNextRow", kEntry, 0, 5, 43, 9, 6, 1},
                      MoveCase{"EntryLastCellToRowOneSample", kEntry, 0, 300, 43, 13, 1, 1},
                      MoveCase{"EntryAfterLayoutHeadingToRowOne", kEntry, 0, 0, 43, 13, 1, 1},
                      MoveCase{"ResultsEnterNextRowSameColumn", kResults, 3, 2, 7, 13, 3, 7},
                      MoveCase{"ResultsTabNextRowSameColumn", kResults, 3, 1, 45, 9, 2, 45},
                      MoveCase{"ResultsFromColumnNumberRow", kResults, 3, 0, 0, 13, 1, 0},
                      MoveCase{"ResultsLastRowToHeadingSample", kResults, 3, 4, 130, 13, 1, 0},
                      MoveCase{"ResultsLayoutOnlyLastRowIsHeading", kResults, 0, 1, 12, 13, 1, 0}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST_F(GridEditingTest, EnterOnLastCellThenTypingGoesToTheSampleNameNotTheRowNumber) {
    current(300, 43);
    editing().MSFlexGrid1_KeyPress(13);
    editing().MSFlexGrid1_KeyPress('A');
    EXPECT_EQ(grid().TextMatrix(1, 1), "A");
    EXPECT_EQ(grid().TextMatrix(1, 0), "1");
}

struct TypingCase {
    const char* name;
    std::string before;
    std::vector<int> keys;
    std::string after;
};

class GridEditingTypingTest : public GridEditingTest,
                              public ::testing::WithParamInterface<TypingCase> {};

TEST_P(GridEditingTypingTest, KeysChangeOnlyTheCurrentCell) {
    const TypingCase& c = GetParam();
    current(4, 2);
    grid().setText(c.before);
    // A mirror holding other text than the cell shows whether typing touches it.
    mirror().blockSignals(true);
    mirror().setText(QStringLiteral("mirror"));
    mirror().blockSignals(false);
    const GridCells before = CellsOf(grid());
    for (const int key : c.keys) {
        editing().MSFlexGrid1_KeyPress(key);
    }
    GridCells want = before;
    want[4][2] = c.after;
    EXPECT_EQ(CellsOf(grid()), want);
    EXPECT_EQ(grid().Row(), 4);
    EXPECT_EQ(grid().Col(), 2);
    // Typing never touches the mirror.
    EXPECT_EQ(mirror().text(), QStringLiteral("mirror"));
}

std::vector<int> ControlCodes() {
    std::vector<int> codes;
    for (int k = 0; k < 32; ++k) {
        if (k != 8 && k != 9 && k != 13) {
            codes.push_back(k);
        }
    }
    return codes;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GridEditingTypingTest,
    ::testing::Values(
        TypingCase{"DigitsAndPointAppended", "38", {'.', '6', '5'}, "38.65"},
        TypingCase{"IntoEmptyCell", "", {'S', 'i'}, "Si"},
        TypingCase{"BackspaceDropsLast", "12.5", {8}, "12."},
        TypingCase{"BackspaceOnOneCharacterEmpties", "x", {8}, ""},
        TypingCase{"BackspaceOnEmptyStaysEmpty", "", {8, 8}, ""},
        TypingCase{"ControlCodesChangeNothing", "Ep-1", ControlCodes(), "Ep-1"},
        TypingCase{"DeleteCode127Appended", "a", {127}, "a\x7f"},
        TypingCase{"SpaceAppended", "Ep", {' ', '1'}, "Ep 1"},
        TypingCase{"AccentedLetterAppendedAsUtf8", "Piemontite ", {0xE9}, "Piemontite \xC3\xA9"},
        TypingCase{"BackspaceDropsWholeCharacter", "Fe\xC2\xB3", {8}, "Fe"},
        TypingCase{"OutsideBmp", "", {0x1D400}, "\xF0\x9D\x90\x80"}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

TEST_F(GridEditingTest, KeysTypedOnTheGridEditTheCurrentCellThroughTheHandlerTop) {
    view().setFocus();
    current(2, 1);
    QTest::keyClicks(&view(), QStringLiteral("Ep-12"));
    QTest::keyClick(&view(), Qt::Key_Backspace);
    QTest::keyClick(&view(), Qt::Key_Return);
    QTest::keyClicks(&view(), QStringLiteral("38.5"));
    QTest::keyClick(&view(), Qt::Key_Tab);
    EXPECT_EQ(grid().TextMatrix(2, 1), "Ep-1");
    EXPECT_EQ(grid().TextMatrix(2, 2), "38.5");
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().Col(), 3);
    EXPECT_EQ(m_window->m_eventsRun, 5 + 1 + 1 + 4 + 1);
    EXPECT_TRUE(m_window->m_reported.empty());
}

// --- the cell mirror -------------------------------------------------------------------------

QPoint CellCentre(FlexGridView& view, int row, int col) {
    return view.visualRect(view.model()->index(row - 1, col - 1)).center();
}

TEST_F(GridEditingTest, LeftPressCopiesThePressedCellIntoTheMirrorAndShowsNoPopUp) {
    grid().setTextMatrix(3, 2, "38.650");
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(view(), 3, 2));
    EXPECT_EQ(mirror().text(), QStringLiteral("38.650"));
    EXPECT_FALSE(m_window->m_editMenu->isVisible());
    // The click writes the mirror back: the pressed cell keeps its text.
    EXPECT_EQ(grid().TextMatrix(3, 2), "38.650");
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(grid().Col(), 2);
}

TEST_F(GridEditingTest, RightPressCopiesTheCellFirstThenPopsUpTheMenuCentredOnThePoint) {
    grid().setTextMatrix(4, 3, "12.25");
    const QPoint at = CellCentre(view(), 4, 3);
    QString mirrorAtPopUp;
    QObject::connect(m_window->m_editMenu, &QMenu::aboutToShow, m_window->m_editMenu,
                     [&] { mirrorAtPopUp = mirror().text(); });
    QTest::mousePress(view().viewport(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_TRUE(m_window->m_editMenu->isVisible());
    EXPECT_EQ(mirrorAtPopUp, QStringLiteral("12.25"));
    const QPoint pressed = view().viewport()->mapToGlobal(at);
    const QRect shown = m_window->m_editMenu->geometry();
    EXPECT_NEAR(shown.center().x(), pressed.x(), 2);
    EXPECT_NEAR(shown.top(), pressed.y(), 2);
    EXPECT_EQ(grid().TextMatrix(4, 3), "12.25");
}

TEST_F(GridEditingTest, RightPressInsideASelectionKeepsItForThePopUp) {
    select(2, 2, 5, 4);
    QTest::mousePress(view().viewport(), Qt::RightButton, Qt::NoModifier, CellCentre(view(), 3, 3));
    EXPECT_TRUE(m_window->m_editMenu->isVisible());
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().RowSel(), 5);
    EXPECT_EQ(grid().ColSel(), 4);
}

TEST_F(GridEditingTest, MirrorChangeAndClickWriteTheMirrorIntoTheCurrentCell) {
    current(6, 5);
    mirror().setText(QStringLiteral("0.75"));
    EXPECT_EQ(grid().TextMatrix(6, 5), "0.75");
    current(7, 5);
    mirror().blockSignals(true);
    mirror().setText(QStringLiteral("1.5"));
    mirror().blockSignals(false);
    editing().MSFlexGrid1_Click();
    EXPECT_EQ(grid().TextMatrix(7, 5), "1.5");
    EXPECT_EQ(grid().TextMatrix(6, 5), "0.75");
}

TEST_F(GridEditingTest, PressAndClickKeepLongAndUnusualCellTextsWhole) {
    const std::string longText(40000, '7');
    for (const std::string& text : {longText, std::string("a\nb"), std::string(" lead  trail ")}) {
        grid().setTextMatrix(2, 2, text);
        QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier,
                          CellCentre(view(), 2, 2));
        EXPECT_EQ(grid().TextMatrix(2, 2), text);
    }
}

TEST_F(GridEditingTest, AKeyInTheMirrorGivesTheFocusBackToTheGridAndChangesNoCell) {
    m_window->m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window->m_window.get()));
    // The mirror holds the text of the cell last pressed; the current cell has moved on since.
    grid().setTextMatrix(3, 2, "38.650");
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(view(), 3, 2));
    current(9, 4);
    grid().setText("0.5");
    const GridCells before = CellsOf(grid());
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_X, Qt::Key_Backspace}) {
        mirror().setFocus();
        ASSERT_TRUE(mirror().hasFocus());
        const int eventsBefore = m_window->m_eventsRun;
        QTest::keyClick(&mirror(), key);
        EXPECT_TRUE(view().hasFocus());
        EXPECT_GT(m_window->m_eventsRun, eventsBefore);
    }
    EXPECT_EQ(mirror().text(), QStringLiteral("38.650"));
    EXPECT_EQ(CellsOf(grid()), before);
}

TEST_F(GridEditingTest, TheWindowsShortcutsWinInTheMirrorToo) {
    int cleared = 0;
    auto* clearAll = new QAction(m_window->m_window.get());
    clearAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    QObject::connect(clearAll, &QAction::triggered, clearAll, [&] { ++cleared; });
    m_window->m_window->addAction(clearAll);
    m_window->m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window->m_window.get()));
    mirror().setFocus();
    QTest::keyClick(&mirror(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cleared, 1);
}

}  // namespace
}  // namespace stelvador
