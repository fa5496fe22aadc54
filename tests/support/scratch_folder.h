#pragma once

#include <filesystem>
#include <string>

namespace stelvador {

// A fresh, empty folder under the temporary folder (TMPDIR when set), made by mkdtemp so that
// no two tests, processes or copies of the suite running side by side ever share one. The label
// (a test's name, say) only makes the folder easy to recognise. The caller removes it; throws
// std::filesystem::filesystem_error when it cannot be made.
std::filesystem::path MakeScratchFolder(const std::string& label);

// A scratch folder that is removed, with all it holds, when this object goes.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& label) : m_path(MakeScratchFolder(label)) {}
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace stelvador
