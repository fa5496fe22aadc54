// The workbook import on arbitrary bytes: every input fills the grid or leaves the fresh layout
// with a failure pending; nothing else escapes, and the grid keeps its shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/cap_cell.h"
#include "entry/workbook_command_window.h"
#include "entry/workbook_import.h"
#include "fuzz_input_file.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const stelvador::FuzzInputFile input("input.xlsx");
    if (!input.write(data, size)) {
        return 0;
    }
    FuzzWindow window(input.path());
    stelvador::ImportWorkbook(window, stelvador::kXlsxImportFilter);
    if (window.analysisGrid().Rows() != 301 || window.analysisGrid().Cols() != 44) {
        std::abort();
    }
    input.remove();
    return 0;
}
