#include "platform/program_files.h"

#include <filesystem>
#include <system_error>

namespace stelvador {

namespace fs = std::filesystem;

InstallLayout BuiltInstallLayout() {
    // Given by the build from its install folders (GNUInstallDirs).
    return {STELVADOR_INSTALL_BIN_NAME, STELVADOR_FOLDER_FROM_BIN, STELVADOR_READER_FROM_BIN};
}

ProgramFiles ProgramFilesBeside(const std::string& executableFolder, const InstallLayout& layout) {
    if (executableFolder.empty()) {
        return {};
    }
    const fs::path executable(executableFolder);
    if (executable.filename() != layout.binFolderName) {
        return {executableFolder, executableFolder};
    }
    return {(executable / layout.folderFromBin).lexically_normal().string(),
            (executable / layout.readerFromBin).lexically_normal().string()};
}

ProgramFiles RunningProgramFiles() {
    std::error_code code;
    const fs::path self = fs::read_symlink("/proc/self/exe", code);
    return ProgramFilesBeside(code ? std::string() : self.parent_path().string(),
                              BuiltInstallLayout());
}

}  // namespace stelvador
