#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "calculation/calculate_command.h"
#include "platform/spreadsheet/spreadsheet.h"

class QLineEdit;
class QProgressBar;

namespace stelvador {

class FlexGrid;
class FlexGridView;
class PanelStatusBar;
class TitleBand;

// The results window: the results grid (a column-number row, a heading row, then one row per
// analysis), its title band, a progress bar for the send commands, six status panels and the
// cell mirror. Its load starts a hidden spreadsheet application holding "Output.xlsx" of the
// program folder open; the load reports nothing, whatever fails.
class Form10 : public QMainWindow, public CalculationResultsWindow {
  public:
    static constexpr int kStatusPanelCount = 6;

    // programFolder is where "Output.xlsx" lies (the executable's folder in the program).
    Form10(SpreadsheetApplications& spreadsheets, const QString& programFolder,
           QWidget* parent = nullptr);
    ~Form10() override;

    // Run when the window is closed by its frame's close button, after the spreadsheet
    // application has been asked to quit: the owner unloads the window.
    void setUnloadHandler(std::function<void()> handler) { m_unloadHandler = std::move(handler); }

    // The Calculate command's view of the window.
    void setStatusPanelText(int panel, const std::string& text) override;
    void showWindow() override;
    FlexGrid& resultsGrid() override;

    FlexGrid& MSFlexGrid1();
    FlexGridView& gridView() { return *m_gridView; }
    PanelStatusBar& StatusBar1() { return *m_statusBar; }
    TitleBand& Frame2() { return *m_titleBand; }
    QProgressBar& ProgressBar1() { return *m_progressBar; }
    QLineEdit& Text1() { return *m_cellMirror; }
    const QString& programFolder() const { return m_programFolder; }

    // The load's references: empty when the step that sets them failed.
    const SpreadsheetApplication& ExcelApp() const { return m_excelApp; }
    const Workbook& OutputBook() const { return m_outputBook; }
    const Worksheet& OutputSheet() const { return m_outputSheet; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();

    SpreadsheetApplications& m_spreadsheets;
    QString m_programFolder;
    // The grid control; it holds the grid.
    FlexGridView* m_gridView = nullptr;
    TitleBand* m_titleBand = nullptr;
    QProgressBar* m_progressBar = nullptr;
    PanelStatusBar* m_statusBar = nullptr;
    QLineEdit* m_cellMirror = nullptr;
    SpreadsheetApplication m_excelApp;
    Workbook m_outputBook;
    Worksheet m_outputSheet;
    std::function<void()> m_unloadHandler;
};

}  // namespace stelvador
