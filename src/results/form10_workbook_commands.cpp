// The output workbook commands: send the results grid, show the workbook, quit the spreadsheet
// application with the window, and the program's exit.
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "platform/flex_grid.h"
#include "results/form10.h"
#include "widgets/error_reporter.h"
#include "widgets/title_band.h"

namespace stelvador {

namespace {

const QString kSubtitle = QStringLiteral("A Windows Program for Epidote-Supergroup Minerals");
const QString kScreenTitle = QStringLiteral("Calculation Screen");
constexpr qint64 kProgressStepMs = 40;

}  // namespace

void Form10::mnuSEF_Click() {
    // A failed write is reported from the menu too: sent results must not go missing unseen.
    RunHandler(ErrorTable::Results, messageBox(), [&] {
        SendResults();
        ReportRunTimeError(ErrorTable::Results, messageBox());
    });
}

void Form10::SendResultsToOutputWorkbook() {
    m_titleBand->Label3().setText(QStringLiteral("Wait Please"));
    m_titleBand->Label2().setText(QStringLiteral(
        "The program sends all calculated results to the Excel file called Output.xlsx."));
    m_titleBand->repaint();
    SendResults();
    m_titleBand->Label2().setText(kSubtitle);
    m_titleBand->Label3().setText(kScreenTitle);
}

void Form10::SendResults() {
    EnterContinueOnError();
    FlexGrid& grid = MSFlexGrid1();
    // The bar shows true progress: its maximum is the number of rows, its value the rows
    // written so far.
    const int rows = grid.Rows();
    ContinueOnError([&] {
        m_progressBar->show();
        m_progressBar->setRange(0, rows);
        m_progressBar->setValue(0);
    });
    QElapsedTimer sinceShown;
    sinceShown.start();
    int lastCol = 0;
    for (int r = 0; r < rows; ++r) {
        const int cols = grid.Cols();
        for (int c = 0; c < cols; ++c) {
            ContinueOnError(
                [&] { m_outputSheet.Cells(r + 1, c + 1).setValue(grid.TextMatrix(r, c)); });
        }
        lastCol = cols - 1;
        // Each value the bar shows paints it there and then; a few steps a second are all the
        // eye follows, and the last row always shows.
        if (r + 1 == rows || sinceShown.elapsed() >= kProgressStepMs) {
            ContinueOnError([&] { m_progressBar->setValue(r + 1); });
            sinceShown.restart();
        }
    }
    // The cells are read in place rather than by walking the current cell over every one of
    // them (the view would follow each step); the send still leaves the last cell current.
    if (rows > 0) {
        ContinueOnError([&] {
            grid.setRow(rows - 1);
            grid.setCol(lastCol);
        });
    }
    ContinueOnError([&] {
        m_progressBar->setEnabled(false);
        m_progressBar->hide();
    });
}

void Form10::mnuOEF_Click() {
    runReported([&] { ShowOutputWorkbook(); });
}

void Form10::ShowOutputWorkbook() {
    m_excelApp.setVisible(true);
}

void Form10::mnuEOX_Click() {
    // The spreadsheet application asks about sent results that are not saved; when it cannot
    // quit, the window stays with its rows and the failure is shown, and so it does when the
    // user cancels.
    RunHandler(ErrorTable::Results, messageBox(), [&] {
        if (quitExcelApp()) {
            unloadWindow();
        }
    });
}

void Form10::mnuExit_Click() {
    RunHandler(ErrorTable::Results, messageBox(), [&] { ExitProgram(); });
}

void Form10::ExitProgram() {
    // Every spreadsheet application asks about unsaved sent results before it goes; the program
    // ends whatever the answer but Cancel, which keeps everything open, and whether or not the
    // quit succeeds.
    EnterContinueOnError();
    bool cancelled = false;
    ContinueOnError([&] { cancelled = !m_services.spreadsheets.Application().Quit(); });
    if (!cancelled) {
        m_routes.endProgram();
    }
}

}  // namespace stelvador
