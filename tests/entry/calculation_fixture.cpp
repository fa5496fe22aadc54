#include "calculation_fixture.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "common/data_file_format.h"
#include "common/oxide_list.h"
#include "platform/flex_grid.h"
#include "support/text_files.h"

namespace stelvador {

namespace fs = std::filesystem;

namespace {

fs::path GoldenFolder() {
    return fs::path(STELVADOR_GOLDEN_DIR);
}

}  // namespace

std::vector<AnalysisRow> GoldenAnalyses() {
    std::vector<AnalysisRow> rows;
    for (const std::string& line : ReadLines(GoldenFolder() / "analyses.tsv")) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> items = SplitTabs(line);
        items.resize(1 + kOxideCount);
        rows.push_back({items[0], std::vector<std::string>(items.begin() + 1, items.end())});
    }
    return rows;
}

fs::path GoldenExpectedFolder(bool siNormalization) {
    return GoldenFolder() / (siNormalization ? "expected_si3" : "expected");
}

fs::path& CalculationFixture::programFolderWithWorkbook() {
    static fs::path folder;
    return folder;
}

void CalculationFixture::SetUpTestSuite() {
    fs::path& folder = programFolderWithWorkbook();
    if (!folder.empty()) {
        return;
    }
    folder = fs::temp_directory_path() / ("stelvador_r_program_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string command =
        "/usr/bin/python3 -c \"import openpyxl, sys; openpyxl.Workbook().save(sys.argv[1])\" '" +
        (folder / "Output.xlsx").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

void CalculationFixture::TearDownTestSuite() {
    fs::path& folder = programFolderWithWorkbook();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    folder.clear();
}

void CalculationFixture::SetUp() {
    m_originalFolder = fs::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folderName = std::string("stelvador_r_") + info->test_suite_name() + "_" +
                             info->name() + "_" + std::to_string(::getpid());
    for (char& c : folderName) {
        if (c == '/') {
            c = '_';
        }
    }
    m_work = fs::temp_directory_path() / folderName;
    fs::remove_all(m_work);
    fs::create_directories(m_work);
    fs::current_path(m_work);
    m_programFolder = programFolderWithWorkbook();
}

void CalculationFixture::openWindow() {
    m_spreadsheets = std::make_unique<SpreadsheetApplications>(m_question);
    m_link =
        std::make_unique<Form10Link>(WindowServices{m_resultsDialog, m_resultsMessages, m_shell,
                                                    m_clipboard, *m_spreadsheets, m_about},
                                     QString::fromStdString(m_programFolder.string()));
    m_window = std::make_unique<kkj>(
        WindowServices{m_dialog, m_messages, m_shell, m_clipboard, *m_spreadsheets, m_about},
        *m_link);
}

void CalculationFixture::TearDown() {
    m_window.reset();
    m_link.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_spreadsheets.reset();
    fs::current_path(m_originalFolder);
    fs::remove_all(m_work);
}

fs::path CalculationFixture::writeDataFile(const std::string& name,
                                           const std::vector<AnalysisRow>& rows) const {
    std::string block;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            block += '\r';
        }
        block += rows[r].sample;
        for (std::size_t c = 0; c < kOxideCount; ++c) {
            block += '\t';
            if (c < rows[r].cells.size()) {
                block += rows[r].cells[c];
            }
        }
    }
    const fs::path path = m_work / name;
    std::ofstream(path, std::ios::binary) << BuildDataFileRecord(block);
    return path;
}

Form10& CalculationFixture::results() {
    Form10* form = m_link->form();
    if (form == nullptr) {
        throw std::logic_error("the results window is not loaded");
    }
    return *form;
}

std::vector<std::string> CalculationFixture::resultRows() {
    const FlexGrid& grid = results().MSFlexGrid1();
    std::vector<std::string> rows;
    for (int r = 2; r < grid.Rows(); ++r) {
        std::string row;
        for (int c = 0; c <= 130; ++c) {
            if (c > 0) {
                row += '\t';
            }
            row += grid.TextMatrix(r, c);
        }
        rows.push_back(row);
    }
    return rows;
}

void CalculationFixture::calculateFile(const fs::path& path) {
    m_dialog.queuePath(path.string());
    m_window->mnuOpen_Click();
}

}  // namespace stelvador
