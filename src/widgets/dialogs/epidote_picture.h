#pragma once

#include <QPixmap>

namespace stelvador {

// The picture of the about and journal windows: a prismatic, striated crystal in the
// pistachio-green of epidote, drawn here rather than read from a file.
QPixmap EpidotePicture(int width, int height);

}  // namespace stelvador
