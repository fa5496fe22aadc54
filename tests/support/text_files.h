#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace stelvador {

// A file's bytes as they are on disk (empty when it cannot be read).
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The TAB-separated items of one line, empty items included.
inline std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        items.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return items;
        }
        start = tab + 1;
    }
}

}  // namespace stelvador
