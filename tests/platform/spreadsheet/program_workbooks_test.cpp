// The workbooks the build puts into the program folder open, laid out as the program needs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/oxide_list.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_save_changes_question.h"

namespace stelvador {
namespace {

const std::string kProgramDir = STELVADOR_PROGRAM_DIR;

TEST(ProgramWorkbooks, OutputWorkbookHasOneEmptyWorksheet) {
    SpreadsheetApplications applications(std::make_shared<ScriptedSaveChangesQuestion>());
    const Workbook book = applications.Create().Workbooks().Open(kProgramDir + "/Output.xlsx");
    ASSERT_EQ(book.WorksheetCount(), 1);
    EXPECT_EQ(book.Worksheets(1).Cells(1, 1).Value(), "");
}

class TemplateWorkbookTest : public ::testing::TestWithParam<std::string> {};

TEST_P(TemplateWorkbookTest, IsLaidOutLikeTheAnalysisGrid) {
    SpreadsheetApplications applications(std::make_shared<ScriptedSaveChangesQuestion>());
    const Worksheet sheet = applications.Create()
                                .Workbooks()
                                .Open(kProgramDir + "/Edit Excel File/" + GetParam())
                                .Worksheets(1);
    EXPECT_EQ(sheet.Cells(1, 1).Value(), "Row No");
    EXPECT_EQ(sheet.Cells(1, 2).Value(), "Sample No");
    for (int i = 0; i < kOxideCount; ++i) {
        EXPECT_EQ(sheet.Cells(1, i + 3).Value(), kOxideList[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(sheet.Cells(1, 45).Value(), "");
    for (int row = 1; row <= 300; ++row) {
        EXPECT_EQ(sheet.Cells(row + 1, 1).Value(), std::to_string(row));
        EXPECT_EQ(sheet.Cells(row + 1, 2).Value(), "");
    }
    EXPECT_EQ(sheet.Cells(302, 1).Value(), "");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, TemplateWorkbookTest,
                         ::testing::Values("Stelvador.xlsx", "Stelvador.xls"),
                         [](const auto& info) {
                             return info.param == "Stelvador.xls" ? std::string("xls")
                                                                  : std::string("xlsx");
                         });

}  // namespace
}  // namespace stelvador
