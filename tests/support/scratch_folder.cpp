#include "scratch_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <system_error>

namespace stelvador {

namespace fs = std::filesystem;

namespace {

// The label as a short file name part: test names hold '/' and can be long.
std::string NamePart(const std::string& label) {
    std::string part;
    for (const char c : label.substr(0, 60)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        part += plain ? c : '_';
    }
    return part;
}

}  // namespace

fs::path MakeScratchFolder(const std::string& label) {
    std::string pattern =
        (fs::temp_directory_path() / ("stelvador-" + NamePart(label) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw fs::filesystem_error("cannot make a scratch folder", fs::path(pattern),
                                   std::error_code(errno, std::generic_category()));
    }
    return pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

}  // namespace stelvador
