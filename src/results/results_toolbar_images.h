#pragma once

#include <QIcon>

namespace stelvador {

// The results window's toolbar pictures (its image list), 16 by 16, drawn here: one for each
// toolbar position that holds a button, a null icon for a separator.
QIcon ResultsToolbarImage(int position);

}  // namespace stelvador
