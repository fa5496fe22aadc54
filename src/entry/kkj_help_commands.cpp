// The data entry window's About and Help commands and the move to the results window. The
// commands are added later; until then their handlers do nothing. Menu items and toolbar
// positions reach these handlers through kkj::handlerTop already, so a handler may let a
// RunTimeError out: it is shown once, whichever way the command was chosen. Opening the Help
// menu runs mnuHelp_Click without reporting the failure it leaves pending.
#include "entry/kkj.h"

namespace stelvador {

void kkj::mnuAbout_Click() {}

void kkj::mnuHelp_Click() {}

void kkj::mnuHelpContents_Click() {}

void kkj::DisplayNextScreen() {}

}  // namespace stelvador
