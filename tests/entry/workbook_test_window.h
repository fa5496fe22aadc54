#pragma once

#include <memory>
#include <string>
#include <vector>

#include "entry/cap_cell.h"
#include "entry/workbook_command_window.h"
#include "platform/flex_grid.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_file_dialog.h"

namespace stelvador {

// The parts of the data entry window the workbook commands use: a real analysis grid laid out
// as at start, the scripted file dialog, real spreadsheet applications; New File clears the
// grid and lays it out afresh. Titles, New File runs and messages are recorded.
class WorkbookTestWindow : public WorkbookCommandWindow {
  public:
    explicit WorkbookTestWindow(
        std::string programFolder,
        std::shared_ptr<SaveChangesQuestion> question = std::make_shared<DontSaveChangesQuestion>())
        : m_programFolder(std::move(programFolder)), m_applications(std::move(question)) {
        capCell(m_grid);
    }

    void setScreenTitle(const std::string& title) override { titles.push_back(title); }
    FlexGrid& analysisGrid() override { return m_grid; }
    FileDialog& fileDialog() override { return dialog; }
    void layOutEmptyGrid() override {
        ++newFileRuns;
        m_grid.Clear();
        capCell(m_grid);
    }
    SpreadsheetApplications& spreadsheetApplications() override { return m_applications; }
    std::string programFolder() const override { return m_programFolder; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showBusy(bool busy) override {
        busyChanges.push_back(busy);
        titlesWhenBusyChanged.push_back(titles.size());
    }

    FlexGrid& grid() { return m_grid; }
    SpreadsheetApplications& applications() { return m_applications; }

    ScriptedFileDialog dialog;
    std::vector<std::string> titles;
    std::vector<std::string> messages;
    // The wait cursor shown (true) and taken away (false), and how many titles had been set then.
    std::vector<bool> busyChanges;
    std::vector<std::size_t> titlesWhenBusyChanged;
    int newFileRuns = 0;

  private:
    std::string m_programFolder;
    FlexGrid m_grid{1001, 45};
    SpreadsheetApplications m_applications;
};

// The grid's texts, row by row, cells joined by TAB.
inline std::vector<std::string> GridLines(const FlexGrid& grid) {
    std::vector<std::string> lines;
    for (int r = 0; r < grid.Rows(); ++r) {
        std::string line;
        for (int c = 0; c < grid.Cols(); ++c) {
            if (c > 0) {
                line += '\t';
            }
            line += grid.TextMatrix(r, c);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace stelvador
