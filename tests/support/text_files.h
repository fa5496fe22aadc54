#pragma once

#include <charconv>
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

// A file's lines, without their LF.
inline std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

// The number a "#,##0.000" text reads as, its thousands commas dropped (0 for no number).
inline double ReadGroupedNumber(const std::string& text) {
    std::string digits;
    for (const char c : text) {
        if (c != ',') {
            digits += c;
        }
    }
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
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
