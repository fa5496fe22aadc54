// stelvador-calc [--si3] [--send WORKBOOK] DATAFILE
// stelvador-calc [--si3] --import WORKBOOK [--calculate [--send WORKBOOK]]
//
// Creates the data entry window offscreen, optionally sets the Si = 3 option, runs the
// Calculate command with its file dialog answering DATAFILE, and prints every row of the
// results grid from row 0, its cells joined by TAB, one line per row, to standard output. The
// plot data files are written into the current directory. Messages the program would show go
// to standard error.
//
// With --import, the workbook import (.xlsx or .xls by the name's extension) runs instead, its
// dialog answering WORKBOOK, and every row of the analysis grid is printed the same way. With
// --calculate as well, the Calculate command then runs with its dialog cancelled, so it
// calculates the imported grid, and the results grid is printed instead.
//
// With --send, after the Calculate command the results window's toolbar send copies the results
// grid into the output workbook, which is saved as the --send WORKBOOK (.xlsx). The send writes
// the grid's rows only: rows of the first sheet below them keep what they held, as in the
// window, and a warning on standard error names those that hold anything.
//
// Exit status: 0 done; 1 the data file cannot be read; 2 wrong arguments; 3 the run reported a
// failure (its message is on standard error; the grid is printed all the same); 4 the send or
// the save failed (the message is on standard error).
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/error_message_tables.h"
#include "common/run_time_error.h"
#include "earlier_content_warning.h"
#include "entry/data_file.h"
#include "entry/kkj.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"
#include "platform/program_files.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_file_dialog.h"
#include "platform/shell.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/workbook_file.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/window_services.h"

namespace stelvador {
namespace {

// Answers the open dialog with the one file, every open dialog or only the first; the current
// directory stays where the tool was started, so the plot data files land there.
class FixedAnswerFileDialog : public FileDialog {
  public:
    FixedAnswerFileDialog(std::string path, bool answerOnce)
        : m_path(std::move(path)), m_answerOnce(answerOnce) {}
    void ShowOpen() override {
        setFileName(m_answered && m_answerOnce ? std::string() : m_path);
        m_answered = true;
    }
    void ShowSave() override { setFileName(std::string()); }

  private:
    std::string m_path;
    bool m_answerOnce;
    bool m_answered = false;
};

class StandardErrorMessageBox : public MessageBox {
  public:
    void Show(const std::string& text) override {
        std::cerr << "stelvador-calc: " << text << '\n';
        m_shown = true;
    }
    bool shown() const { return m_shown; }

  private:
    bool m_shown = false;
};

int Usage() {
    std::cerr
        << "usage: stelvador-calc [--si3] [--send WORKBOOK] DATAFILE\n"
           "       stelvador-calc [--si3] --import WORKBOOK [--calculate [--send WORKBOOK]]\n";
    return 2;
}

// Opens nothing: the tool runs no command that opens a document.
class NoShell : public Shell {
  public:
    void OpenDocument(const std::string&) override {}
    void OpenLink(const std::string&) override {}
};

// The toolbar send into the output workbook, then the workbook saved as the given file.
int SendAndSave(Form10& form, StandardErrorMessageBox& sendMessages, const std::string& workbook) {
    form.Toolbar1_ButtonClick(results_toolbar::kSendResults);
    if (sendMessages.shown()) {
        return 4;
    }
    std::vector<int> earlierRows;
    try {
        std::error_code ignored;
        const Workbook book = form.OutputBook();
        book.SaveAs(std::filesystem::absolute(workbook, ignored).string());
        const int sentRows = form.MSFlexGrid1().Rows();
        for (const int row : book.Worksheets(1).RowsWithValues()) {
            if (row > sentRows) {
                earlierRows.push_back(row);
            }
        }
    } catch (const RunTimeError& e) {
        std::cerr << "stelvador-calc: cannot save " << workbook << ": "
                  << FailureMessage(ErrorTable::Results, e.number(), e.reason(), e.what()) << '\n';
        return 4;
    }
    if (const std::string warning = EarlierContentWarning(earlierRows); !warning.empty()) {
        std::cerr << "stelvador-calc: warning: " << warning << '\n';
    }
    return 0;
}

void PrintGrid(const FlexGrid& grid) {
    std::string line;
    for (int r = 0; r < grid.Rows(); ++r) {
        line.clear();
        for (int c = 0; c < grid.Cols(); ++c) {
            if (c > 0) {
                line += '\t';
            }
            line += grid.TextMatrix(r, c);
        }
        line += '\n';
        std::cout << line;
    }
}

std::string ReadFailureText(const RunTimeError& e) {
    return FailureMessage(ErrorTable::DataEntry, e.number(), e.reason(), e.what());
}

int Run(int argc, char** argv) {
    bool siNormalization = false;
    bool importWorkbook = false;
    bool calculate = false;
    std::string file;
    std::string sendWorkbook;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--si3") {
            siNormalization = true;
        } else if (argument == "--import") {
            importWorkbook = true;
        } else if (argument == "--calculate") {
            calculate = true;
        } else if (argument == "--send") {
            if (i + 1 >= argc || !sendWorkbook.empty()) {
                return Usage();
            }
            sendWorkbook = argv[++i];
            if (sendWorkbook.empty()) {
                return Usage();
            }
        } else if (!argument.empty() && argument[0] == '-') {
            return Usage();
        } else if (file.empty()) {
            file = argument;
        } else {
            return Usage();
        }
    }
    if (file.empty() || (calculate && !importWorkbook) ||
        (!sendWorkbook.empty() && importWorkbook && !calculate)) {
        return Usage();
    }
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(file, ignored).string();
    if (!importWorkbook) {
        try {
            ReadDataFile(path);
        } catch (const RunTimeError& e) {
            std::cerr << "stelvador-calc: cannot read " << file << ": " << ReadFailureText(e)
                      << '\n';
            return 1;
        }
    }

    SpreadsheetApplications spreadsheets(std::make_shared<DontSaveChangesQuestion>());
    FixedAnswerFileDialog dialog(path, importWorkbook);
    StandardErrorMessageBox messages;
    StandardErrorMessageBox sendMessages;
    NoShell shell;
    QtClipboard clipboard;
    AboutWindows aboutWindows(shell);
    // The results window's plot document dialog; the tool opens no plot document.
    QtFileDialog plotDialog(nullptr);
    // The send's messages are told apart from the data entry window's.
    const WindowServices entryServices{dialog,    messages,     shell,
                                       clipboard, spreadsheets, aboutWindows};
    const WindowServices resultsServices{plotDialog, sendMessages, shell,
                                         clipboard,  spreadsheets, aboutWindows};
    Form10Link results(resultsServices, QString::fromStdString(RunningProgramFiles().folder));
    kkj window(entryServices, results);
    if (siNormalization) {
        window.mnuSiNorm_Click();
    }
    if (importWorkbook) {
        // The .xlsx or the .xls import by the workbook's extension; it reports its failure.
        if (HasXlsxExtension(path)) {
            window.mnu07Later_Click();
        } else {
            window.mnu9703_Click();
        }
        if (!calculate) {
            PrintGrid(window.MSFlexGrid1());
            std::cout.flush();
            return messages.shown() ? 3 : 0;
        }
    }
    window.mnuOpen_Click();

    int sendStatus = 0;
    if (!sendWorkbook.empty()) {
        Form10* form = results.form();
        if (form == nullptr) {
            std::cerr << "stelvador-calc: no results window to send from\n";
            sendStatus = 4;
        } else {
            sendStatus = SendAndSave(*form, sendMessages, sendWorkbook);
        }
    }

    if (Form10* form = results.form()) {
        PrintGrid(form->MSFlexGrid1());
    }
    std::cout.flush();
    if (sendStatus != 0) {
        return sendStatus;
    }
    return messages.shown() ? 3 : 0;
}

}  // namespace
}  // namespace stelvador

namespace {

// Only Qt's own critical and fatal messages reach standard error; its notes about the
// offscreen platform would drown the tool's messages.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << message.toStdString() << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietQtMessages);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    return stelvador::Run(argc, argv);
}
