// The workbook import on arbitrary bytes: every input fills the grid or leaves the fresh layout
// with a failure pending; nothing else escapes, and the grid keeps its shape.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/cap_cell.h"
#include "entry/workbook_command_window.h"
#include "entry/workbook_import.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace {

class AnswerFileDialog : public stelvador::FileDialog {
  public:
    explicit AnswerFileDialog(std::string path) : m_path(std::move(path)) {}
    void ShowOpen() override { setFileName(m_path); }
    void ShowSave() override {}

  private:
    std::string m_path;
};

class FuzzWindow : public stelvador::WorkbookCommandWindow {
  public:
    explicit FuzzWindow(const std::string& path)
        : m_dialog(path), m_applications(std::make_shared<stelvador::DontSaveChangesQuestion>()) {}
    void setScreenTitle(const std::string&) override {}
    stelvador::FlexGrid& analysisGrid() override { return m_grid; }
    stelvador::FileDialog& fileDialog() override { return m_dialog; }
    void layOutEmptyGrid() override {
        m_grid.Clear();
        stelvador::capCell(m_grid);
    }
    stelvador::SpreadsheetApplications& spreadsheetApplications() override {
        return m_applications;
    }
    std::string programFolder() const override { return {}; }
    void showMessage(const std::string&) override {}

  private:
    stelvador::FlexGrid m_grid{301, 44};
    AnswerFileDialog m_dialog;
    stelvador::SpreadsheetApplications m_applications;
};

std::string InputPath() {
    return "/tmp/stelvador_import_fuzz_" + std::to_string(getpid()) + ".xlsx";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    FuzzWindow window(path);
    stelvador::ImportWorkbook(window, stelvador::kXlsxImportFilter);
    if (window.analysisGrid().Rows() != 301 || window.analysisGrid().Cols() != 44) {
        std::abort();
    }
    // Nothing of the run stays in the temporary folder.
    std::remove(path.c_str());
    return 0;
}
