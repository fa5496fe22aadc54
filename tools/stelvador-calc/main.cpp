// stelvador-calc [--si3] DATAFILE
//
// Creates the data entry window offscreen, optionally sets the Si = 3 option, runs the
// Calculate command with its file dialog answering DATAFILE, and prints every row of the
// results grid from row 0, its cells joined by TAB, one line per row, to standard output. The
// plot data files are written into the current directory. Messages the program would show go
// to standard error.
//
// Exit status: 0 done; 1 the data file cannot be read; 2 wrong arguments; 3 the run reported a
// failure (its message is on standard error; the results are printed all the same).
#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "common/error_message_tables.h"
#include "common/run_time_error.h"
#include "entry/data_file.h"
#include "entry/kkj.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "results/form10.h"
#include "results/form10_link.h"

namespace stelvador {
namespace {

// Answers every open dialog with the one data file; the current directory stays where the tool
// was started, so the plot data files land there.
class FixedAnswerFileDialog : public FileDialog {
  public:
    explicit FixedAnswerFileDialog(std::string path) : m_path(std::move(path)) {}
    void ShowOpen() override { setFileName(m_path); }
    void ShowSave() override { setFileName(std::string()); }

  private:
    std::string m_path;
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
    std::cerr << "usage: stelvador-calc [--si3] DATAFILE\n";
    return 2;
}

std::string ReadFailureText(const RunTimeError& e) {
    const auto text = ErrorMessage(ErrorTable::DataEntry, e.number());
    return text ? std::string(*text) : std::string(e.what());
}

int Run(int argc, char** argv) {
    bool siNormalization = false;
    std::string dataFile;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--si3") {
            siNormalization = true;
        } else if (!argument.empty() && argument[0] == '-') {
            return Usage();
        } else if (dataFile.empty()) {
            dataFile = argument;
        } else {
            return Usage();
        }
    }
    if (dataFile.empty()) {
        return Usage();
    }
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(dataFile, ignored).string();
    try {
        ReadDataFile(path);
    } catch (const RunTimeError& e) {
        std::cerr << "stelvador-calc: cannot read " << dataFile << ": " << ReadFailureText(e)
                  << '\n';
        return 1;
    }

    SpreadsheetApplications spreadsheets(std::make_shared<DontSaveChangesQuestion>());
    Form10Link results(spreadsheets, QCoreApplication::applicationDirPath());
    FixedAnswerFileDialog dialog(path);
    StandardErrorMessageBox messages;
    kkj window(dialog, messages, results);
    if (siNormalization) {
        window.mnuSiNorm_Click();
    }
    window.mnuOpen_Click();

    if (Form10* form = results.form()) {
        const FlexGrid& grid = form->MSFlexGrid1();
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
    std::cout.flush();
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
