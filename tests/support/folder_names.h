#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace stelvador {

// The names of what a folder holds, sorted: a file written or left behind shows here.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace stelvador
