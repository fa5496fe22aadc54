#include "earlier_content_warning.h"

#include <cstddef>
#include <string>

namespace stelvador {

std::string EarlierContentWarning(const std::vector<int>& rows) {
    if (rows.empty()) {
        return {};
    }
    // Runs of consecutive rows, each as "12" or "12 to 40".
    std::vector<std::string> runs;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) {
            ++last;
        }
        runs.push_back(last == first
                           ? std::to_string(rows[first])
                           : std::to_string(rows[first]) + " to " + std::to_string(rows[last]));
        first = last + 1;
    }
    std::string named = runs.front();
    for (std::size_t i = 1; i < runs.size(); ++i) {
        named += (i + 1 == runs.size() ? " and " : ", ") + runs[i];
    }
    const bool one = rows.size() == 1;
    return std::string(one ? "Row " : "Rows ") + named + " of the first sheet still " +
           (one ? "holds" : "hold") + " earlier content.";
}

}  // namespace stelvador
