#include "calculation/output/result_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "calculation/analysis_state.h"
#include "calculation/output/result_headings.h"

namespace stelvador {
namespace {

AnalysisState MakeAllaniteState(std::string_view species, std::string_view m3) {
    AnalysisState state;
    state.formula.sampleName = "AL-1";
    state.subgroup = "Allanite subgroup";
    state.species = species;
    state.ions.M3 = m3;
    return state;
}

TEST(ResultRowTest, HoldsExactly131CellsJoinedByTabs) {
    AnalysisState state;
    state.formula.sampleName = "S1";
    state.species = "Epidote";
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(std::count(row.text.begin(), row.text.end(), '\t'), 130);
    // The species closes the row: no TAB after it.
    EXPECT_TRUE(row.text.ends_with("\tEpidote"));
    EXPECT_EQ(row.text.find('\r'), std::string::npos);
    EXPECT_EQ(row.text.find('\n'), std::string::npos);
    EXPECT_EQ(row.cell(0), "S1");
    for (const int spacer : {46, 90, 122}) {
        EXPECT_EQ(row.cell(spacer), "") << spacer;
    }
}

TEST(ResultRowTest, CellsMatchTheirQuantities) {
    AnalysisState state;
    state.formula.sampleName = "Ep 7";
    state.formula.weightPercent[kSi] = 37.5;
    state.formula.weightPercent[kCl] = 0.25;
    state.formula.weightPercent[kH] = 1.9;
    state.formula.oxygenEquivalentF = 0.1;
    state.formula.oxygenEquivalentCl = 0.0564;
    state.formula.analyticalTotal = 1234.5678;
    state.formula.apfu[kSi] = 2.99861;
    state.formula.apfu[kFe3] = 0.741;
    state.formula.apfu[kH] = 1.0134;
    state.formula.apfuTotal = 8;
    state.sites.t = {3.1, 0.0, 3.1};
    state.sites.m.ti = 0.02;
    state.sites.m.alVI = 2.2;
    state.sites.m.cr = 0.03;
    state.sites.m.sn = 0.04;
    state.sites.m.total = 3;
    state.sites.a.mn2 = -0.25;
    state.sites.a.ree = 0.0004;
    state.sites.a.total = 2.001;
    state.ions.A1 = "Ca";
    state.ions.A2 = "Ca";
    state.ions.M1 = "Al";
    state.ions.M2 = "Al";
    state.ions.M3 = "Fe3+";
    state.ions.O4 = "O";
    state.subgroup = "Clinozoisite subgroup";
    state.species = "Epidote";

    const ResultRow row = BuildResultRow(state);
    struct Expected {
        int cell;
        const char* text;
    };
    const Expected cases[] = {{0, "Ep 7"},     {1, "37.500"},     {2, "0.000"},
                              {41, "0.250"},   {42, "0.100"},     {43, "0.056"},
                              {44, "1.900"},   {45, "1,234.568"}, {47, "2.999"},
                              {52, "0.741"},   {88, "1.013"},     {89, "8.000"},
                              {91, "3.100"},   {92, "0.000"},     {93, "3.100"},
                              {94, "0.020"},   {95, "2.200"},     {96, "0.030"},
                              {107, "0.040"},  {108, "3.000"},    {109, "-0.250"},
                              {118, "0.000"},  {121, "2.001"},    {123, "Ca"},
                              {124, "Ca"},     {125, "Al"},       {126, "Al"},
                              {127, "Fe3+"},   {128, "O"},        {129, "Clinozoisite subgroup"},
                              {130, "Epidote"}};
    for (const Expected& e : cases) {
        EXPECT_EQ(row.cell(e.cell), e.text) << "cell " << e.cell;
    }
}

TEST(ResultRowTest, EmptySampleNameStartsTheRowWithATab) {
    AnalysisState state;
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(row.text.front(), '\t');
    EXPECT_EQ(row.cell(0), "");
}

TEST(ResultRowTest, QuantityThatCannotBeFormedIsAnEmptyCell) {
    AnalysisState state;
    state.formula.weightPercent[kSi] = std::numeric_limits<double>::quiet_NaN();
    state.formula.apfu[kAl] = std::numeric_limits<double>::infinity();
    state.sites.m.total = -std::numeric_limits<double>::infinity();
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(row.cell(1), "");
    EXPECT_EQ(row.cell(49), "");
    EXPECT_EQ(row.cell(108), "");
    EXPECT_EQ(row.cell(2), "0.000");
    EXPECT_EQ(std::count(row.text.begin(), row.text.end(), '\t'), 130);
}

struct M3Case {
    const char* subgroup;
    const char* species;
    const char* m3Before;
    const char* m3After;
};

class M3CorrectionTest : public ::testing::TestWithParam<M3Case> {};

TEST_P(M3CorrectionTest, CorrectsTheStringItselfOnlyForThreeAllanites) {
    const M3Case& c = GetParam();
    AnalysisState state = MakeAllaniteState(c.species, c.m3Before);
    state.subgroup = c.subgroup;
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(state.ions.M3, c.m3After);
    EXPECT_EQ(row.cell(127), c.m3After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, M3CorrectionTest,
    ::testing::Values(M3Case{"Allanite subgroup", "Allanite-(Ce)", "V", "Fe2+"},
                      M3Case{"Allanite subgroup", "Allanite-(La)", "V", "Fe2+"},
                      M3Case{"Allanite subgroup", "Allanite-(Y)", "V", "Fe2+"},
                      M3Case{"Allanite subgroup", "Allanite-(Nd)", "V", "V"},
                      M3Case{"Allanite subgroup", "Allanite-(Ce)", "Al", "Al"},
                      M3Case{"Allanite subgroup", "Allanite-(Ce)", "v", "v"},
                      M3Case{"Clinozoisite subgroup", "Allanite-(Ce)", "V", "V"},
                      M3Case{"", "Allanite-(Ce)", "V", "V"}));

TEST(ResultRowTest, ReusedRowHoldsOnlyTheNewAnalysis) {
    AnalysisState first;
    first.formula.sampleName = "a much longer first sample name";
    first.species = "Epidote";
    ResultRow row;
    BuildResultRow(first, row);
    AnalysisState second;
    second.formula.sampleName = "B";
    BuildResultRow(second, row);
    EXPECT_EQ(row.cell(0), "B");
    EXPECT_EQ(row.cell(130), "");
    EXPECT_EQ(row.text, BuildResultRow(second).text);
}

// A sample name longer than the writer's buffer goes to the row text on its own; every later
// cell must still be found where it was written.
TEST(ResultRowTest, SampleNameLongerThanTheBufferKeepsEveryLaterCellInPlace) {
    AnalysisState state;
    state.formula.sampleName = std::string(5000, 'S');
    state.formula.apfu[kCe] = 0.40049;
    state.species = "Allanite-(Ce)";
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(row.cell(0), state.formula.sampleName);
    EXPECT_EQ(row.cell(1), "0.000");
    EXPECT_EQ(row.cell(70), "0.400");
    EXPECT_EQ(row.cell(130), "Allanite-(Ce)");
    EXPECT_EQ(std::count(row.text.begin(), row.text.end(), '\t'), 130);
}

// TAB, CR and LF in a sample name (a workbook cell may hold them) would split the row into
// extra cells or lines; each shows as a blank.
TEST(ResultRowTest, LineBreaksAndTabsInTheSampleNameBecomeBlanks) {
    struct Case {
        std::string name;
        std::string cell;
    };
    const Case cases[] = {{"A\tB", "A B"},
                          {"A\r\nB", "A  B"},
                          {"\nA\r", " A "},
                          {"\t", " "},
                          {std::string(4500, 'x') + "\t" + std::string(10, 'y'),
                           std::string(4500, 'x') + " " + std::string(10, 'y')}};
    for (const Case& c : cases) {
        AnalysisState state;
        state.formula.sampleName = c.name;
        state.formula.apfu[kCe] = 0.40049;
        const ResultRow row = BuildResultRow(state);
        EXPECT_EQ(row.cell(0), c.cell);
        EXPECT_EQ(row.cell(70), "0.400");
        EXPECT_EQ(std::count(row.text.begin(), row.text.end(), '\t'), 130);
        EXPECT_EQ(row.text.find_first_of("\r\n"), std::string::npos);
        // The state keeps the name as read.
        EXPECT_EQ(state.formula.sampleName, c.name);
    }
}

TEST(ResultHeadingsTest, HeadingRowLinesUpWithTheCells) {
    ASSERT_EQ(kResultHeadings.size(), 131u);
    EXPECT_EQ(kResultHeadings[0], "Sample       ");
    EXPECT_EQ(kResultHeadings[1], "[SiO2");
    EXPECT_EQ(kResultHeadings[7], "Mn2O3");
    EXPECT_EQ(kResultHeadings[41], "Cl");
    EXPECT_EQ(kResultHeadings[42], "O=F");
    EXPECT_EQ(kResultHeadings[44], "H2O");
    EXPECT_EQ(kResultHeadings[45], "Total]wt%");
    EXPECT_EQ(kResultHeadings[47], "[Si");
    EXPECT_EQ(kResultHeadings[56], "Mn");
    EXPECT_EQ(kResultHeadings[88], "OH");
    EXPECT_EQ(kResultHeadings[89], "Total]apfu");
    EXPECT_EQ(kResultHeadings[92], "Al(IV)");
    EXPECT_EQ(kResultHeadings[94], "[Ti");
    EXPECT_EQ(kResultHeadings[108], "Total]M-site");
    EXPECT_EQ(kResultHeadings[109], "[Mn2+");
    EXPECT_EQ(kResultHeadings[121], "Total]A-site");
    EXPECT_EQ(kResultHeadings[123], "[A1]Dominant cation");
    EXPECT_EQ(kResultHeadings[128], "[O4]Dominant anion");
    EXPECT_EQ(kResultHeadings[129], "[Epidote subgroup]");
    EXPECT_EQ(kResultHeadings[130], "[Epidote name]");
    for (const int spacer : {46, 90, 122}) {
        EXPECT_EQ(kResultHeadings[static_cast<std::size_t>(spacer)], "");
    }
    for (std::size_t c = 0; c < kResultHeadings.size(); ++c) {
        if (c != 46 && c != 90 && c != 122) {
            EXPECT_FALSE(kResultHeadings[c].empty()) << c;
        }
    }
}

}  // namespace
}  // namespace stelvador
