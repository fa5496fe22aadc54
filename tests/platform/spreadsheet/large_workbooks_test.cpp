// Workbooks at the reader's limits: the largest sheet a workbook can describe opens, and a zip
// bomb is refused at the unpack limit. Slow (seconds each): labelled so, run in CI.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_save_changes_question.h"
#include "support/scratch_folder.h"
#include "zip_maker.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class LargeWorkbooksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_application = m_applications.Create();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
    SpreadsheetApplications m_applications{std::make_shared<ScriptedSaveChangesQuestion>()};
    SpreadsheetApplication m_application;
};

TEST_F(LargeWorkbooksTest, ZipBombIsRefusedAtTheUnpackLimit) {
    // 140 MB of blanks inside the sheet: a few hundred kilobytes packed.
    std::string sheet = "<worksheet><sheetData>";
    sheet.append(140u << 20, ' ');
    sheet += "</sheetData></worksheet>";
    const fs::path path = m_folder / "bomb.xlsx";
    WriteZip(path, MinimalXlsxParts(std::move(sheet)));
    EXPECT_LT(fs::file_size(path), 2u << 20);
    try {
        m_application.Workbooks().Open(path.string());
        FAIL() << "the zip bomb opened";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
    }
}

// A sheet of as many rows as a sheet can have opens, and the cells asked for read.
TEST_F(LargeWorkbooksTest, SheetOfAMillionRowsReadsItsCells) {
    constexpr int kRows = 1048576;
    std::string sheet = "<worksheet><sheetData>";
    sheet.reserve(static_cast<std::size_t>(kRows) * 24);
    for (int row = 1; row <= kRows; ++row) {
        sheet += "<row><c><v>";
        sheet += std::to_string(row);
        sheet += "</v></c></row>";
    }
    sheet += "</sheetData></worksheet>";
    const fs::path path = m_folder / "million.xlsx";
    WriteZip(path, MinimalXlsxParts(std::move(sheet)));
    const Worksheet opened = m_application.Workbooks().Open(path.string()).Worksheets(1);
    EXPECT_EQ(opened.Cells(1, 1).Value(), "1");
    EXPECT_EQ(opened.Cells(301, 1).Value(), "301");
    EXPECT_EQ(opened.Cells(kRows, 1).Value(), std::to_string(kRows));
    EXPECT_EQ(opened.Cells(1, 2).Value(), "");
}

}  // namespace
}  // namespace stelvador
