#include "window_state.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "entry/kkj.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "widgets/panel_status_bar.h"

namespace stelvador {

WindowState ReadWindowState(kkj& window) {
    WindowState state;
    auto& f = state.flags;
    f["Frame1 visible"] = !window.Frame1().isHidden();
    f["grid visible"] = window.MSFlexGrid1().Visible() && !window.gridView().isHidden();
    f["cell mirror visible"] = !window.Text1().isHidden();
    f["Command2 visible"] = !window.Command2().isHidden();
    f["Command3 visible"] = !window.Command3().isHidden();
    f["file panel enabled"] = window.StatusBar1().panelEnabled(1);
    f["Save As"] = window.mnuSaveAs().isEnabled();
    f["Close"] = window.mnuClose().isEnabled();
    f["Clear All"] = window.mnuClear().isEnabled();
    f["Remove Row"] = window.mnuDelete().isEnabled();
    f["Insert Row"] = window.mnuEditInsertRow().isEnabled();
    f["Cut"] = window.mnuEditCut().isEnabled();
    f["Copy"] = window.mnuEditCopy().isEnabled();
    f["Paste"] = window.mnuEditPaste().isEnabled();
    f["Delete"] = window.mnuEditDelete().isEnabled();
    f["Select All"] = window.mnuEditSelectAll().isEnabled();
    f["mnu9703"] = window.mnu9703().isEnabled();
    f["mnu07Later"] = window.mnu07Later().isEnabled();
    f["loaded-grid mark"] = window.mnuOpen().isChecked();
    f["New File"] = window.mnuNewFile().isEnabled();
    f["Open File"] = window.mnuOpenFile().isEnabled();
    f["Exit"] = window.mnuExit().isEnabled();
    f["mnu9703e"] = window.mnu9703e().isEnabled();
    f["mnu07Latere"] = window.mnu07Latere().isEnabled();
    f["Open Excel File menu"] = window.mnuOEF().menuAction()->isEnabled();
    f["Si = 3 item"] = window.mnuSiNorm().isEnabled();
    f["Open File to Calculate"] = window.mnuOpen().isEnabled();
    f["About"] = window.mnuAbout().isEnabled();
    f["Help"] = window.mnuHelp().menuAction()->isEnabled();
    for (int position = 1; position <= kkj::kToolbarPositions; ++position) {
        if (QAction* button = window.toolbarButton(position)) {
            f["toolbar " + std::to_string(position)] = button->isEnabled();
        }
    }
    state.title = window.screenTitle();
    state.filePanel = window.StatusBar1().panelText(1);
    return state;
}

const char* const* AlwaysEnabledNames() {
    static const char* const names[] = {"New File",    "Open File",
                                        "Exit",        "mnu9703e",
                                        "mnu07Latere", "Open Excel File menu",
                                        "Si = 3 item", "Open File to Calculate",
                                        "About",       "Help",
                                        "toolbar 1",   "toolbar 2",
                                        "toolbar 5",   "toolbar 13",
                                        "toolbar 17",  "toolbar 18",
                                        "toolbar 20",  "toolbar 21",
                                        "toolbar 22",  nullptr};
    return names;
}

}  // namespace stelvador
