// LibreOffice opens a saved prepared output workbook and recalculates the formulas that read the
// sent cells (the average in B100, twice B3 on the second sheet) on the sent values, even where
// the workbook stored values of an earlier calculation: LibreOffice does not recalculate on load
// when the workbook asks it to, but it calculates a formula that holds no value.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/spreadsheet/written_value.h"
#include "prepared_output.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class PreparedOutputRecalculationTest : public PreparedOutputFixture,
                                        public ::testing::WithParamInterface<const char*> {};

// The value of a fact "float|37.8|0.000|bold=0|fill=".
double NumberOf(const std::string& fact) {
    const std::size_t bar = fact.find('|');
    return std::strtod(fact.c_str() + bar + 1, nullptr);
}

TEST_P(PreparedOutputRecalculationTest, LibreOfficeRecalculatesTheFormulasOnTheSentValues) {
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "soffice (LibreOffice) is not installed: the recalculation is not tried";
    }
    usePreparedOutput(GetParam());
    Form10& form = sendRows(AnalysisRows(5));
    const fs::path saved = workFolder() / "Saved.xlsx";
    form.OutputBook().SaveAs(saved.string());

    // LibreOffice saves the workbook again with the values it calculated on opening it; a
    // profile of its own keeps two runs side by side apart.
    const fs::path converted = workFolder() / "converted";
    const std::string command =
        "cd '" + workFolder().string() + "' && soffice -env:UserInstallation=file://" +
        (workFolder() / "profile").string() + " --headless --convert-to xlsx --outdir '" +
        converted.string() + "' '" + saved.string() + "' > soffice.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(workFolder() / "soffice.log");
    const WorkbookFacts values = DescribeWorkbook(converted / "Saved.xlsx", workFolder(), true);

    double sum = 0.0;
    for (int row = 3; row <= 7; ++row) {
        sum += WrittenCellValue(form.MSFlexGrid1().TextMatrix(row - 1, 1)).number;
    }
    ASSERT_TRUE(values.contains("cell Sheet1!B100"));
    EXPECT_DOUBLE_EQ(NumberOf(values.at("cell Sheet1!B100")), sum / 5)
        << values.at("cell Sheet1!B100");
    // The second sheet's formula reads a sent cell: it keeps no value stored before the send.
    ASSERT_TRUE(values.contains("cell Notes!B1"));
    EXPECT_DOUBLE_EQ(NumberOf(values.at("cell Notes!B1")), 2 * 37.8) << values.at("cell Notes!B1");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PreparedOutputRecalculationTest,
                         ::testing::Values("prepared_output_openpyxl.xlsx",
                                           "prepared_output_libreoffice.xlsx"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return fs::path(info.param).stem().string();
                         });

}  // namespace
}  // namespace stelvador
