// The whole road a user walks, through the real windows: analyses brought in from a spreadsheet
// (imported from a workbook, or pasted from a copied block), kept in a data file and opened
// again, calculated, sent to the output workbook and read elsewhere. Each step is the command a
// user clicks; only the file dialog and the message box are scripted.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculation_fixture.h"
#include "common/oxide_list.h"
#include "platform/flex_grid.h"
#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/xlsx_writer.h"
#include "widgets/panel_status_bar.h"
#include "workbook_test_window.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// Toolbar positions of the data entry window and of the results window.
constexpr int kNewFileButton = 1;
constexpr int kOpenFileButton = 2;
constexpr int kSaveAsButton = 3;
constexpr int kCloseButton = 4;
constexpr int kPasteButton = 9;
constexpr int kSelectAllButton = 11;
constexpr int kCalculateButton = 13;
constexpr int kImportXlsxButton = 16;
constexpr int kSendButton = 9;

// The value a text reads as when the whole of it is a decimal number (thousands commas
// allowed); false for any other text.
bool DecimalValue(const std::string& text, double& value) {
    std::string digits;
    for (const char c : text) {
        if (c != ',') {
            digits += c;
        }
    }
    if (digits.empty() || digits.find_first_of("eE+ ") != std::string::npos) {
        return false;
    }
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    return error == std::errc() && stop == end;
}

// A workbook laid out like the analysis grid, as a user keeps analyses in a spreadsheet: the
// headings in row 1, the row numbers in column A, the sample names in column B and the
// constituents from column C on, as numbers.
void WriteAnalysesWorkbook(const std::vector<AnalysisRow>& analyses, const fs::path& path) {
    SheetData sheet;
    sheet.name = "Analyses";
    const auto text = [](const std::string& t) { return CellValue{CellKind::Text, t, 0.0}; };
    sheet.cells.Set(1, 1, text("Row No"));
    sheet.cells.Set(1, 2, text("Sample No"));
    for (int c = 0; c < kOxideCount; ++c) {
        sheet.cells.Set(1, 3 + c, text(std::string(kOxideList[static_cast<std::size_t>(c)])));
    }
    for (int r = 1; r <= 300; ++r) {
        sheet.cells.Set(1 + r, 1, CellValue{CellKind::Number, std::to_string(r), r * 1.0});
    }
    for (std::size_t a = 0; a < analyses.size(); ++a) {
        const int row = 2 + static_cast<int>(a);
        sheet.cells.Set(row, 2, text(analyses[a].sample));
        for (std::size_t c = 0; c < analyses[a].cells.size(); ++c) {
            double value = 0;
            if (DecimalValue(analyses[a].cells[c], value)) {
                sheet.cells.Set(row, 3 + static_cast<int>(c),
                                CellValue{CellKind::Number, analyses[a].cells[c], value});
            }
        }
    }
    WriteXlsxWorkbook({&sheet}, path.string());
}

// What another program reads in a saved workbook's first sheet: its used size, then each cell
// of the block as "none", "text<TAB>value" or "number<TAB>repr", one a line.
struct ReadElsewhere {
    int maxRow = 0;
    int maxColumn = 0;
    std::vector<std::string> cells;  // row by row
};

ReadElsewhere ReadWithOpenpyxl(const fs::path& workbook, const fs::path& work, int rows,
                               int columns) {
    const fs::path script = work / "read_elsewhere.py";
    const fs::path dump = work / "read_elsewhere.txt";
    std::ofstream(script) << "import sys, openpyxl\n"
                             "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                             "rows, columns = int(sys.argv[3]), int(sys.argv[4])\n"
                             "with open(sys.argv[2], 'w', encoding='utf-8', newline='') as out:\n"
                             "    out.write('%d\\t%d\\n' % (sheet.max_row, sheet.max_column))\n"
                             "    for row in sheet.iter_rows(min_row=1, max_row=rows,\n"
                             "                               min_col=1, max_col=columns):\n"
                             "        for cell in row:\n"
                             "            v = cell.value\n"
                             "            if v is None:\n"
                             "                out.write('none\\n')\n"
                             "            elif isinstance(v, str):\n"
                             "                out.write('text\\t%s\\n' % v)\n"
                             "            else:\n"
                             "                out.write('number\\t%r\\n' % v)\n";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + workbook.string() +
                                "' '" + dump.string() + "' " + std::to_string(rows) + " " +
                                std::to_string(columns);
    ReadElsewhere read;
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "openpyxl could not read " << workbook;
        return read;
    }
    std::vector<std::string> lines = ReadLines(dump);
    if (lines.empty()) {
        ADD_FAILURE() << "openpyxl wrote nothing";
        return read;
    }
    const std::string& size = lines.front();
    read.maxRow = std::stoi(size.substr(0, size.find('\t')));
    read.maxColumn = std::stoi(size.substr(size.find('\t') + 1));
    read.cells.assign(lines.begin() + 1, lines.end());
    return read;
}

class UserRoad : public CalculationFixture {
  protected:
    void SetUp() override {
        CalculationFixture::SetUp();
        openWindow();
    }
    void click(int position) { m_window->toolbarButton(position)->trigger(); }
};

// Import a workbook of analyses, Save As, Close, Open File, Calculate, send the results to the
// output workbook, save it, and read it in another program.
TEST_F(UserRoad, ImportSaveReopenCalculateSendAndReadTheWorkbookElsewhere) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    ASSERT_FALSE(golden.empty());
    const fs::path imported = m_work / "My analyses.xlsx";
    WriteAnalysesWorkbook(golden, imported);

    m_dialog.queuePath(imported.string());
    click(kImportXlsxButton);
    ASSERT_EQ(m_window->screenTitle(), "Data Entry Screen");
    const FlexGrid& grid = m_window->MSFlexGrid1();
    ASSERT_EQ(grid.Rows(), 301);
    ASSERT_EQ(grid.Cols(), 44);
    EXPECT_EQ(grid.TextMatrix(0, 1), "Sample No");
    for (std::size_t a = 0; a < golden.size(); ++a) {
        const int row = 1 + static_cast<int>(a);
        ASSERT_EQ(grid.TextMatrix(row, 1), golden[a].sample);
        for (int c = 0; c < kOxideCount; ++c) {
            const std::string& typed = golden[a].cells[static_cast<std::size_t>(c)];
            const std::string& shown = grid.TextMatrix(row, 2 + c);
            double typedValue = 0;
            double shownValue = 0;
            if (typed.empty()) {
                EXPECT_EQ(shown, "") << row << ", " << c;
            } else {
                ASSERT_TRUE(DecimalValue(typed, typedValue));
                ASSERT_TRUE(DecimalValue(shown, shownValue)) << row << ", " << c << ": " << shown;
                EXPECT_EQ(shownValue, typedValue) << row << ", " << c;
            }
        }
    }
    const std::vector<std::string> afterImport = GridLines(grid);

    const fs::path dataFile = m_work / "My analyses.epd";
    m_dialog.queuePath(dataFile.string());
    click(kSaveAsButton);
    ASSERT_TRUE(fs::exists(dataFile));
    click(kCloseButton);
    ASSERT_EQ(m_window->screenTitle(), "Start-up Screen");

    m_dialog.queuePath(dataFile.string());
    click(kOpenFileButton);
    ASSERT_EQ(m_window->screenTitle(), "Data Entry Screen");
    // The data file brings back every analysis cell as the import left it; the row numbers are
    // the grid's own.
    const std::vector<std::string> reopened = GridLines(grid);
    ASSERT_EQ(reopened.size(), afterImport.size());
    for (std::size_t r = 1; r < reopened.size(); ++r) {
        const auto dataBlock = [](const std::string& line) { return line.substr(line.find('\t')); };
        EXPECT_EQ(dataBlock(reopened[r]), dataBlock(afterImport[r])) << r;
    }

    click(kCalculateButton);
    EXPECT_EQ(m_dialog.calls().size(), 3u);  // import, Save As, Open File; Calculate asked none
    EXPECT_EQ(resultRows(), ReadLines(GoldenExpectedFolder(false) / "results.txt"));
    EXPECT_EQ(results().StatusBar1().panelText(4), "not selected");

    Form10& form = results();
    form.toolbarButton(kSendButton)->trigger();
    EXPECT_TRUE(m_messages.texts().empty());
    const FlexGrid& sent = form.MSFlexGrid1();
    for (int r = 0; r < sent.Rows(); ++r) {
        for (int c = 0; c < sent.Cols(); ++c) {
            ASSERT_EQ(form.OutputSheet().Cells(r + 1, c + 1).Value(), sent.TextMatrix(r, c))
                << r << ", " << c;
        }
    }
    const fs::path saved = m_work / "My results.xlsx";
    form.OutputBook().SaveAs(saved.string());

    const ReadElsewhere read = ReadWithOpenpyxl(saved, m_work, sent.Rows(), sent.Cols());
    ASSERT_EQ(read.cells.size(), static_cast<std::size_t>(sent.Rows() * sent.Cols()));
    // Nothing lies below or beside the results.
    EXPECT_EQ(read.maxRow, sent.Rows());
    EXPECT_LE(read.maxColumn, sent.Cols());
    int numbers = 0;
    for (int r = 0; r < sent.Rows(); ++r) {
        for (int c = 0; c < sent.Cols(); ++c) {
            const std::string& line = read.cells[static_cast<std::size_t>(r * sent.Cols() + c)];
            const std::string kind = line.substr(0, line.find('\t'));
            const std::string value =
                line.find('\t') == std::string::npos ? "" : line.substr(line.find('\t') + 1);
            const std::string& text = sent.TextMatrix(r, c);
            double textValue = 0;
            if (text.empty()) {
                EXPECT_EQ(kind, "none") << r << ", " << c;
            } else if (DecimalValue(text, textValue)) {
                double readValue = 0;
                ASSERT_EQ(kind, "number") << r << ", " << c << ": " << text;
                ASSERT_TRUE(DecimalValue(value, readValue)) << value;
                EXPECT_EQ(readValue, textValue) << r << ", " << c << ": " << text;
                ++numbers;
            } else {
                EXPECT_EQ(kind, "text") << r << ", " << c;
                EXPECT_EQ(value, text) << r << ", " << c;
            }
        }
    }
    EXPECT_GT(numbers, 0);
    EXPECT_TRUE(m_messages.texts().empty());
}

// New File, Select All, paste a block copied from a spreadsheet (TAB between cells, LF after
// every row), then Calculate with the Si = 3 option on.
TEST_F(UserRoad, PasteFromASpreadsheetAndCalculateWithSiThree) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    ASSERT_FALSE(golden.empty());
    std::string block;
    for (const AnalysisRow& analysis : golden) {
        block += analysis.sample;
        for (const std::string& cell : analysis.cells) {
            block += '\t' + cell;
        }
        block += '\n';
    }

    click(kNewFileButton);
    ASSERT_EQ(m_window->screenTitle(), "New  File");
    click(kSelectAllButton);
    QApplication::clipboard()->setText(QString::fromStdString(block));
    click(kPasteButton);
    const FlexGrid& grid = m_window->MSFlexGrid1();
    for (std::size_t a = 0; a < golden.size(); ++a) {
        const int row = 1 + static_cast<int>(a);
        ASSERT_EQ(grid.TextMatrix(row, 1), golden[a].sample);
        for (int c = 0; c < kOxideCount; ++c) {
            ASSERT_EQ(grid.TextMatrix(row, 2 + c), golden[a].cells[static_cast<std::size_t>(c)])
                << row << ", " << c;
        }
    }
    // The trailing line end adds no row.
    for (int c = 1; c < grid.Cols(); ++c) {
        EXPECT_EQ(grid.TextMatrix(1 + static_cast<int>(golden.size()), c), "") << c;
    }

    m_window->mnuSiNorm().trigger();
    ASSERT_TRUE(m_window->mnuSiNorm().isChecked());
    // Nothing was opened from a file: Calculate offers one, and a cancel calculates the grid
    // as it stands.
    m_dialog.queueCancel();
    click(kCalculateButton);
    EXPECT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(resultRows(), ReadLines(GoldenExpectedFolder(true) / "results.txt"));
    EXPECT_EQ(results().StatusBar1().panelText(4), "Si = 3");
    EXPECT_TRUE(m_messages.texts().empty());
    QApplication::clipboard()->clear();
}

}  // namespace
}  // namespace stelvador
