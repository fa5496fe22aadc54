#include "calculation/output/result_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "calculation/analysis_state.h"
#include "calculation/output/shown_m3.h"
#include "common/number_format.h"

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

// The number cells 1 to 122 in row order, the slow way: a pointer to each cell's quantity, null
// for the three empty cells (46, 90, 122).
std::vector<double*> NumberCells(AnalysisState& state) {
    FormulaValues& f = state.formula;
    SiteContents& s = state.sites;
    std::vector<double*> cells;
    for (int c = 0; c <= kCl; ++c) {
        cells.push_back(&f.weightPercent[static_cast<std::size_t>(c)]);
    }
    for (double* value :
         {&f.oxygenEquivalentF, &f.oxygenEquivalentCl, &f.weightPercent[kH], &f.analyticalTotal}) {
        cells.push_back(value);
    }
    cells.push_back(nullptr);
    for (double& value : f.apfu) {
        cells.push_back(&value);
    }
    cells.push_back(&f.apfuTotal);
    cells.push_back(nullptr);
    for (double* value :
         {&s.t.si,  &s.t.alIV,  &s.t.total, &s.m.ti,  &s.m.alVI, &s.m.cr, &s.m.v,    &s.m.fe3,
          &s.m.fe2, &s.m.mg,    &s.m.mn3,   &s.m.mn2, &s.m.ni,   &s.m.zn, &s.m.cu,   &s.m.nb,
          &s.m.sn,  &s.m.total, &s.a.mn2,   &s.a.fe2, &s.a.ca,   &s.a.sr, &s.a.ba,   &s.a.pb,
          &s.a.na,  &s.a.k,     &s.a.p,     &s.a.ree, &s.a.th,   &s.a.u,  &s.a.total}) {
        cells.push_back(value);
    }
    cells.push_back(nullptr);
    return cells;
}

// The row's cells built the slow way: each formatted on its own.
std::vector<std::string> ExpectedCells(AnalysisState& state) {
    std::vector<std::string> cells;
    std::string name = state.formula.sampleName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    cells.push_back(name);
    for (const double* value : NumberCells(state)) {
        cells.push_back(value == nullptr ? std::string() : FormatNumber(*value));
    }
    for (const std::string_view text :
         {std::string_view(state.ions.A1), std::string_view(state.ions.A2),
          std::string_view(state.ions.M1), std::string_view(state.ions.M2),
          std::string_view(state.shownM3), std::string_view(state.ions.O4),
          std::string_view(state.subgroup), std::string_view(state.species)}) {
        cells.push_back(std::string(text));
    }
    return cells;
}

// The row text is the slow way's cells joined by TABs, and every cell is found in place.
void ExpectRowAsBuiltCellByCell(AnalysisState& state) {
    const std::vector<std::string> expected = ExpectedCells(state);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kResultCellCount));
    std::string text;
    for (std::size_t c = 0; c < expected.size(); ++c) {
        text += (c == 0 ? "" : "\t") + expected[c];
    }
    ResultRow row;
    // Storage left from a different row must not matter.
    row.text = std::string(3000, 'x');
    row.cellStart.fill(7);
    BuildResultRow(state, row);
    ASSERT_EQ(row.text, text);
    for (int c = 0; c < kResultCellCount; ++c) {
        ASSERT_EQ(row.cell(c), expected[static_cast<std::size_t>(c)]) << "cell " << c;
    }
    EXPECT_EQ(row.cellStart[kResultCellCount], row.text.size() + 1);
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
    CorrectM3String(state);

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

TEST_P(M3CorrectionTest, CorrectsTheShownStringOnlyForThreeAllanites) {
    const M3Case& c = GetParam();
    AnalysisState state = MakeAllaniteState(c.species, c.m3Before);
    state.subgroup = c.subgroup;
    CorrectM3String(state);
    const ResultRow row = BuildResultRow(state);
    EXPECT_EQ(state.shownM3, c.m3After);
    EXPECT_EQ(row.cell(127), c.m3After);
    // The dominant-ion string itself stays as found.
    EXPECT_EQ(state.ions.M3, c.m3Before);
}

// A state reused from an analysis whose M3 string was corrected shows the next one's own string.
TEST(M3CorrectionReuseTest, NextAnalysisShowsItsOwnM3String) {
    AnalysisState state = MakeAllaniteState("Allanite-(Ce)", "V");
    CorrectM3String(state);
    ASSERT_EQ(state.shownM3, "Fe2+");
    state.species = "Allanite-(Nd)";
    CorrectM3String(state);
    EXPECT_EQ(state.shownM3, "V");
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

// A very long sample name leaves every later cell where it belongs.
TEST(ResultRowTest, LongSampleNameKeepsEveryLaterCellInPlace) {
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

// Values of every kind in every number cell: zeros (most cells of a typed analysis), usual
// values, halves and their neighbours, values of 1,000 and more, the largest doubles, NaN and
// infinities; in runs and alone, so that every grouping of zero and non-zero cells occurs.
TEST(ResultRowTest, RandomRowsMatchTheirCellsFormattedOneByOne) {
    std::mt19937_64 random(4711);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto anyValue = [&]() -> double {
        switch (random() % 16) {
            case 0:
                return -0.0;
            case 1:
                return unit(random) * 3.0;
            case 2:
                return -unit(random) * 100.0;
            case 3:
                return (static_cast<double>(random() % 1000000) + 0.5) / 1000.0;
            case 4:
                return std::nextafter((static_cast<double>(random() % 1000) + 0.5) / 1000.0, 0.0);
            case 5:
                return 999.999 + unit(random) * 0.002;
            case 6:
                return unit(random) * 1e9;
            case 7:
                return (random() % 2 == 0 ? 1.0 : -1.0) * std::numeric_limits<double>::max();
            case 8:
                return std::numeric_limits<double>::quiet_NaN();
            case 9:
                return -std::numeric_limits<double>::infinity();
            case 10:
                return 1e15 + unit(random) * 9e15;
            default:
                return 0.0;
        }
    };
    const std::vector<std::string> texts = {"",
                                            "O",
                                            "Ca",
                                            "REE",
                                            "Fe3+",
                                            "Mn3+ ",
                                            "Clinozoisite",
                                            "Allanite subgroup",
                                            std::string(31, 'e'),
                                            std::string(32, 'f'),
                                            std::string(33, 'g'),
                                            std::string(300, 'h')};
    for (int i = 0; i < 3000; ++i) {
        AnalysisState state;
        state.formula.sampleName = texts[random() % texts.size()];
        // Runs of zeros of every length with a value here and there, or values everywhere.
        const unsigned density = static_cast<unsigned>(random() % 4);
        for (double* value : NumberCells(state)) {
            if (value != nullptr) {
                *value = random() % 4 < density ? anyValue() : 0.0;
            }
        }
        state.ions.A1 = texts[random() % texts.size()];
        state.ions.A2 = texts[random() % texts.size()];
        state.ions.M1 = texts[random() % texts.size()];
        state.ions.M2 = texts[random() % texts.size()];
        state.ions.M3 = texts[random() % texts.size()];
        state.ions.O4 = texts[random() % texts.size()];
        state.subgroup = texts[random() % texts.size()];
        state.species = texts[random() % texts.size()];
        CorrectM3String(state);
        ExpectRowAsBuiltCellByCell(state);
    }
}

TEST(ResultHeadingsTest, HeadingRowLinesUpWithTheCells) {
    ASSERT_EQ(kResultColumns.size(), 131u);
    EXPECT_EQ(kResultColumns[0].heading, "Sample       ");
    EXPECT_EQ(kResultColumns[1].heading, "[SiO2");
    EXPECT_EQ(kResultColumns[7].heading, "Mn2O3");
    EXPECT_EQ(kResultColumns[41].heading, "Cl");
    EXPECT_EQ(kResultColumns[42].heading, "O=F");
    EXPECT_EQ(kResultColumns[44].heading, "H2O");
    EXPECT_EQ(kResultColumns[45].heading, "Total]wt%");
    EXPECT_EQ(kResultColumns[47].heading, "[Si");
    EXPECT_EQ(kResultColumns[56].heading, "Mn");
    EXPECT_EQ(kResultColumns[88].heading, "OH");
    EXPECT_EQ(kResultColumns[89].heading, "Total]apfu");
    EXPECT_EQ(kResultColumns[92].heading, "Al(IV)");
    EXPECT_EQ(kResultColumns[94].heading, "[Ti");
    EXPECT_EQ(kResultColumns[108].heading, "Total]M-site");
    EXPECT_EQ(kResultColumns[109].heading, "[Mn2+");
    EXPECT_EQ(kResultColumns[121].heading, "Total]A-site");
    EXPECT_EQ(kResultColumns[123].heading, "[A1]Dominant cation");
    EXPECT_EQ(kResultColumns[128].heading, "[O4]Dominant anion");
    EXPECT_EQ(kResultColumns[129].heading, "[Epidote subgroup]");
    EXPECT_EQ(kResultColumns[130].heading, "[Epidote name]");
    for (const int spacer : {46, 90, 122}) {
        EXPECT_EQ(kResultColumns[static_cast<std::size_t>(spacer)].heading, "");
    }
    // The cells the plot records copy, named by the quantity they show.
    using namespace result_columns;
    EXPECT_EQ(ResultCellOf(Apfu<kLa>), 69u);
    EXPECT_EQ(ResultCellOf(Apfu<kCe>), 70u);
    EXPECT_EQ(ResultCellOf(Apfu<kNd>), 72u);
    EXPECT_EQ(ResultCellOf(Apfu<kY>), 83u);
    EXPECT_EQ(ResultCellOf(Apfu<kFe2>), 54u);
    EXPECT_EQ(ResultCellOf(Apfu<kMg>), 55u);
    EXPECT_EQ(ResultCellOf(M<&MSiteContents::alVI>), 95u);
    for (std::size_t c = 0; c < kResultColumns.size(); ++c) {
        if (c != 46 && c != 90 && c != 122) {
            EXPECT_FALSE(kResultColumns[c].heading.empty()) << c;
        }
    }
}

}  // namespace
}  // namespace stelvador
