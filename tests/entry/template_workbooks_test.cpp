// Template editing over the real spreadsheet applications and their windows, offscreen.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/continue_on_error.h"
#include "entry/template_workbooks.h"
#include "platform/spreadsheet/scripted_save_changes_question.h"
#include "platform/spreadsheet/spreadsheet_objects.h"
#include "platform/spreadsheet/spreadsheet_window.h"
#include "platform/spreadsheet/workbook_file.h"
#include "workbook_test_window.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::vector<SpreadsheetWindow*> ShownSpreadsheetWindows() {
    std::vector<SpreadsheetWindow*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<SpreadsheetWindow*>(widget);
            window && window->isVisible()) {
            shown.push_back(window);
        }
    }
    return shown;
}

class TemplateWorkbooksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        m_work = fs::temp_directory_path() /
                 ("stelvador-template-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_work / "program" / kTemplateFolder);
        for (const std::string_view name : {kXlsTemplate, kXlsxTemplate}) {
            fs::copy_file(TemplateWorkbookPath(STELVADOR_PROGRAM_DIR, name),
                          TemplateWorkbookPath((m_work / "program").string(), name));
        }
    }
    void TearDown() override { fs::remove_all(m_work); }

    fs::path m_work;
};

TEST_F(TemplateWorkbooksTest, ShowsTheTemplateInANewApplicationAndLeavesItOpen) {
    for (const std::string_view name : {kXlsTemplate, kXlsxTemplate}) {
        SCOPED_TRACE(std::string(name));
        WorkbookTestWindow window((m_work / "program").string());
        window.grid().setTextMatrix(1, 1, "typed");
        const std::vector<std::string> gridBefore = GridLines(window.grid());

        EditTemplateWorkbook(window, name);

        EXPECT_EQ(PendingError(), 0);
        EXPECT_EQ(window.titles,
                  (std::vector<std::string>{"Edit Excel File", "Data Entry Screen"}));
        EXPECT_EQ(GridLines(window.grid()), gridBefore);
        EXPECT_EQ(window.newFileRuns, 0);
        EXPECT_TRUE(window.dialog.calls().empty());

        ASSERT_EQ(window.applications().RunningCount(), 1);
        const SpreadsheetApplication application = window.applications().Attach();
        EXPECT_TRUE(application.Visible());
        ASSERT_EQ(application.Workbooks().Count(), 1);
        const Worksheet sheet = application.ActiveSheet();
        EXPECT_EQ(sheet.Cells(1, 1).Value(), "Row No");
        EXPECT_EQ(sheet.Cells(1, 2).Value(), "Sample No");
        EXPECT_EQ(sheet.Cells(1, 3).Value(), "SiO2");
        EXPECT_EQ(sheet.Cells(1, 44).Value(), "H2O");
        EXPECT_EQ(sheet.Cells(2, 1).Value(), "1");
        EXPECT_EQ(sheet.Cells(301, 1).Value(), "300");
        // Opening changes no cell: the row number in A123 stays, and nothing counts as changed.
        EXPECT_EQ(sheet.Cells(123, 1).Value(), "122");
        EXPECT_TRUE(application.Workbooks()
                        .Find(TemplateWorkbookPath((m_work / "program").string(), name))
                        .Saved());

        // The window shows the sheet with the grid's headings and row numbers.
        const std::vector<SpreadsheetWindow*> shown = ShownSpreadsheetWindows();
        ASSERT_EQ(shown.size(), 1u);
        auto* view = qobject_cast<QTableView*>(shown[0]->findChild<QTabWidget*>()->currentWidget());
        ASSERT_NE(view, nullptr);
        const QAbstractItemModel& model = *view->model();
        EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Row No"));
        EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("SiO2"));
        EXPECT_EQ(model.data(model.index(5, 0)).toString(), QStringLiteral("5"));
        EXPECT_NE(shown[0]->windowTitle().indexOf(QString::fromUtf8(name.data(), name.size())), -1);
    }
}

TEST_F(TemplateWorkbooksTest, EachTemplateStartsItsOwnApplication) {
    WorkbookTestWindow window((m_work / "program").string());
    EditTemplateWorkbook(window, kXlsxTemplate);
    EditTemplateWorkbook(window, kXlsTemplate);
    EXPECT_EQ(window.applications().RunningCount(), 2);
    EXPECT_EQ(ShownSpreadsheetWindows().size(), 2u);
}

// Edited, its window closed (hidden), the template opened again: its own window comes back with
// the edit, and no second copy is read from disk to save over it.
TEST_F(TemplateWorkbooksTest, ATemplateOpenAlreadyIsShownWithItsEdits) {
    WorkbookTestWindow window((m_work / "program").string());
    EditTemplateWorkbook(window, kXlsxTemplate);
    EditTemplateWorkbook(window, kXlsTemplate);  // another application in between
    std::vector<SpreadsheetWindow*> shown = ShownSpreadsheetWindows();
    ASSERT_EQ(shown.size(), 2u);
    SpreadsheetWindow* first =
        shown[0]->windowTitle().startsWith("Stelvador.xlsx") ? shown[0] : shown[1];
    auto* view = qobject_cast<QTableView*>(first->findChild<QTabWidget*>()->currentWidget());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->model()->setData(view->model()->index(1, 1), "EP-7", Qt::EditRole));
    first->close();
    ASSERT_FALSE(first->isVisible());

    EditTemplateWorkbook(window, kXlsxTemplate);

    EXPECT_EQ(PendingError(), 0);
    EXPECT_EQ(window.applications().RunningCount(), 2);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindowModified());
    EXPECT_EQ(view->model()->data(view->model()->index(1, 1)).toString(), QStringLiteral("EP-7"));
    EXPECT_EQ(ShownSpreadsheetWindows().size(), 2u);
}

TEST_F(TemplateWorkbooksTest, AMissingTemplateIsReportedAsFileNotFound) {
    fs::remove_all(m_work / "program" / kTemplateFolder / kXlsTemplate);
    WorkbookTestWindow window((m_work / "program").string());
    EditTemplateWorkbook(window, kXlsTemplate);

    EXPECT_EQ(PendingError(), 53);
    EXPECT_EQ(window.titles.back(), "Data Entry Screen");
    ASSERT_EQ(window.applications().RunningCount(), 1);
    EXPECT_EQ(window.applications().Attach().Workbooks().Count(), 0);
}

TEST_F(TemplateWorkbooksTest, ATemplateItsFolderCannotTakeIsSavedElsewhereWithNothingLost) {
    auto question = std::make_shared<ScriptedSaveChangesQuestion>();
    WorkbookTestWindow window((m_work / "program").string(), question);
    EditTemplateWorkbook(window, kXlsxTemplate);
    const SpreadsheetApplication application = window.applications().Attach();
    application.ActiveSheet().Cells(2, 2).setValue("EP-7");

    // The program folder cannot be written (here: it has gone).
    fs::remove_all(m_work / "program");
    const fs::path elsewhere = m_work / "my analyses.xlsx";
    question->paths.push_back(elsewhere.string());
    const std::vector<SpreadsheetWindow*> shown = ShownSpreadsheetWindows();
    ASSERT_EQ(shown.size(), 1u);
    shown[0]->SaveCurrentWorkbook();

    EXPECT_EQ(question->failures.size(), 1u);
    ASSERT_TRUE(fs::exists(elsewhere));
    const WorkbookData saved = ReadWorkbookFile(elsewhere.string());
    const SheetCells& cells = saved.sheets.at(0).cells;
    ASSERT_NE(cells.Find(2, 2), nullptr);
    EXPECT_EQ(cells.Find(2, 2)->text, "EP-7");
    ASSERT_NE(cells.Find(1, 3), nullptr);
    EXPECT_EQ(cells.Find(1, 3)->text, "SiO2");
    EXPECT_TRUE(application.Workbooks().Count() == 1);
}

}  // namespace
}  // namespace stelvador
