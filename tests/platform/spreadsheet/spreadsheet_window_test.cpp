// The application's window, headless: shown and hidden by Visible, the workbook's sheet in a
// grid under its file name, edits counted as changes, File > Save and Save As.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <QTableView>
#include <filesystem>
#include <memory>

#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/workbook_file.h"
#include "scripted_save_changes_question.h"
#include "support/scratch_folder.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class SpreadsheetWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "openpyxl_cells.xlsx",
                      m_folder / "Output.xlsx");
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "xlwt_cells.xls",
                      m_folder / "Stelvador.xls");
        m_application = m_applications.Create();
    }
    void TearDown() override {
        m_application = {};
        fs::remove_all(m_folder);
    }

    static QMainWindow* Window() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "SpreadsheetWindow") {
                return qobject_cast<QMainWindow*>(widget);
            }
        }
        return nullptr;
    }
    static QAbstractItemModel* CurrentModel(QMainWindow* window) {
        auto* tabs = window->findChild<QTabWidget*>();
        auto* view = qobject_cast<QTableView*>(tabs->currentWidget());
        return view == nullptr ? nullptr : view->model();
    }
    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
    // The cell as the file holds it (an open workbook is not read again).
    static std::string CellOnDisk(const std::string& path, int row, int column) {
        const WorkbookData book = ReadWorkbookFile(path);
        const CellValue* value = book.sheets.at(0).cells.Find(row, column);
        return value == nullptr ? std::string() : value->text;
    }

    fs::path m_folder;
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_applications{m_question};
    SpreadsheetApplication m_application;
};

TEST_F(SpreadsheetWindowTest, HiddenUntilVisibleAndHiddenAgain) {
    m_application.Workbooks().Open(PathOf("Output.xlsx"));
    EXPECT_EQ(Window(), nullptr);
    m_application.setVisible(true);
    QMainWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(m_application.Visible());
    EXPECT_TRUE(window->windowTitle().startsWith("Output.xlsx"));
    m_application.setVisible(false);
    EXPECT_FALSE(window->isVisible());
    m_application.setVisible(true);
    m_application.setVisible(true);  // showing a shown window changes nothing
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SpreadsheetWindowTest, ShowsTheSheetAndFollowsTheProgramsWrites) {
    const Worksheet sheet = m_application.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1);
    m_application.setVisible(true);
    QAbstractItemModel* model = CurrentModel(Window());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), "Row No");
    EXPECT_EQ(model->data(model->index(1, 2)).toString(), "38.65042");
    EXPECT_EQ(model->headerData(27, Qt::Horizontal).toString(), "AB");
    sheet.Cells(400, 60).setValue("sent");
    EXPECT_GE(model->rowCount(), 400);
    EXPECT_EQ(model->data(model->index(399, 59)).toString(), "sent");
    EXPECT_TRUE(Window()->isWindowModified());
}

TEST_F(SpreadsheetWindowTest, EditsAreChangesThatSaveWrites) {
    const Workbook book = m_application.Workbooks().Open(PathOf("Output.xlsx"));
    m_application.setVisible(true);
    QMainWindow* window = Window();
    QAbstractItemModel* model = CurrentModel(window);
    ASSERT_TRUE(model->setData(model->index(9, 1), "typed", Qt::EditRole));
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(book.Worksheets(1).Cells(10, 2).Value(), "typed");
    window->findChild<QAction*>("actionSave")->trigger();
    EXPECT_TRUE(book.Saved());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(CellOnDisk(PathOf("Output.xlsx"), 10, 2), "typed");
}

TEST_F(SpreadsheetWindowTest, SaveAsWritesXlsxWhereChosenAndRenamesTheTab) {
    const Workbook book = m_application.Workbooks().Open(PathOf("Stelvador.xls"));
    book.Worksheets(1).Cells(123, 1).setValue(" ");
    m_application.setVisible(true);
    QMainWindow* window = Window();
    m_question->paths.push_back(PathOf("Edited.xlsx"));
    window->findChild<QAction*>("actionSaveAs")->trigger();
    // Proposed: a new .xlsx beside the .xls, never another workbook's file.
    EXPECT_EQ(m_question->suggested.front(), PathOf("Stelvador (from xls).xlsx"));
    EXPECT_TRUE(book.Saved());
    EXPECT_EQ(book.FullName(), PathOf("Edited.xlsx"));
    EXPECT_TRUE(window->windowTitle().startsWith("Edited.xlsx"));
    EXPECT_TRUE(fs::exists(PathOf("Edited.xlsx")));
}

TEST_F(SpreadsheetWindowTest, ClosingTheWindowHidesItAndKeepsTheWorkbook) {
    const Workbook book = m_application.Workbooks().Open(PathOf("Output.xlsx"));
    book.Worksheets(1).Cells(1, 1).setValue("changed");
    m_application.setVisible(true);
    Window()->close();
    EXPECT_FALSE(m_application.Visible());
    EXPECT_FALSE(book.isNothing());
    EXPECT_TRUE(m_question->asked.empty());
}

TEST_F(SpreadsheetWindowTest, OneTabPerOpenWorkbook) {
    m_application.Workbooks().Open(PathOf("Output.xlsx"));
    m_application.setVisible(true);
    m_application.Workbooks().Open(PathOf("Stelvador.xls"));
    auto* tabs = Window()->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Output.xlsx");
    EXPECT_EQ(tabs->tabText(1), "Stelvador.xls");
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST_F(SpreadsheetWindowTest, AClosedWorkbookLeavesItsTabAndTheOtherBecomesActive) {
    const Workbook output = m_application.Workbooks().Open(PathOf("Output.xlsx"));
    m_application.setVisible(true);
    const Workbook read = m_application.Workbooks().Open(PathOf("Stelvador.xls"));
    const Worksheet readSheet = read.Worksheets(1);
    read.Close();

    EXPECT_TRUE(read.isNothing());
    EXPECT_TRUE(readSheet.isNothing());
    EXPECT_EQ(m_application.Workbooks().Count(), 1);
    EXPECT_EQ(m_application.ActiveSheet().Cells(1, 1).Value(), "Row No");
    auto* tabs = Window()->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Output.xlsx");
    EXPECT_EQ(CurrentModel(Window())->data(CurrentModel(Window())->index(0, 0)).toString(),
              "Row No");
    QApplication::processEvents();  // the closed page's widgets go

    output.Close();
    EXPECT_TRUE(m_application.ActiveSheet().isNothing());
    EXPECT_EQ(tabs->count(), 0);
    EXPECT_TRUE(m_question->asked.empty());
}

TEST_F(SpreadsheetWindowTest, SaveToAFolderThatCannotTakeTheWorkbookOffersAnotherPlace) {
    const Workbook book = m_application.Workbooks().Open(PathOf("Output.xlsx"));
    book.Worksheets(1).Cells(2, 2).setValue("kept");
    m_application.setVisible(true);
    const ScratchFolder another("elsewhere");
    const fs::path elsewhere = another.path() / "Output.xlsx";
    fs::remove_all(m_folder);  // the workbook's folder has gone
    m_question->paths.push_back(elsewhere.string());
    Window()->findChild<QAction*>("actionSave")->trigger();

    EXPECT_EQ(m_question->failures.size(), 1u);
    EXPECT_TRUE(book.Saved());
    EXPECT_EQ(book.FullName(), elsewhere.string());
    EXPECT_EQ(CellOnDisk(elsewhere.string(), 2, 2), "kept");
    fs::remove(elsewhere);
}

TEST_F(SpreadsheetWindowTest, QuitAsksSavesAndClosesTheWindow) {
    const Workbook book = m_application.Workbooks().Open(PathOf("Output.xlsx"));
    book.Worksheets(1).Cells(2, 2).setValue("kept");
    m_application.setVisible(true);
    m_question->answers.push_back(SaveChangesAnswer::Save);
    m_application.Quit();
    EXPECT_EQ(m_question->asked.size(), 1u);
    EXPECT_EQ(Window(), nullptr);
    const Worksheet reread =
        m_applications.Create().Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1);
    EXPECT_EQ(reread.Cells(2, 2).Value(), "kept");
}

}  // namespace
}  // namespace stelvador
