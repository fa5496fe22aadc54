// The workbook commands through the data entry window: the import from its menu items and
// toolbar positions, then Calculate and Save As; template editing from its menu items and
// toolbar positions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "calculation_fixture.h"
#include "entry/template_workbooks.h"
#include "entry/workbook_import.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
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
