// The data entry window's two screens: the start-up screen (the centre panel, file and Edit
// commands disabled) and the data entry screen (the grid and its cell mirror, every command).
#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "entry/kkj.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "widgets/panel_status_bar.h"

namespace stelvador {

void kkj::enableFileAndEditCommands(bool enabled) {
    for (QAction* item :
         {m_mnuSaveAs, m_mnuClose, m_mnuClear, m_mnuDelete, m_mnuEditInsertRow, m_mnuEditCut,
          m_mnuEditCopy, m_mnuEditPaste, m_mnuEditDelete, m_mnuEditSelectAll}) {
        item->setEnabled(enabled);
    }
    for (const int position : entry_toolbar::kFileAndEditButtons) {
        toolbarButton(position)->setEnabled(enabled);
    }
}

void kkj::enableWorkbookImports(bool enabled) {
    m_mnu9703->setEnabled(enabled);
    m_mnu07Later->setEnabled(enabled);
    for (const int position : entry_toolbar::kWorkbookImportButtons) {
        toolbarButton(position)->setEnabled(enabled);
    }
}

void kkj::showGrid(bool shown) {
    MSFlexGrid1().setVisible(shown);
    m_cellMirror->setVisible(shown);
}

void kkj::focusGrid() {
    // A grid shown without the focus would leave the first keys typed after New File going
    // nowhere, and the first Tab only moving the focus, putting every later value one column
    // to the left of where it was meant.
    if (!m_gridView->isHidden()) {
        m_gridView->setFocus(Qt::OtherFocusReason);
    }
}

void kkj::showCommandButtons(bool shown) {
    m_command2->setVisible(shown);
    m_command3->setVisible(shown);
}

void kkj::showDataEntryScreen() {
    m_centrePanel->setVisible(false);
    m_statusBar->setPanelText(1, "New File");
    m_statusBar->setPanelEnabled(1, true);
    enableFileAndEditCommands(true);
    showGrid(true);
}

void kkj::mnuClose_Click() {
    handlerTop([&] {
        setScreenTitle("Start-up Screen");
        EnterContinueOnError();
        m_centrePanel->setVisible(true);
        enableFileAndEditCommands(false);
        showGrid(false);
        showCommandButtons(false);
        enableWorkbookImports(true);
    });
}

}  // namespace stelvador
