#pragma once

// A prepared output workbook (made by tests/platform/spreadsheet/data/make_prepared_output.py)
// sent into through the real results window and saved, and what openpyxl reads of it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/flex_grid.h"
#include "results_window_fixture.h"
#include "support/text_files.h"

namespace stelvador {

// What describe_workbook.py reads of a workbook: key -> value, one fact each.
using WorkbookFacts = std::map<std::string, std::string>;

inline WorkbookFacts DescribeWorkbook(const std::filesystem::path& workbook,
                                      const std::filesystem::path& scratch, bool values = false) {
    const std::filesystem::path out = scratch / "facts.txt";
    const std::string command =
        "/usr/bin/python3 '" STELVADOR_SPREADSHEET_DATA_DIR "/describe_workbook.py' '" +
        workbook.string() + "' '" + out.string() + "'" + (values ? " --values" : "");
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    WorkbookFacts facts;
    for (const std::string& line : ReadLines(out)) {
        const std::size_t tab = line.find('\t');
        facts[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
    }
    std::filesystem::remove(out);
    return facts;
}

// The results of a few analyses: the sample, the value sent to column B, a few more columns.
inline std::vector<std::string> AnalysisRows(int count) {
    static const char* const kColumnB[] = {"37.800", "38.125", "1,234.500", "-0.004",
                                           "40",     "36.250", "35.500",    "39.000"};
    std::vector<std::string> rows;
    for (int a = 0; a < count; ++a) {
        rows.push_back("EP-" + std::to_string(a + 1) + "\t" + kColumnB[a % 8] + "\t" +
                       std::to_string(a + 10) + ".5\t\tallanite");
    }
    return rows;
}

class PreparedOutputFixture : public ResultsWindowFixture {
  protected:
    // Puts the prepared workbook in the program folder as "Output.xlsx".
    void usePreparedOutput(const std::string& fixture) {
        m_fixture = std::filesystem::path(STELVADOR_SPREADSHEET_DATA_DIR) / fixture;
        std::filesystem::copy_file(m_fixture, programFolder() / "Output.xlsx",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // A results window holding the rows, sent with the toolbar button.
    Form10& sendRows(const std::vector<std::string>& rows) {
        Form10& form = loadWindow();
        for (const std::string& row : rows) {
            form.MSFlexGrid1().AddItem(row);
        }
        form.toolbarButton(9)->trigger();
        EXPECT_TRUE(m_messages.texts().empty());
        return form;
    }

    // Exit Excel File answered Save: the workbook is saved to its own path.
    void exitExcelFileSaving(Form10& form) {
        m_question->answers.push_back(SaveChangesAnswer::Save);
        form.menuItem("mnuEOX")->trigger();
        EXPECT_TRUE(m_messages.texts().empty());
        EXPECT_FALSE(m_link->isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::filesystem::path m_fixture;
};

}  // namespace stelvador
