#include "platform/file_dialog_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stelvador {
namespace {

struct FilterCase {
    const char* filter;
    std::vector<std::string> nameFilters;
};

class FileDialogFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileDialogFilterTest, TranslatesToQtNameFilters) {
    EXPECT_EQ(QtNameFilters(GetParam().filter), GetParam().nameFilters) << GetParam().filter;
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileDialogFilterTest,
    ::testing::Values(
        // The program's own filters: the description already names its pattern.
        FilterCase{"Epidote(*.epd) |*.epd", {"Epidote(*.epd)"}},
        FilterCase{"Epidote files(*.epd) |*.epd", {"Epidote files(*.epd)"}},
        FilterCase{"Grapher files(*.grf) |*.grf", {"Grapher files(*.grf)"}},
        FilterCase{"Excel files (*.xls)|*.xls", {"Excel files (*.xls)"}},
        FilterCase{"Excel files (*.xlsx)|*.xlsx", {"Excel files (*.xlsx)"}},
        // A description without its pattern gets it added.
        FilterCase{"Data|*.epd", {"Data (*.epd)"}},
        // Several pairs, several patterns of one pair.
        FilterCase{"Excel|*.xls;*.xlsx|All files|*.*", {"Excel (*.xls *.xlsx)", "All files (*.*)"}},
        FilterCase{"Excel| *.xls ; *.xlsx ", {"Excel (*.xls *.xlsx)"}},
        // Parentheses naming other patterns than the pair's must not become the patterns.
        FilterCase{"Old sheets (1997)|*.xls", {"Old sheets (1997) (*.xls)"}},
        FilterCase{"Data (*.dat)|*.epd", {"Data (*.dat) (*.epd)"}},
        // Odd shapes get a defined result.
        FilterCase{"", {}}, FilterCase{"   ", {}}, FilterCase{"Everything", {"Everything (*)"}},
        FilterCase{"Data|", {"Data (*)"}}, FilterCase{"|*.epd", {"*.epd (*.epd)"}},
        FilterCase{"Data|*.epd|Other", {"Data (*.epd)", "Other (*)"}}));

}  // namespace
}  // namespace stelvador
