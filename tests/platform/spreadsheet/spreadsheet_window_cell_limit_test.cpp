// The spreadsheet window and the limit of a cell's text: a longer value entered is refused, the
// cell editor stops at the limit, a long text is shown cut and elided in a column of bounded
// width.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "common/cell_text_limit.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_save_changes_question.h"
#include "support/scratch_folder.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

const std::string kFull(kCellTextLimit, 'n');
const std::string kLong(kCellTextLimit + 1, 'n');

class SpreadsheetWindowCellLimitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "openpyxl_cells.xlsx",
                      m_folder / "Output.xlsx");
        m_application = m_applications.Create();
        m_book = m_application.Workbooks().Open((m_folder / "Output.xlsx").string());
        m_application.setVisible(true);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "SpreadsheetWindow") {
                auto* tabs = widget->findChild<QTabWidget*>();
                m_view = qobject_cast<QTableView*>(tabs->currentWidget());
            }
        }
        ASSERT_NE(m_view, nullptr);
    }
    void TearDown() override {
        m_book = {};
        m_application = {};
        fs::remove_all(m_folder);
    }

    QAbstractItemModel& model() { return *m_view->model(); }

    fs::path m_folder;
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_applications{m_question};
    SpreadsheetApplication m_application;
    Workbook m_book;
    QTableView* m_view = nullptr;
};

TEST_F(SpreadsheetWindowCellLimitTest, AValuePastTheLimitIsRefusedAndChangesNothing) {
    const std::string before = m_book.Worksheets(1).Cells(10, 2).Value();
    EXPECT_FALSE(model().setData(model().index(9, 1), QString::fromStdString(kLong), Qt::EditRole));
    EXPECT_EQ(m_book.Worksheets(1).Cells(10, 2).Value(), before);
    EXPECT_TRUE(m_book.Saved());
    EXPECT_TRUE(model().setData(model().index(9, 1), QString::fromStdString(kFull), Qt::EditRole));
    EXPECT_EQ(m_book.Worksheets(1).Cells(10, 2).Value(), kFull);
}

TEST_F(SpreadsheetWindowCellLimitTest, TheCellEditorStopsAtTheLimit) {
    const QModelIndex cell = model().index(9, 1);
    m_view->setCurrentIndex(cell);
    m_view->edit(cell);
    auto* editor = m_view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    const QString almostFull(static_cast<qsizetype>(kCellTextLimit - 1), u'n');
    editor->setText(almostFull);
    QTest::keyClicks(editor, QStringLiteral("xyz"));
    EXPECT_EQ(editor->text(), almostFull + "x");
    // A paste that would pass the limit is refused whole.
    editor->backspace();
    editor->insert(QStringLiteral("pq"));
    EXPECT_EQ(editor->text(), almostFull);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(m_book.Worksheets(1).Cells(10, 2).Value(), almostFull.toStdString());
}

TEST_F(SpreadsheetWindowCellLimitTest, ALongTextIsShownCutInAColumnOfBoundedWidth) {
    m_book.Worksheets(1).Cells(10, 2).setValue(kFull);
    const QModelIndex cell = model().index(9, 1);
    EXPECT_EQ(model().data(cell, Qt::DisplayRole).toString(), QString(1000, u'n') + QChar(0x2026));
    EXPECT_EQ(model().data(cell, Qt::EditRole).toString().toStdString(), kFull);
    EXPECT_FALSE(m_view->wordWrap());
    // A double click on the heading's edge.
    emit m_view->horizontalHeader()->sectionHandleDoubleClicked(1);
    EXPECT_LE(m_view->columnWidth(1), m_view->fontMetrics().horizontalAdvance('0') * 40);
    EXPECT_GT(m_view->columnWidth(1), m_view->fontMetrics().horizontalAdvance('0') * 20);
}

}  // namespace
}  // namespace stelvador
