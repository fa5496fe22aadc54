#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/spreadsheet/spreadsheet.h"
#include "results/results_toolbar.h"
#include "results/results_window_routes.h"
#include "widgets/calculation_results_window.h"
#include "widgets/window_services.h"

class QAction;
class QLineEdit;
class QMenu;
class QProgressBar;
class QToolBar;

namespace stelvador {

class FlexGrid;
class FlexGridView;
class GridEditing;
class PanelStatusBar;
class TitleBand;

// The results window: the results grid (a column-number row, a heading row, then one row per
// analysis), its title band, a progress bar for the send commands, six status panels and the
// cell mirror. Its load starts a hidden spreadsheet application holding "Output.xlsx" of the
// program folder open; the load reports nothing, whatever fails. Its menus and toolbar send
// the grid to that workbook, show it, open the plot documents, the help file and the about
// window, and lead back to the data entry window.
class Form10 : public QMainWindow, public CalculationResultsWindow {
  public:
    static constexpr int kStatusPanelCount = 6;
    // The toolbar's positions (results_toolbar.h) are numbered from 1, separators counted.
    static constexpr int kToolbarPositions = results_toolbar::kPositions;

    // programFolder is where "Output.xlsx" and the help file lie (the executable's folder).
    Form10(const WindowServices& services, const QString& programFolder,
           ResultsWindowRoutes routes = {}, QWidget* parent = nullptr);
    ~Form10() override;

    // Run when the window is unloaded ("Exit Excel File" or the frame's close), after the
    // spreadsheet application has quit: the owner drops the window.
    void setUnloadHandler(std::function<void()> handler) { m_unloadHandler = std::move(handler); }

    // The Calculate command's view of the window.
    void setStatusPanelText(int panel, const std::string& text) override;
    void showWindow() override;
    FlexGrid& resultsGrid() override;

    // Event handlers. None lets an error out: whatever reaches its top is shown in the message
    // box and the program goes on.
    // Runs the command of the toolbar position, then reports the failure it left pending.
    void Toolbar1_ButtonClick(int position);
    // Edit menu.
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuExit_Click();
    // Excel menu.
    void mnuSEF_Click();
    void mnuOEF_Click();
    void mnuEOX_Click();
    // About (a command on the menu bar) and Help: opening the Help menu opens the help file
    // without reporting anything; its item reports a missing help file.
    void mnuAbaout_Click();
    void mnuHelp_Click();
    void mnuHelpContents_Click();
    // Graph menu: each item opens its plot document from the current directory.
    void mnuXCrAlFe3_Click();
    void mnuVAlFe_Click();
    void mnuMnAlFe_Click();
    void mnuFeMgMn_Click();
    void mnuCeLaY_Click();
    void mnuCeLaNd_Click();
    void mnuAltotREE_Click();
    void mnuAltotREESr_Click();
    void mnuFe2MgFe3AlVI_Click();
    void mnuAlFe3Fe2Mg_Click();
    void mnuComplex_Click();
    void mnuM2M3Al_Click();
    void mnuAlVMg_Click();

    // Commands; a failure passes to the caller.
    // Every grid cell (r, c) into worksheet 1's cell (r + 1, c + 1), one write per cell, under
    // continue-on-error; the last failure stays pending. The current cell ends on the last one.
    void SendResults();
    // The same, with the title band telling the user to wait.
    void SendResultsToOutputWorkbook();
    void ShowOutputWorkbook();
    // Asks every spreadsheet application to quit, then ends the program.
    void ExitProgram();
    void ShowAboutWindow();
    // The plot document dialog, "Plot graph by using Grapher".
    void OpenChosenPlotDocument();
    void DisplayPreviousScreen();
    // The help file of the program folder.
    void OpenHelp();
    // LastFileName becomes the document's name, then the document is opened from the current
    // directory; RunTimeError 53 when it is not there.
    void OpenPlotDocument(const std::string& document);

    // Controls.
    FlexGrid& MSFlexGrid1();
    FlexGridView& gridView() { return *m_gridView; }
    PanelStatusBar& StatusBar1() { return *m_statusBar; }
    TitleBand& Frame2() { return *m_titleBand; }
    QProgressBar& ProgressBar1() { return *m_progressBar; }
    QLineEdit& Text1() { return *m_cellMirror; }
    QToolBar& Toolbar1() { return *m_toolbar; }
    // The button at a toolbar position, or nullptr for a separator or a position it lacks.
    QAction* toolbarButton(int position) const;
    // A menu item by its control name ("mnuSEF", "mnuComplex", ...), or nullptr.
    QAction* menuItem(const QString& control) const;
    QMenu& mnuHelp() { return *m_helpMenu; }
    const QString& programFolder() const { return m_programFolder; }

    // The load's references: empty when the step that sets them failed.
    const SpreadsheetApplication& ExcelApp() const { return m_excelApp; }
    const Workbook& OutputBook() const { return m_outputBook; }
    const Worksheet& OutputSheet() const { return m_outputSheet; }

  protected:
    // The frame's close button does what "Exit Excel File" does; when the spreadsheet
    // application cannot quit, the failure is reported and the window stays.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void buildGraphMenu(QMenu& menu);
    void buildToolbar();
    QAction* addMenuItem(QMenu& menu, const QString& control, const QString& caption,
                         void (Form10::*handler)());
    void Form_Load();
    void runToolbarCommand(int position);
    // A menu or toolbar command whose failures are reported at its end. Entering
    // continue-on-error mode first clears whatever an earlier command left pending.
    void runReported(const std::function<void()>& command);
    // Asks the spreadsheet application to quit; false (reported) when it could not, so the
    // window must stay with its rows.
    bool quitExcelApp();
    void unloadWindow();
    void openGraphItem(int index);
    // The Edit commands; a failure passes to the caller.
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    void deleteSelection();
    void selectAllCells();
    MessageBox& messageBox();

    WindowServices m_services;
    QString m_programFolder;
    ResultsWindowRoutes m_routes;
    // The grid control; it holds the grid.
    FlexGridView* m_gridView = nullptr;
    TitleBand* m_titleBand = nullptr;
    QProgressBar* m_progressBar = nullptr;
    PanelStatusBar* m_statusBar = nullptr;
    QLineEdit* m_cellMirror = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_helpMenu = nullptr;
    GridEditing* m_gridEditing = nullptr;
    std::array<QAction*, kToolbarPositions + 1> m_toolbarButtons{};
    SpreadsheetApplication m_excelApp;
    Workbook m_outputBook;
    Worksheet m_outputSheet;
    std::function<void()> m_unloadHandler;
    bool m_unloading = false;
};

}  // namespace stelvador
