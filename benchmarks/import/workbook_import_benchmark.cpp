// Importing a full 301 x 44 analysis sheet into the analysis grid shown in its view, as the user
// waits for it: the dialog's answer to the last grid cell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "entry/cap_cell.h"
#include "entry/workbook_command_window.h"
#include "entry/workbook_import.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid_view.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace stelvador {
namespace {

class AnswerFileDialog : public FileDialog {
  public:
    explicit AnswerFileDialog(std::string path) : m_path(std::move(path)) {}
    void ShowOpen() override { setFileName(m_path); }
    void ShowSave() override {}

  private:
    std::string m_path;
};

// The grid in its view, shown offscreen; New File clears it and lays it out.
class BenchmarkWindow : public WorkbookCommandWindow {
  public:
    explicit BenchmarkWindow(const std::string& path)
        : m_dialog(path), m_applications(std::make_shared<DontSaveChangesQuestion>()) {
        m_view.resize(1000, 700);
        m_view.show();
        capCell(m_view.grid());
    }
    void setScreenTitle(const std::string&) override {}
    FlexGrid& analysisGrid() override { return m_view.grid(); }
    FileDialog& fileDialog() override { return m_dialog; }
    void layOutEmptyGrid() override {
        m_view.grid().Clear();
        capCell(m_view.grid());
    }
    SpreadsheetApplications& spreadsheetApplications() override { return m_applications; }
    std::string programFolder() const override { return {}; }
    void showMessage(const std::string&) override {}

  private:
    FlexGridView m_view{1001, 45};
    AnswerFileDialog m_dialog;
    SpreadsheetApplications m_applications;
};

void ImportFullSheet(benchmark::State& state, const char* file, std::string_view filter) {
    BenchmarkWindow window(std::string(STELVADOR_WORKBOOK_FIXTURES) + "/" + file);
    for (auto _ : state) {
        ImportWorkbook(window, filter);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.analysisGrid().TextMatrix(300, 43));
    }
    if (window.analysisGrid().TextMatrix(300, 43).empty()) {
        state.SkipWithError("the sheet was not imported");
    }
}
BENCHMARK_CAPTURE(ImportFullSheet, xlsx, "import_full.xlsx", kXlsxImportFilter)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportFullSheet, xls, "import_full.xls", kXlsImportFilter)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
