#pragma once

#include <string>
#include <vector>

namespace stelvador {

// The sentence that names the rows of the first sheet below the sent results that still hold
// what they held before the send ("Rows 12 to 40 and 45 of the first sheet still hold earlier
// content."); the empty text when there are none. The rows are in order.
std::string EarlierContentWarning(const std::vector<int>& rows);

}  // namespace stelvador
