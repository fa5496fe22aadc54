#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "calculation/calculate_command.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;

namespace stelvador {

class FileDialog;
class FlexGrid;
class FlexGridView;
class MessageBox;
class PanelStatusBar;
class ResultsWindowLink;
class TitleBand;

// The data entry window, the program's start-up window: the title band with the screen title,
// the centre panel of the start-up screen, the analysis grid and its cell mirror, the menus,
// the toolbar and the status bar through which the Calculate command is reached.
class kkj : public QMainWindow, public CalculationEntryWindow {
  public:
    // The toolbar's positions are numbered from 1, separators counted.
    static constexpr int kToolbarPositions = 22;
    static constexpr int kCalculatePosition = 13;

    kkj(FileDialog& commonDialog, MessageBox& messageBox, ResultsWindowLink& results,
        QWidget* parent = nullptr);
    ~kkj() override;

    // Event handlers. None lets an error out: whatever reaches its top is shown in the message
    // box and the program goes on.
    // The Calculate command; a failure it leaves pending is reported at its end.
    void mnuOpen_Click();
    // Inverts the Si = 3 option.
    void mnuSiNorm_Click();
    // Runs the command of the toolbar position, then reports the failure it left pending.
    void Toolbar1_ButtonClick(int position);

    // Controls.
    FlexGrid& MSFlexGrid1();
    FlexGridView& gridView() { return *m_gridView; }
    QLineEdit& Text1() { return *m_cellMirror; }
    PanelStatusBar& StatusBar1() { return *m_statusBar; }
    TitleBand& Frame2() { return *m_titleBand; }
    QWidget& Frame1() { return *m_centrePanel; }
    QToolBar& Toolbar1() { return *m_toolbar; }
    QAction& mnuSiNorm() { return *m_mnuSiNorm; }
    QAction& mnuOpen() { return *m_mnuOpen; }
    QMenu& mnuciz6() { return *m_siNormalizationMenu; }
    QMenu& mnuCalculate() { return *m_calculateMenu; }
    // The button at a toolbar position, or nullptr for a position without one.
    QAction* toolbarButton(int position) const;
    FileDialog& CommonDialog1() { return m_commonDialog; }
    MessageBox& messageBox() { return m_messageBox; }
    ResultsWindowLink& resultsLink() { return m_results; }
    std::string screenTitle() const;

    // What the Calculate command reads and writes.
    void setScreenTitle(const std::string& title) override;
    void setFilePanelText(const std::string& text) override;
    void showCellMirror() override;
    FlexGrid& analysisGrid() override;
    FileDialog& fileDialog() override { return m_commonDialog; }
    void layOutAnalysisGrid() override;
    bool siNormalizationChecked() const override;
    bool gridLoadedChecked() const override;
    CalculationResultsWindow& resultsWindow() override;

  protected:
    // The frame's close button does what Exit does.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void Form_Load();
    void runToolbarCommand(int position);

    FileDialog& m_commonDialog;
    MessageBox& m_messageBox;
    ResultsWindowLink& m_results;
    // The grid control; it holds the grid.
    FlexGridView* m_gridView = nullptr;
    TitleBand* m_titleBand = nullptr;
    QWidget* m_centrePanel = nullptr;
    QLineEdit* m_cellMirror = nullptr;
    PanelStatusBar* m_statusBar = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_siNormalizationMenu = nullptr;
    QMenu* m_calculateMenu = nullptr;
    QAction* m_mnuSiNorm = nullptr;
    QAction* m_mnuOpen = nullptr;
    std::array<QAction*, kToolbarPositions + 1> m_toolbarButtons{};
};

}  // namespace stelvador
