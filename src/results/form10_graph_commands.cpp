// The Graph menu and the plot document dialog: plot documents handed to the desktop.
#include <QMenu>

#include "common/project_variables.h"
#include "platform/file_dialog.h"
#include "platform/shell.h"
#include "results/form10.h"
#include "results/graph_items.h"

namespace stelvador {

namespace {

struct GraphSubmenuDesign {
    GraphSubmenu submenu;
    const char* control;
    const char* caption;
    const char* separatorAfter;
};

constexpr GraphSubmenuDesign kGraphSubmenus[] = {
    {GraphSubmenu::Clinozoisite, "mnuClinozoisite", "Clinozoisite Subgroup Plots", "mnuCiz72"},
    {GraphSubmenu::Allanite, "mnuAllanite", "Allanite Subgroup Plots", "mnuCiz76"},
    {GraphSubmenu::Others, "mnuOthers", "Other Plots", "mnuCiz77"},
};

using GraphHandler = void (Form10::*)();

constexpr std::array<GraphHandler, kGraphItemCount> kGraphHandlers{
    &Form10::mnuXCrAlFe3_Click,   &Form10::mnuVAlFe_Click,      &Form10::mnuMnAlFe_Click,
    &Form10::mnuFeMgMn_Click,     &Form10::mnuCeLaY_Click,      &Form10::mnuCeLaNd_Click,
    &Form10::mnuAltotREE_Click,   &Form10::mnuAltotREESr_Click, &Form10::mnuFe2MgFe3AlVI_Click,
    &Form10::mnuAlFe3Fe2Mg_Click, &Form10::mnuComplex_Click,    &Form10::mnuM2M3Al_Click,
    &Form10::mnuAlVMg_Click,
};

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void Form10::buildGraphMenu(QMenu& menu) {
    menu.addSeparator()->setObjectName(QStringLiteral("mnuCiz71"));
    for (const GraphSubmenuDesign& design : kGraphSubmenus) {
        QMenu* submenu = menu.addMenu(QString::fromLatin1(design.caption));
        submenu->setObjectName(QString::fromLatin1(design.control));
        for (std::size_t i = 0; i < kGraphItems.size(); ++i) {
            const GraphItem& item = kGraphItems[i];
            if (item.submenu == design.submenu) {
                addMenuItem(*submenu, FromView(item.control), FromView(item.caption),
                            kGraphHandlers[i]);
            }
        }
        menu.addSeparator()->setObjectName(QString::fromLatin1(design.separatorAfter));
    }
}

void Form10::openGraphItem(int index) {
    const std::string document(kGraphItems[static_cast<std::size_t>(index)].document);
    runReported([&] { OpenPlotDocument(document); });
}

void Form10::OpenPlotDocument(const std::string& document) {
    // The name has no folder: the document is looked for in the current directory, where the
    // Calculate command writes the plot data files.
    Project().LastFileName = document;
    OpenExistingDocument(m_services.shell, Project().LastFileName);
}

void Form10::OpenChosenPlotDocument() {
    FileDialog& dialog = m_services.fileDialog;
    dialog.setFilter("Grapher files(*.grf) |*.grf");
    dialog.ShowOpen();
    if (dialog.FileName().empty()) {
        return;  // cancelled: nothing is opened or changed
    }
    OpenPlotDocument(dialog.FileName());
}

void Form10::mnuXCrAlFe3_Click() {
    openGraphItem(0);
}
void Form10::mnuVAlFe_Click() {
    openGraphItem(1);
}
void Form10::mnuMnAlFe_Click() {
    openGraphItem(2);
}
void Form10::mnuFeMgMn_Click() {
    openGraphItem(3);
}
void Form10::mnuCeLaY_Click() {
    openGraphItem(4);
}
void Form10::mnuCeLaNd_Click() {
    openGraphItem(5);
}
void Form10::mnuAltotREE_Click() {
    openGraphItem(6);
}
void Form10::mnuAltotREESr_Click() {
    openGraphItem(7);
}
void Form10::mnuFe2MgFe3AlVI_Click() {
    openGraphItem(8);
}
void Form10::mnuAlFe3Fe2Mg_Click() {
    openGraphItem(9);
}
void Form10::mnuComplex_Click() {
    openGraphItem(10);
}
void Form10::mnuM2M3Al_Click() {
    openGraphItem(11);
}
void Form10::mnuAlVMg_Click() {
    openGraphItem(12);
}

}  // namespace stelvador
