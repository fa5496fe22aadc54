// The data entry window's About and Help commands and the move to the results window. The
// commands are added later; until then their handlers do nothing.
#include "entry/kkj.h"

namespace stelvador {

void kkj::mnuAbout_Click() {}

void kkj::mnuHelp_Click() {}

void kkj::mnuHelpContents_Click() {}

void kkj::DisplayNextScreen() {}

}  // namespace stelvador
