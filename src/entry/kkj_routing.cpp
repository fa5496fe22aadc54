// The data entry window's toolbar dispatch and the handlers of its menus that need no more.
#include <QAction>

#include "entry/kkj.h"
#include "widgets/grid_editing.h"

namespace stelvador {

void kkj::Toolbar1_ButtonClick(int position) {
    handlerTop([&] { runToolbarCommand(position); });
}

// Each position runs its command's handler; separators (6, 12, 14, 19) run nothing.
void kkj::runToolbarCommand(int position) {
    switch (position) {
        case 1:
            mnuNewFile_Click();
            break;
        case 2:
            mnuOpenFile_Click();
            break;
        case 3:
            mnuSaveAs_Click();
            break;
        case 4:
            mnuClose_Click();
            break;
        case 5:
            mnuExit_Click();
            break;
        case 7:
            m_gridEditing->mnuEditCut_Click();
            break;
        case 8:
            m_gridEditing->mnuEditCopy_Click();
            break;
        case 9:
            m_gridEditing->mnuEditPaste_Click();
            break;
        case 10:
            m_gridEditing->mnuEditDelete_Click();
            break;
        case 11:
            m_gridEditing->mnuEditSelectAll_Click();
            break;
        case kCalculatePosition:
            mnuOpen_Click();
            break;
        case 15:
            Command2_Click();
            break;
        case 16:
            mnu07Later_Click();
            break;
        case 17:
            Command3_Click();
            break;
        case 18:
            EditTemplateWorkbookXlsx();
            break;
        case 20:
            mnuAbout_Click();
            break;
        case 21:
            mnuHelp_Click();
            break;
        case 22:
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
