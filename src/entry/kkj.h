#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "entry/calculate_command.h"
#include "entry/entry_toolbar.h"
#include "widgets/error_reporter.h"
#include "widgets/window_services.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;

namespace stelvador {

class FileDialog;
class FlexGrid;
class FlexGridView;
class GridEditing;
class MessageBox;
class PanelStatusBar;
class ResultsWindowLink;
class TitleBand;

// The data entry window, the program's start-up window: the title band with the screen title,
// the centre panel of the start-up screen, the analysis grid and its cell mirror, the menus,
// the toolbar and the status bar through which every command of the window is reached.
//
// Handlers (the methods named after a control and its event) never let an error out: each runs
// its body through handlerTop. Run by the user, a handler enters continue-on-error mode, runs
// the command and reports the failure it leaves pending, or the error that reaches its top;
// run by another handler (a toolbar position runs the menu command's handler), it only runs the
// command and leaves its failures to the outer handler, so a failure is reported once.
class kkj : public QMainWindow, public CalculationEntryWindow {
  public:
    // The toolbar's positions (entry_toolbar.h) are numbered from 1, separators counted.
    static constexpr int kToolbarPositions = entry_toolbar::kPositions;
    static constexpr int kCalculatePosition = entry_toolbar::kCalculate;

    kkj(const WindowServices& services, ResultsWindowLink& results, QWidget* parent = nullptr);
    ~kkj() override;

    // File commands.
    void mnuNewFile_Click();
    // New File's layout of the empty grid without writing the grid template file.
    void layOutEmptyGrid();
    void mnuOpenFile_Click();
    void mnuSaveAs_Click();
    // Back to the start-up screen; the grid keeps its contents, hidden.
    void mnuClose_Click();
    // Unloads both windows, asks the spreadsheet applications to quit and ends the program.
    void mnuExit_Click();
    // The Calculate command.
    void mnuOpen_Click();
    // Inverts the Si = 3 option.
    void mnuSiNorm_Click();
    // Runs the command of the toolbar position, then reports the failure it left pending.
    void Toolbar1_ButtonClick(int position);

    // Workbook commands (kkj_workbook_commands.cpp).
    void mnu9703_Click();
    void mnu07Later_Click();
    void Command2_Click();
    void mnu9703e_Click();
    void mnu07Latere_Click();
    void Command3_Click();
    void EditTemplateWorkbookXlsx();
    // About, help and the results window (kkj_help_commands.cpp).
    void mnuAbout_Click();
    void mnuHelp_Click();
    void mnuHelpContents_Click();
    void DisplayNextScreen();

    // Controls.
    FlexGrid& MSFlexGrid1();
    FlexGridView& gridView() { return *m_gridView; }
    QLineEdit& Text1() { return *m_cellMirror; }
    PanelStatusBar& StatusBar1() { return *m_statusBar; }
    TitleBand& Frame2() { return *m_titleBand; }
    QWidget& Frame1() { return *m_centrePanel; }
    QToolBar& Toolbar1() { return *m_toolbar; }
    QPushButton& Command2() { return *m_command2; }
    QPushButton& Command3() { return *m_command3; }
    QLabel& Image1() { return *m_image1; }
    QLabel& Image2() { return *m_image2; }
    // Menus and menu items, under their control names.
    QMenu& mnuOEF() { return *m_mnuOEF; }
    QMenu& mnuEdit() { return *m_mnuEdit; }
    QMenu& mnuciz6() { return *m_siNormalizationMenu; }
    QMenu& mnuCalculate() { return *m_calculateMenu; }
    QMenu& mnuHelp() { return *m_mnuHelp; }
    QAction& mnuNewFile() { return *m_mnuNewFile; }
    QAction& mnuOpenFile() { return *m_mnuOpenFile; }
    QAction& mnuSaveAs() { return *m_mnuSaveAs; }
    QAction& mnuClose() { return *m_mnuClose; }
    QAction& mnu9703() { return *m_mnu9703; }
    QAction& mnu07Later() { return *m_mnu07Later; }
    QAction& mnu9703e() { return *m_mnu9703e; }
    QAction& mnu07Latere() { return *m_mnu07Latere; }
    QAction& mnuExit() { return *m_mnuExit; }
    QAction& mnuClear() { return *m_mnuClear; }
    QAction& mnuDelete() { return *m_mnuDelete; }
    QAction& mnuEditInsertRow() { return *m_mnuEditInsertRow; }
    QAction& mnuEditCut() { return *m_mnuEditCut; }
    QAction& mnuEditCopy() { return *m_mnuEditCopy; }
    QAction& mnuEditPaste() { return *m_mnuEditPaste; }
    QAction& mnuEditDelete() { return *m_mnuEditDelete; }
    QAction& mnuEditSelectAll() { return *m_mnuEditSelectAll; }
    QAction& mnuSiNorm() { return *m_mnuSiNorm; }
    QAction& mnuOpen() { return *m_mnuOpen; }
    QAction& mnuAbout() { return *m_mnuAbout; }
    QAction& mnuHelpContents() { return *m_mnuHelpContents; }
    // The button at a toolbar position, or nullptr for a position without one.
    QAction* toolbarButton(int position) const;
    MessageBox& messageBox() { return m_services.messageBox; }
    const WindowServices& services() const { return m_services; }
    ResultsWindowLink& resultsLink() { return m_results; }
    std::string screenTitle() const;

    // What the Calculate command reads and writes.
    void setScreenTitle(const std::string& title) override;
    void setFilePanelText(const std::string& text) override;
    void showCellMirror() override;
    FlexGrid& analysisGrid() override;
    FileDialog& fileDialog() override { return m_services.fileDialog; }
    void layOutAnalysisGrid() override;
    bool siNormalizationChecked() const override;
    bool gridLoadedChecked() const override;
    CalculationResultsWindow& resultsWindow() override;

    // Runs a handler's body as described above the class. Never throws at the top.
    template <class Body>
    void handlerTop(Body&& body);

  protected:
    // The frame's close button does what Exit does.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildToolbar();
    void buildGridEditing();
    // Connects an Edit item to its command of the grid editing.
    void connectEditItem(QAction* action, void (GridEditing::*command)());
    void Form_Load();
    void runToolbarCommand(int position);
    // Connects a menu item or button to a handler, so that choosing it runs the handler.
    void connectHandler(QAction* action, void (kkj::*handler)());

    // Screens (kkj_screens.cpp).
    // Save As, Close, the Edit items and their toolbar buttons enabled or disabled together;
    // Clear All and Remove Row with them.
    void enableFileAndEditCommands(bool enabled);
    // The "Open Excel File" items and their toolbar buttons.
    void enableWorkbookImports(bool enabled);
    void showGrid(bool shown);
    void showCommandButtons(bool shown);
    // The data entry screen as New File sets it up.
    void showDataEntryScreen();
    // The grid takes the keyboard focus, so the next key goes to its current cell.
    void focusGrid();
    void layOutNewFile(bool writeTemplate);
    // Exit's steps; the program ends once the outermost handler has reported (a message box
    // would not stay open while the program ends). False when the user cancelled.
    bool exitSteps();
    void endProgramIfExited();

    WindowServices m_services;
    ResultsWindowLink& m_results;
    // How many handlers are running (one inside the other).
    int m_handlerDepth = 0;
    bool m_exited = false;
    // The grid control; it holds the grid.
    FlexGridView* m_gridView = nullptr;
    TitleBand* m_titleBand = nullptr;
    QWidget* m_centrePanel = nullptr;
    QLineEdit* m_cellMirror = nullptr;
    std::unique_ptr<GridEditing> m_gridEditing;
    PanelStatusBar* m_statusBar = nullptr;
    QToolBar* m_toolbar = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    QLabel* m_image1 = nullptr;
    QLabel* m_image2 = nullptr;
    QMenu* m_mnuOEF = nullptr;
    QMenu* m_mnuEdit = nullptr;
    QMenu* m_siNormalizationMenu = nullptr;
    QMenu* m_calculateMenu = nullptr;
    QMenu* m_mnuHelp = nullptr;
    QAction* m_mnuNewFile = nullptr;
    QAction* m_mnuOpenFile = nullptr;
    QAction* m_mnuSaveAs = nullptr;
    QAction* m_mnuClose = nullptr;
    QAction* m_mnu9703 = nullptr;
    QAction* m_mnu07Later = nullptr;
    QAction* m_mnu9703e = nullptr;
    QAction* m_mnu07Latere = nullptr;
    QAction* m_mnuExit = nullptr;
    QAction* m_mnuClear = nullptr;
    QAction* m_mnuDelete = nullptr;
    QAction* m_mnuEditInsertRow = nullptr;
    QAction* m_mnuEditCut = nullptr;
    QAction* m_mnuEditCopy = nullptr;
    QAction* m_mnuEditPaste = nullptr;
    QAction* m_mnuEditDelete = nullptr;
    QAction* m_mnuEditSelectAll = nullptr;
    QAction* m_mnuSiNorm = nullptr;
    QAction* m_mnuOpen = nullptr;
    QAction* m_mnuAbout = nullptr;
    QAction* m_mnuHelpContents = nullptr;
    std::array<QAction*, kToolbarPositions + 1> m_toolbarButtons{};
};

template <class Body>
void kkj::handlerTop(Body&& body) {
    if (m_handlerDepth > 0) {
        body();
        return;
    }
    ++m_handlerDepth;
    RunHandler(ErrorTable::DataEntry, m_services.messageBox, [&] {
        EnterContinueOnError();
        body();
        ReportRunTimeError(ErrorTable::DataEntry, m_services.messageBox);
    });
    --m_handlerDepth;
    endProgramIfExited();
}

}  // namespace stelvador
