// The data entry window's workbook commands: loading a workbook into the grid and editing the
// template workbooks. The commands are added later; until then their handlers do nothing.
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
