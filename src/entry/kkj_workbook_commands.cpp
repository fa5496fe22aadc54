// The data entry window's workbook commands: loading a workbook into the grid and editing the
// template workbooks. The commands are added later; until then their handlers do nothing. Menu
// items, buttons and toolbar positions reach these handlers through kkj::handlerTop already, so
// a handler may let a RunTimeError out: it is shown once, whichever way the command was chosen.
#include "entry/kkj.h"

namespace stelvador {

void kkj::mnu9703_Click() {}

void kkj::mnu07Later_Click() {}

void kkj::Command2_Click() {}

void kkj::mnu9703e_Click() {}

void kkj::mnu07Latere_Click() {}

void kkj::Command3_Click() {}

void kkj::EditTemplateWorkbookXlsx() {}

}  // namespace stelvador
