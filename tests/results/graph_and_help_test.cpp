// The Graph menu, the plot document dialog and Help hand documents to the shell, and report a
// missing one.
#include <QAction>
#include <QMenu>
#include <fstream>
#include <string>
#include <vector>

#include "common/continue_on_error.h"
#include "results/graph_items.h"
#include "results_window_fixture.h"

namespace stelvador {
namespace {

using GraphAndHelpTest = ResultsWindowFixture;

void Touch(const std::filesystem::path& path) {
    std::ofstream(path) << "document";
}

struct ExpectedItem {
    const char* submenu;
    const char* control;
    const char* caption;
    const char* document;
};

TEST_F(GraphAndHelpTest, EachGraphItemHandsExactlyItsDocumentToTheShell) {
    const ExpectedItem expected[] = {
        {"mnuClinozoisite", "mnuXCrAlFe3", "[1]  Cr - Al - Fe3+", "CrAlFe.grf"},
        {"mnuClinozoisite", "mnuVAlFe", "[2]  V - Al - Fe3+", "VAlFe.grf"},
        {"mnuClinozoisite", "mnuMnAlFe", "[3]  Mn3+ - Al - Fe3+", "MnAlFe.grf"},
        {"mnuAllanite", "mnuFeMgMn", "[1]  Fe2+ - Mg - Mn2+  [This study]", "FeMgMn.grf"},
        {"mnuAllanite", "mnuCeLaY", "[2]  Ce - La - Y ", "CeLaY.grf"},
        {"mnuAllanite", "mnuCeLaNd", "[3]  Ce - La - Nd ", "CeLaNd.grf"},
        {"mnuAllanite", "mnuAltotREE",
         "[4]  Al(total) - Total REE+Y+Th+U  [Petr\u00edk et al. (1995)]", "AltotREETh.grf"},
        {"mnuAllanite", "mnuAltotREESr", "[5]  Al(total) - Total REE+Y+Th+Sr", "AltotREEThSr.grf"},
        {"mnuAllanite", "mnuFe2MgFe3AlVI", "[6]  Fe2/(Fe2+Mg) - Fe3/(Fe3+AlVI)",
         "Fe2MgFe3AlVI.grf"},
        {"mnuOthers", "mnuAlFe3Fe2Mg", "[1]  Al+Fe3 - Fe2 - Mg", "AlFe3Fe2Mg.grf"},
        {"mnuOthers", "mnuComplex", "[2]  A2Ca+M33+-2A1Vac - REE+Y+M32+-2A1Vac - 4A1Vac",
         "CaREEVacA1.grf"},
        {"mnuOthers", "mnuM2M3Al", "[3]  Me2+ - Me3+ - AlVI", "M2M3AlVI.grf"},
        {"mnuOthers", "mnuAlVMg", "[4]  Al - V - Mg", "AlVMg.grf"},
    };
    static_assert(std::size(expected) == kGraphItemCount);
    Form10& form = loadWindow();
    for (const ExpectedItem& item : expected) {
        Touch(workFolder() / item.document);
    }
    for (const ExpectedItem& item : expected) {
        auto* submenu = form.findChild<QMenu*>(QString::fromLatin1(item.submenu));
        ASSERT_NE(submenu, nullptr) << item.submenu;
        QAction* action = form.menuItem(QString::fromLatin1(item.control));
        ASSERT_NE(action, nullptr) << item.control;
        EXPECT_TRUE(submenu->actions().contains(action)) << item.control;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption)) << item.control;

        m_shell.clear();
        action->trigger();
        EXPECT_EQ(m_shell.documents(), std::vector<std::string>{item.document}) << item.control;
        EXPECT_EQ(Project().LastFileName, item.document);
    }
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_TRUE(m_shell.links().empty());
}

TEST_F(GraphAndHelpTest, TheSameItemTwiceOpensItsDocumentTwice) {
    Form10& form = loadWindow();
    Touch(workFolder() / "CaREEVacA1.grf");
    form.mnuComplex_Click();
    form.mnuComplex_Click();
    EXPECT_EQ(m_shell.documents(), (std::vector<std::string>{"CaREEVacA1.grf", "CaREEVacA1.grf"}));
}

TEST_F(GraphAndHelpTest, GraphDocumentsAreLookedForInTheCurrentDirectory) {
    Form10& form = loadWindow();
    // In the program folder only: not found from the current directory.
    Touch(programFolder() / "AlVMg.grf");
    form.mnuAlVMg_Click();
    EXPECT_TRUE(m_shell.documents().empty());
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"File not found"});
    // The name that failed stays.
    EXPECT_EQ(Project().LastFileName, "AlVMg.grf");

    // After a move to another folder, the documents there are opened.
    std::filesystem::current_path(programFolder());
    m_messages.clear();
    form.mnuAlVMg_Click();
    EXPECT_EQ(m_shell.documents(), std::vector<std::string>{"AlVMg.grf"});
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(GraphAndHelpTest, PlotDialogOpensTheChosenDocument) {
    Form10& form = loadWindow();
    const std::filesystem::path chosen = programFolder() / "My plot.grf";
    Touch(chosen);
    m_dialog.queuePath(chosen.string());
    form.toolbarButton(13)->trigger();
    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls()[0].kind, ScriptedFileDialog::Kind::Open);
    EXPECT_EQ(m_dialog.calls()[0].filter, "Grapher files(*.grf) |*.grf");
    EXPECT_EQ(m_shell.documents(), std::vector<std::string>{chosen.string()});
    EXPECT_EQ(Project().LastFileName, chosen.string());
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(GraphAndHelpTest, CancelledPlotDialogOpensNothingAndShowsNothing) {
    Form10& form = loadWindow();
    Project().LastFileName = "CrAlFe.grf";
    m_dialog.queueCancel();
    form.toolbarButton(13)->trigger();
    EXPECT_TRUE(m_shell.documents().empty());
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(Project().LastFileName, "CrAlFe.grf");
}

TEST_F(GraphAndHelpTest, PlotDialogDocumentGoneBeforeItOpensIsReported) {
    Form10& form = loadWindow();
    m_dialog.queuePath((workFolder() / "Gone.grf").string());
    form.toolbarButton(13)->trigger();
    EXPECT_TRUE(m_shell.documents().empty());
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"File not found"});
}

TEST_F(GraphAndHelpTest, HelpOpensTheProgramFoldersHelpFileWhateverTheCurrentDirectory) {
    Form10& form = loadWindow();
    const std::string help = (programFolder() / "Stelvador.chm").string();
    Touch(help);
    Touch(workFolder() / "Stelvador.chm");
    // Opening the menu, then choosing its item: the help file is opened twice.
    emit form.mnuHelp().aboutToShow();
    form.menuItem("mnuHelpContents")->trigger();
    form.toolbarButton(14)->trigger();
    EXPECT_EQ(m_shell.documents(), (std::vector<std::string>{help, help, help}));
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(GraphAndHelpTest, MissingHelpFileIsReportedExceptWhenTheMenuOpens) {
    Form10& form = loadWindow();
    emit form.mnuHelp().aboutToShow();
    EXPECT_TRUE(m_messages.texts().empty());
    form.menuItem("mnuHelpContents")->trigger();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"File not found"});
    m_messages.clear();
    form.toolbarButton(14)->trigger();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"File not found"});
    EXPECT_TRUE(m_shell.documents().empty());
}

}  // namespace
}  // namespace stelvador
