// The Edit commands on the results grid, run by the grid editing the window shares with the data
// entry window: Ctrl+C is Cut here, and Select All starts at row 0, column 0 (every cell).
#include "common/error_message_tables.h"
#include "results/form10.h"
#include "widgets/error_reporter.h"
#include "widgets/grid_editing.h"

namespace stelvador {

void Form10::mnuEditCut_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { cutSelection(); });
}

void Form10::mnuEditCopy_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { copySelection(); });
}

void Form10::mnuEditPaste_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { pasteClipboard(); });
}

void Form10::mnuEditDelete_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { deleteSelection(); });
}

void Form10::mnuEditSelectAll_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { selectAllCells(); });
}

void Form10::cutSelection() {
    m_gridEditing->mnuEditCut_Click();
}

void Form10::copySelection() {
    m_gridEditing->mnuEditCopy_Click();
}

void Form10::pasteClipboard() {
    m_gridEditing->mnuEditPaste_Click();
}

void Form10::deleteSelection() {
    m_gridEditing->mnuEditDelete_Click();
}

void Form10::selectAllCells() {
    m_gridEditing->mnuEditSelectAll_Click();
}

}  // namespace stelvador
