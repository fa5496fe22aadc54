#include <filesystem>
#include <system_error>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/shell.h"

namespace stelvador {

void OpenExistingDocument(Shell& shell, const std::string& path) {
    std::error_code code;
    if (path.empty() || !std::filesystem::is_regular_file(path, code)) {
        throw RunTimeError(error::kFileNotFound, "File not found: " + path);
    }
    shell.OpenDocument(path);
}

}  // namespace stelvador
