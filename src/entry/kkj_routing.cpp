// The data entry window's toolbar dispatch and the handlers of its menus that need no more.
#include <QAction>

#include "entry/kkj.h"
#include "widgets/grid_editing.h"

namespace stelvador {

void kkj::Toolbar1_ButtonClick(int position) {
    handlerTop([&] { runToolbarCommand(position); });
}

// Each button runs its command's handler; a separator runs nothing.
void kkj::runToolbarCommand(int position) {
    switch (position) {
        case entry_toolbar::kNewFile:
            mnuNewFile_Click();
            break;
        case entry_toolbar::kOpenFile:
            mnuOpenFile_Click();
            break;
        case entry_toolbar::kSaveAs:
            mnuSaveAs_Click();
            break;
        case entry_toolbar::kClose:
            mnuClose_Click();
            break;
        case entry_toolbar::kExit:
            mnuExit_Click();
            break;
        case entry_toolbar::kCut:
            m_gridEditing->mnuEditCut_Click();
            break;
        case entry_toolbar::kCopy:
            m_gridEditing->mnuEditCopy_Click();
            break;
        case entry_toolbar::kPaste:
            m_gridEditing->mnuEditPaste_Click();
            break;
        case entry_toolbar::kDelete:
            m_gridEditing->mnuEditDelete_Click();
            break;
        case entry_toolbar::kSelectAll:
            m_gridEditing->mnuEditSelectAll_Click();
            break;
        case entry_toolbar::kCalculate:
            mnuOpen_Click();
            break;
        case entry_toolbar::kLoadXls:
            Command2_Click();
            break;
        case entry_toolbar::kLoadXlsx:
            mnu07Later_Click();
            break;
        case entry_toolbar::kEditXls:
            Command3_Click();
            break;
        case entry_toolbar::kEditXlsx:
            EditTemplateWorkbookXlsx();
            break;
        case entry_toolbar::kAbout:
            mnuAbout_Click();
            break;
        case entry_toolbar::kHelp:
            mnuHelp_Click();
            break;
        case entry_toolbar::kNextScreen:
            DisplayNextScreen();
            break;
        default:
            break;
    }
}

void kkj::mnuOpen_Click() {
    // The run's last failure is reported whatever way the command was chosen.
    handlerTop([&] { RunCalculateCommand(*this); });
}

void kkj::mnuSiNorm_Click() {
    handlerTop([&] { m_mnuSiNorm->setChecked(!m_mnuSiNorm->isChecked()); });
}

}  // namespace stelvador
