// Every list the .xlsx reader keeps is bounded: a small workbook listing millions of entries is
// refused with 321, saying which list is too long, instead of filling memory. A list at its
// limit is still read. Slow (seconds each): labelled so, run in CI.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/run_time_error.h"
#include "list_bombs.h"
#include "platform/spreadsheet/workbook_file.h"
#include "platform/spreadsheet/xlsx_reader.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::size_t LimitOf(ListBomb bomb) {
    const XlsxLimits limits;
    switch (bomb) {
        case ListBomb::SharedStrings:
            return limits.sharedStrings;
        case ListBomb::Sheets:
            return limits.sheets;
        case ListBomb::Relationships:
            return limits.relationships;
        case ListBomb::CellFormats:
            return limits.cellFormats;
        case ListBomb::NumberFormats:
            return limits.numberFormats;
    }
    return 0;
}

class XlsxListLimitTest : public ::testing::TestWithParam<ListBomb> {
  protected:
    void SetUp() override { m_folder = MakeScratchFolder(ListBombName(GetParam())); }
    void TearDown() override { fs::remove_all(m_folder); }

    // The description Open fails with, or empty when the workbook opens; fails the test for any
    // number but 321.
    std::string OpenFailure(std::size_t entries) {
        const fs::path path = m_folder / "bomb.xlsx";
        WriteZip(path, ListBombParts(GetParam(), entries));
        EXPECT_LT(fs::file_size(path), 1u << 20);
        // Lists of empty entries pack far smaller than real parts: read without the bound on
        // that, so that the list's own limit is met.
        XlsxLimits limits;
        limits.unpack.ratio = SIZE_MAX;
        try {
            ReadXlsxWorkbook(ReadBytes(path), limits);
        } catch (const RunTimeError& failure) {
            EXPECT_EQ(failure.number(), 321) << failure.what();
            return failure.what();
        }
        return {};
    }

    fs::path m_folder;
};

TEST_P(XlsxListLimitTest, OneEntryBeyondTheLimitIsRefusedNamingTheList) {
    const std::string listName = ListBombListName(GetParam());
    const std::string refusal = "The workbook holds more than this program reads: more than " +
                                std::to_string(LimitOf(GetParam())) + " " + listName + ".";
    EXPECT_EQ(OpenFailure(LimitOf(GetParam()) + 1), refusal);

    // At the limit the list is read (the sheets' entries name no sheet part: refused for that).
    const std::string at = OpenFailure(LimitOf(GetParam()));
    EXPECT_NE(at, refusal);
    EXPECT_EQ(at.find("more than " + std::to_string(LimitOf(GetParam()))), std::string::npos) << at;
}

INSTANTIATE_TEST_SUITE_P(EachList, XlsxListLimitTest,
                         ::testing::Values(ListBomb::SharedStrings, ListBomb::Sheets,
                                           ListBomb::Relationships, ListBomb::CellFormats,
                                           ListBomb::NumberFormats),
                         [](const auto& info) { return std::string(ListBombName(info.param)); });

}  // namespace
}  // namespace stelvador
