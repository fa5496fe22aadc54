// Long texts in the grid view: shown cut to a bounded length and ending in an ellipsis, and no
// column fitted to its contents wider than the fitted-column limit.
#include <gtest/gtest.h>

#include <string>

#include <QApplication>
#include <QHeaderView>

#include "flex_grid_view_fixture.h"
#include "platform/flex_grid_header.h"

namespace stelvador {
namespace {

constexpr QChar kEllipsis(0x2026);

QString Shown(QAbstractItemModel* model, int row, int col) {
    return model->data(model->index(row, col), Qt::DisplayRole).toString();
}

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST_F(FlexGridViewTest, TextsUpToAThousandCharactersAreShownWholeLongerOnesCut) {
    struct Case {
        std::string text;
        bool cut;
    };
    const std::string thousandLetters = Repeated("\xC3\xA9", 1000);  // e acute, two bytes each
    for (const Case& c :
         {Case{std::string(1000, 'n'), false}, Case{thousandLetters, false},
          Case{std::string(1001, 'n'), true}, Case{thousandLetters + "\xC3\xA9", true},
          Case{std::string(32767, 'n'), true}}) {
        SCOPED_TRACE(c.text.size());
        grid().setTextMatrix(3, 1, c.text);
        grid().setTextMatrix(3, 0, c.text);
        const QString whole = QString::fromStdString(c.text);
        const QString cell = Shown(model(), 2, 0);
        const QString heading = model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString();
        EXPECT_EQ(heading, cell);
        if (c.cut) {
            EXPECT_EQ(cell, whole.left(1000) + kEllipsis);
        } else {
            EXPECT_EQ(cell, whole);
        }
        // The grid keeps the whole text.
        EXPECT_EQ(grid().TextMatrix(3, 1), c.text);
    }
}

TEST_F(FlexGridViewTest, RowHeadingsOfLongTextsAreNoWiderThanTheLimit) {
    const int limit = FittedColumnWidthLimit(m_view->verticalHeader()->fontMetrics());
    for (int r = 1; r < grid().Rows(); ++r) {
        grid().setTextMatrix(r, 0, std::string(32767, 'n'));
    }
    QApplication::processEvents();
    EXPECT_GT(m_view->verticalHeader()->width(), limit / 2);
    EXPECT_LE(m_view->verticalHeader()->width(), limit);
    // The cells stay in view beside the headings.
    EXPECT_GE(m_view->columnAt(m_view->viewport()->width() - 1), 2);
}

TEST_F(FlexGridViewTest, AColumnFittedToItsContentsIsNoWiderThanTheLimit) {
    const int limit = FittedColumnWidthLimit(m_view->fontMetrics());
    grid().setTextMatrix(5, 1, std::string(32767, 'n'));
    grid().setTextMatrix(5, 2, "38.650");
    // What a double click on a column heading's edge does.
    m_view->resizeColumnToContents(0);
    m_view->resizeColumnToContents(1);
    EXPECT_EQ(m_view->columnWidth(0), limit);
    EXPECT_LT(m_view->columnWidth(1), limit);
    EXPECT_GE(m_view->columnWidth(1), m_view->fontMetrics().horizontalAdvance("38.650"));
}

}  // namespace
}  // namespace stelvador
