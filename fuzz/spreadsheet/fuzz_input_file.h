#pragma once
// Where a fuzz target puts each input for code that reads workbooks from files: one file in a
// folder of its own, made once per process with mkdtemp under the temporary folder (TMPDIR when
// set), so two fuzzers or two copies of one never share it; the folder goes when the process
// ends.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace stelvador {

class FuzzInputFile {
  public:
    explicit FuzzInputFile(const std::string& fileName) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "stelvador-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_folder = pattern;
            m_path = (m_folder / fileName).string();
        }
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;
    ~FuzzInputFile() {
        if (!m_folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }

    const std::string& path() const { return m_path; }

    // The input's bytes as the file's whole content; false when the file cannot be written.
    bool write(const std::uint8_t* data, std::size_t size) const {
        if (m_path.empty()) {
            return false;
        }
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file == nullptr) {
            return false;
        }
        const bool written = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }

    // Removes the input once it has been read, so no input outlives its run.
    void remove() const { std::remove(m_path.c_str()); }

  private:
    std::filesystem::path m_folder;
    std::string m_path;
};

}  // namespace stelvador
