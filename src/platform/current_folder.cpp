#include "platform/current_folder.h"

#include <filesystem>
#include <system_error>

namespace stelvador {

void EnterFolderOfFile(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str())).parent_path();
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        std::filesystem::current_path(folder, error);
    }
}

}  // namespace stelvador
