#pragma once

#include <string_view>

#include <Qt>

namespace stelvador {

// True when the text reads as a number as a whole (blanks around it, a sign, digits with
// thousands commas, a decimal point, an exponent), such as "1,234.500" or "-0.5".
bool LooksNumeric(std::string_view text);

// The Qt alignment that shows a cell of the given grid alignment: 1 left-centre, 2 left-bottom,
// 3 centre-top, 4 centre-centre, 5 centre-bottom, 6 right-top, 7 right-centre, 8 right-bottom;
// 0 and 9 general (numbers right, other text left, both vertically centred).
Qt::Alignment ToQtAlignment(int gridAlignment, std::string_view text);

}  // namespace stelvador
