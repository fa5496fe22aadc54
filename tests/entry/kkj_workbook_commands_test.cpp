// The workbook commands through the data entry window: the import from its menu items and
// toolbar positions, then Calculate and Save As; template editing from its menu items and
// toolbar positions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "calculation_fixture.h"
#include "entry/template_workbooks.h"
#include "entry/workbook_import.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "platform/spreadsheet/spreadsheet_window.h"
#include "platform/spreadsheet/workbook_file.h"
#include "widgets/panel_status_bar.h"
#include "workbook_test_window.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

fs::path Fixture(const std::string& file) {
    return fs::path(STELVADOR_WORKBOOK_FIXTURES) / file;
}

int ShownSpreadsheetWindows() {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "SpreadsheetWindow" && widget->isVisible()) {
            ++shown;
        }
    }
    return shown;
}

class WorkbookCommandsWindowTest : public CalculationFixture {
  protected:
    void SetUp() override {
        CalculationFixture::SetUp();
        // A program folder of the test's own, with the output and template workbooks.
        m_programFolder = m_work / "program";
        fs::create_directories(m_programFolder / kTemplateFolder);
        fs::copy_file(programFolderWithWorkbook() / "Output.xlsx", m_programFolder / "Output.xlsx");
        for (const std::string_view name : {kXlsTemplate, kXlsxTemplate}) {
            fs::copy_file(TemplateWorkbookPath(STELVADOR_PROGRAM_DIR, name),
                          TemplateWorkbookPath(m_programFolder.string(), name));
        }
        openWindow();
    }
    std::string copyFixture(const std::string& file) const {
        fs::copy_file(Fixture(file), m_work / file);
        return (m_work / file).string();
    }
};

TEST_F(WorkbookCommandsWindowTest, EachImportEntryFillsTheGridWithItsFilter) {
    struct Entry {
        std::string name;
        std::function<void(kkj&)> run;
        std::string file;
        std::string_view filter;
    };
    const std::vector<Entry> entries = {
        {"menu .xls", [](kkj& w) { w.mnu9703().trigger(); }, "import_libreoffice.xls",
         kXlsImportFilter},
        {"menu .xlsx", [](kkj& w) { w.mnu07Later().trigger(); }, "import_libreoffice.xlsx",
         kXlsxImportFilter},
        {"toolbar 15", [](kkj& w) { w.Toolbar1_ButtonClick(15); }, "import_xlsxwriter.xlsx",
         kXlsImportFilter},
        {"toolbar 16", [](kkj& w) { w.Toolbar1_ButtonClick(16); }, "import_openpyxl.xlsx",
         kXlsxImportFilter},
    };
    const std::vector<std::string> expected = ReadLines(Fixture("import_analyses.expected.tsv"));
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.name);
        m_window->mnuClose_Click();
        m_dialog.queuePath(copyFixture(entry.file));
        entry.run(*m_window);

        EXPECT_EQ(GridLines(m_window->MSFlexGrid1()), expected);
        EXPECT_EQ(m_dialog.calls().back().filter, std::string(entry.filter));
        EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
        EXPECT_TRUE(m_window->gridView().isVisibleTo(m_window.get()));
        EXPECT_FALSE(m_window->Frame1().isVisibleTo(m_window.get()));
        EXPECT_EQ(m_window->StatusBar1().panelText(1), "New File");
        EXPECT_FALSE(m_window->mnuOpen().isChecked());
        EXPECT_TRUE(m_messages.texts().empty());
        // The wait cursor shown while the workbook was read is gone again.
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        fs::remove(m_work / entry.file);
    }
}

TEST_F(WorkbookCommandsWindowTest, ACancelledImportChangesNothingFromAnyEntry) {
    const std::vector<std::function<void()>> entries = {
        [&] { m_window->mnu9703_Click(); }, [&] { m_window->mnu07Later_Click(); },
        [&] { m_window->Toolbar1_ButtonClick(15); }, [&] { m_window->Toolbar1_ButtonClick(16); }};
    for (const auto& run : entries) {
        const std::vector<std::string> before = GridLines(m_window->MSFlexGrid1());
        m_dialog.queueCancel();
        run();
        EXPECT_EQ(m_window->screenTitle(), "Start-up Screen");
        EXPECT_FALSE(m_window->gridView().isVisibleTo(m_window.get()));
        EXPECT_EQ(m_window->StatusBar1().panelText(1), "No Selected File");
        EXPECT_EQ(GridLines(m_window->MSFlexGrid1()), before);
        EXPECT_TRUE(m_messages.texts().empty());
    }
}

TEST_F(WorkbookCommandsWindowTest, AWorkbookThatCannotBeReadIsReportedOnceWhateverTheEntry) {
    std::ofstream(m_work / "notes.xlsx") << "not a workbook";
    for (const auto& run :
         std::vector<std::function<void()>>{[&] { m_window->mnu07Later().trigger(); },
                                            [&] { m_window->Toolbar1_ButtonClick(16); }}) {
        m_messages.clear();
        m_dialog.queuePath((m_work / "notes.xlsx").string());
        run();
        EXPECT_EQ(m_messages.texts(),
                  std::vector<std::string>{"Invalid file format\nThe file is not a workbook."});
        EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 0), "1");
        EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), "");
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(WorkbookCommandsWindowTest, ImportThenCalculateAndSaveAs) {
    m_dialog.queuePath(copyFixture("import_xlsxwriter.xlsx"));
    m_window->mnu07Later_Click();
    m_dialog.queuePath((m_work / "imported.epd").string());
    m_window->mnuSaveAs_Click();
    EXPECT_EQ(ReadBytes(m_work / "imported.epd"),
              ReadBytes(Fixture("import_analyses.expected.epd")));

    m_dialog.queueCancel();  // the Calculate command calculates the grid as it stands
    m_window->mnuOpen_Click();
    const std::vector<std::string> fromWorkbook = resultRows();
    ASSERT_EQ(fromWorkbook.size(), 19u);

    m_window.reset();
    m_link.reset();
    openWindow();
    calculateFile(m_work / "imported.epd");
    EXPECT_EQ(resultRows(), fromWorkbook);
}

// The toolbar entries open the templates the menu items opened already: their windows show
// again, and no second copy opens.
TEST_F(WorkbookCommandsWindowTest, EachTemplateEntryShowsItsTemplateAndLeavesItOpen) {
    struct Entry {
        std::function<void()> run;
        std::string file;
        int shownAfter;
    };
    const int shownBefore = ShownSpreadsheetWindows();
    const std::vector<Entry> entries = {
        {[&] { m_window->mnu9703e().trigger(); }, "Stelvador.xls", shownBefore + 1},
        {[&] { m_window->mnu07Latere().trigger(); }, "Stelvador.xlsx", shownBefore + 2},
        {[&] { m_window->Toolbar1_ButtonClick(17); }, "Stelvador.xls", shownBefore + 2},
        {[&] { m_window->Toolbar1_ButtonClick(18); }, "Stelvador.xlsx", shownBefore + 2},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.file);
        entry.run();
        EXPECT_EQ(ShownSpreadsheetWindows(), entry.shownAfter);
        const SpreadsheetApplication holder =
            m_spreadsheets->Holding(TemplateWorkbookPath(m_programFolder.string(), entry.file));
        ASSERT_FALSE(holder.isNothing());
        EXPECT_TRUE(holder.Visible());
        EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
        EXPECT_TRUE(m_messages.texts().empty());
    }
    EXPECT_EQ(m_spreadsheets->RunningCount(), 2);
    EXPECT_TRUE(m_dialog.calls().empty());
}

// The shown spreadsheet window whose current workbook is the file, or nullptr.
SpreadsheetWindow* ShownWindowOf(const std::string& file) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<SpreadsheetWindow*>(widget);
        if (window != nullptr && window->isVisible() &&
            window->windowTitle() == QString::fromStdString(file) + "[*]") {
            return window;
        }
    }
    return nullptr;
}

// Types the text into a cell of the window's current sheet (row and column from 1), as an edit
// in its grid does.
void TypeInto(SpreadsheetWindow& window, int row, int column, const QString& text) {
    auto* view = qobject_cast<QTableView*>(window.findChild<QTabWidget*>()->currentWidget());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->model()->setData(view->model()->index(row - 1, column - 1), text));
}

QString ShownText(SpreadsheetWindow& window, int row, int column) {
    auto* view = qobject_cast<QTableView*>(window.findChild<QTabWidget*>()->currentWidget());
    return view->model()->data(view->model()->index(row - 1, column - 1)).toString();
}

// Looking at the templates changes nothing: Exit asks nothing and leaves both files byte for
// byte as they were.
TEST_F(WorkbookCommandsWindowTest, TemplatesLookedAtAreLeftByteForByteAndExitAsksNothing) {
    const std::string xls = TemplateWorkbookPath(m_programFolder.string(), kXlsTemplate);
    const std::string xlsx = TemplateWorkbookPath(m_programFolder.string(), kXlsxTemplate);
    const std::string xlsBytes = ReadBytes(xls);
    const std::string xlsxBytes = ReadBytes(xlsx);
    m_window->show();
    m_window->mnu9703e().trigger();
    m_window->mnu07Latere().trigger();
    for (const std::string_view name : {kXlsTemplate, kXlsxTemplate}) {
        SpreadsheetWindow* shown = ShownWindowOf(std::string(name));
        ASSERT_NE(shown, nullptr) << name;
        EXPECT_FALSE(shown->isWindowModified());
        EXPECT_EQ(ShownText(*shown, 123, 1), QStringLiteral("122"));
    }
    m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::Save};

    m_window->mnuExit().trigger();

    EXPECT_TRUE(m_question->asked.empty());
    EXPECT_TRUE(m_window->isHidden());
    EXPECT_EQ(m_spreadsheets->RunningCount(), 0);
    EXPECT_EQ(ReadBytes(xls), xlsBytes);
    EXPECT_EQ(ReadBytes(xlsx), xlsxBytes);
    // Nothing was written beside them either.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_programFolder / kTemplateFolder),
                            fs::directory_iterator()),
              2);
}

// We write no .xls: the edited .xls template is saved, from Save and from Exit, as a new .xlsx
// beside it; the .xlsx template (and any file there) is never proposed and stays as it was.
TEST_F(WorkbookCommandsWindowTest, TheEditedXlsTemplateIsSavedAsANewXlsxBesideIt) {
    const fs::path folder = m_programFolder / kTemplateFolder;
    const std::string xlsBytes = ReadBytes(folder / kXlsTemplate);
    const std::string xlsxBytes = ReadBytes(folder / kXlsxTemplate);
    const fs::path first = folder / "Stelvador (from xls).xlsx";
    const fs::path second = folder / "Stelvador (from xls) 2.xlsx";

    // Save in the spreadsheet window (Ctrl+S).
    m_window->mnu9703e().trigger();
    SpreadsheetWindow* shown = ShownWindowOf("Stelvador.xls");
    ASSERT_NE(shown, nullptr);
    TypeInto(*shown, 2, 2, "EP-7");
    m_question->paths = {first.string()};
    shown->findChild<QAction*>("actionSave")->trigger();
    EXPECT_EQ(m_question->toldNewXlsx, std::vector<std::string>{"Stelvador.xls"});
    EXPECT_EQ(m_question->suggested, std::vector<std::string>{first.string()});
    ASSERT_TRUE(fs::exists(first));
    EXPECT_EQ(ReadWorkbookFile(first.string()).sheets.at(0).cells.Find(2, 2)->text, "EP-7");
    EXPECT_EQ(ShownWindowOf("Stelvador (from xls).xlsx"), shown);
    EXPECT_FALSE(shown->isWindowModified());

    // At Exit, the .xls template edited again in a window of its own.
    m_question->toldNewXlsx.clear();
    m_question->suggested.clear();
    m_window->mnu9703e().trigger();
    SpreadsheetWindow* again = ShownWindowOf("Stelvador.xls");
    ASSERT_NE(again, nullptr);
    TypeInto(*again, 3, 2, "EP-8");
    m_question->answers = {SaveChangesAnswer::Save};
    m_question->paths = {second.string()};
    m_window->mnuExit().trigger();
    EXPECT_EQ(m_question->asked, std::vector<std::string>{"Stelvador.xls"});
    EXPECT_EQ(m_question->toldNewXlsx, std::vector<std::string>{"Stelvador.xls"});
    EXPECT_EQ(m_question->suggested, std::vector<std::string>{second.string()});
    ASSERT_TRUE(fs::exists(second));
    EXPECT_EQ(ReadWorkbookFile(second.string()).sheets.at(0).cells.Find(3, 2)->text, "EP-8");

    EXPECT_EQ(ReadBytes(folder / kXlsTemplate), xlsBytes);
    EXPECT_EQ(ReadBytes(folder / kXlsxTemplate), xlsxBytes);
}

// Edited, hidden and opened again, the template comes back in its own window with the edit;
// the import reads that edit from the window that holds it, although an earlier import started
// an application of its own.
TEST_F(WorkbookCommandsWindowTest, AnOpenTemplateIsShownAgainAndImportedWithItsEdits) {
    const std::string xlsx = TemplateWorkbookPath(m_programFolder.string(), kXlsxTemplate);
    const std::string xlsxBytes = ReadBytes(xlsx);
    m_dialog.queuePath(copyFixture("import_openpyxl.xlsx"));
    m_window->mnu07Later().trigger();
    ASSERT_EQ(m_spreadsheets->RunningCount(), 1);

    m_window->mnu07Latere().trigger();
    SpreadsheetWindow* shown = ShownWindowOf("Stelvador.xlsx");
    ASSERT_NE(shown, nullptr);
    TypeInto(*shown, 2, 2, "EP-7");
    shown->findChild<QAction*>("actionClose")->trigger();
    ASSERT_FALSE(shown->isVisible());

    m_window->mnu07Latere().trigger();
    EXPECT_EQ(ShownWindowOf("Stelvador.xlsx"), shown);
    EXPECT_TRUE(shown->isWindowModified());
    EXPECT_EQ(ShownText(*shown, 2, 2), QStringLiteral("EP-7"));
    EXPECT_EQ(m_spreadsheets->RunningCount(), 2);

    m_dialog.queuePath(xlsx);
    m_window->mnu07Later().trigger();
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), "EP-7");
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(2, 0), "2");
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(ReadBytes(xlsx), xlsxBytes);
}

TEST_F(WorkbookCommandsWindowTest, ShortcutsWorkWhileTheGridHasTheFocus) {
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_window->mnuNewFile_Click();
    m_window->gridView().setFocus();
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(&m_window->gridView(), key, Qt::ControlModifier);
    };

    m_dialog.queueCancel();
    press(Qt::Key_G);
    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls().back().filter, std::string(kXlsImportFilter));
    m_dialog.queueCancel();
    press(Qt::Key_H);
    ASSERT_EQ(m_dialog.calls().size(), 2u);
    EXPECT_EQ(m_dialog.calls().back().filter, std::string(kXlsxImportFilter));

    const int shown = ShownSpreadsheetWindows();
    press(Qt::Key_F1);
    EXPECT_EQ(ShownSpreadsheetWindows(), shown + 1);
    press(Qt::Key_F2);
    EXPECT_EQ(ShownSpreadsheetWindows(), shown + 2);
    EXPECT_TRUE(m_messages.texts().empty());
}

// The dialog has made the workbook's folder current: the import leaves no grid template there,
// while New File still writes one.
TEST_F(WorkbookCommandsWindowTest, TheImportWritesNoGridTemplateBesideTheWorkbook) {
    m_dialog.queuePath(copyFixture("import_openpyxl.xlsx"));
    m_window->mnu07Later_Click();
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(0, 1), "Sample No");
    EXPECT_FALSE(fs::exists(m_work / "epdt.tem"));
    EXPECT_TRUE(m_messages.texts().empty());
    m_window->mnuNewFile_Click();
    EXPECT_TRUE(fs::exists(m_work / "epdt.tem"));
}

TEST_F(WorkbookCommandsWindowTest, AMissingTemplateIsReported) {
    fs::remove(TemplateWorkbookPath(m_programFolder.string(), kXlsxTemplate));
    m_window->mnu07Latere_Click();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"File not found"});
}

}  // namespace
}  // namespace stelvador
