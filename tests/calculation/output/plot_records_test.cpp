#include "calculation/output/plot_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "calculation/analysis_state.h"
#include "calculation/output/compute_plot_quantities.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shown_m3.h"

namespace stelvador {
namespace {

// Runs the output steps in the order of a calculation: the M3 string as shown, plot quantities,
// result row, records.
PlotRecords RecordsOf(AnalysisState& state) {
    CorrectM3String(state);
    ComputePlotQuantities(state);
    const ResultRow row = BuildResultRow(state);
    PlotRecords records;
    FormatPlotRecords(state, row, records);
    return records;
}

std::vector<int> FilesWithRecords(const PlotRecords& records) {
    std::vector<int> files;
    for (int f = 0; f < kPlotFileCount; ++f) {
        if (records.present[static_cast<std::size_t>(f)]) {
            files.push_back(f + 1);
        }
    }
    return files;
}

struct ConditionCase {
    const char* subgroup;
    const char* species;
    const char* m3;
    std::vector<int> files;  // numbered 1 to 13 in their fixed order
};

class PlotConditionTest : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(PlotConditionTest, RecordsGoToTheFilesWhoseConditionHolds) {
    const ConditionCase& c = GetParam();
    AnalysisState state;
    state.formula.sampleName = "X";
    state.subgroup = c.subgroup;
    state.species = c.species;
    state.ions.M3 = c.m3;
    EXPECT_EQ(FilesWithRecords(RecordsOf(state)), c.files);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotConditionTest,
    ::testing::Values(
        ConditionCase{"Clinozoisite subgroup", "Clinozoisite", "Al", {1, 2, 3, 10, 11, 12, 13}},
        ConditionCase{"Clinozoisite subgroup", "Epidote", "Fe3+", {1, 2, 3, 10, 11, 12}},
        ConditionCase{"Clinozoisite subgroup", "Cr3+-rich clinozoisite", "Cr", {1, 10, 11, 12}},
        ConditionCase{"Clinozoisite subgroup", "Mukhinite", "V", {2, 10, 11, 12, 13}},
        ConditionCase{"Clinozoisite subgroup", "Piemontite", "Mn3+", {3, 10, 11, 12}},
        ConditionCase{"Clinozoisite subgroup", "", "Fe2+", {10, 11, 12}},
        ConditionCase{"Allanite subgroup", "Allanite-(Ce)", "Fe2+", {4, 5, 6, 7, 8, 9, 10, 11, 12}},
        // The corrected M3 string "V" of an Allanite-(Ce) is plotted as "Fe2+".
        ConditionCase{"Allanite subgroup", "Allanite-(Ce)", "V", {4, 5, 6, 7, 8, 9, 10, 11, 12}},
        ConditionCase{"Allanite subgroup", "Allanite-(Y)", "Al", {5, 7, 8, 10, 11, 12}},
        ConditionCase{"Allanite subgroup", "Allanite-(Nd)", "V", {6, 7, 8, 10, 11, 12}},
        ConditionCase{"Allanite subgroup", "Dissakisite-(Ce)", "Mg", {4, 7, 8, 9, 10, 11, 12, 13}},
        ConditionCase{"Allanite subgroup", "Ferriallanite-(Ce)", "Mn2+", {4, 7, 8, 9, 10, 11, 12}},
        ConditionCase{"Allanite subgroup", "", "", {7, 8, 10, 11, 12}},
        ConditionCase{"Dollaseite subgroup", "Dollaseite-(Ce)", "Mg", {10, 12}},
        ConditionCase{"Askagenite subgroup", "Askagenite-(Ce)", "Fe3+", {}},
        ConditionCase{"Askagenite subgroup", "Ferridissakisite-(REE)", "Fe3+", {13}},
        ConditionCase{"", "Vanadodissakisite-(REE)", "", {13}},
        ConditionCase{"", "Manganidissakisite-(REE)", "", {13}},
        ConditionCase{"", "Chromodissakisite-(REE)", "", {13}},
        ConditionCase{"", "Clinozoisite-(Sr)", "", {13}},
        ConditionCase{"", "Mukhinite-(Pb)", "", {13}},
        ConditionCase{"clinozoisite subgroup", "clinozoisite", "Al", {}},
        ConditionCase{"", "", "", {}}));

// An allanite-(Ce) with every item of its records known.
class AllaniteRecordTest : public ::testing::Test {
  protected:
    AllaniteRecordTest() {
        state.formula.sampleName = "All-1";
        state.subgroup = "Allanite subgroup";
        state.species = "Allanite-(Ce)";
        state.ions.M3 = "Fe2+";
        ConstituentValues& apfu = state.formula.apfu;
        apfu[kAl] = 2.1;
        apfu[kFe3] = 0.25;
        apfu[kFe2] = 0.7;
        apfu[kMg] = 0.125;
        apfu[kMn2] = 0.0;
        apfu[kCe] = 0.40049;
        apfu[kLa] = 0.2;
        apfu[kNd] = 0.1234;
        apfu[kY] = 0.0105;
        apfu[kTh] = 0.5;
        apfu[kU] = 0.1;
        apfu[kSr] = 0.5;
        state.sites.reeYSum = 0.6;
        state.sites.m.alVI = 1.75;
        state.sites.a2.ca = 0.5;
        state.sites.a1.vacancy = -0.25;
        state.sites.m3.fe2 = 0.7;
        state.sites.m3.fe3 = 0.25;
        state.sites.m3.al = 0.05;
    }
    AnalysisState state;
};

TEST_F(AllaniteRecordTest, RowQuantitiesAreThreeDecimalTextsAndPlotQuantitiesNumbers) {
    const PlotRecords records = RecordsOf(state);
    EXPECT_EQ(records.lines[3], "All-1\t0.8484848484848485\t0.15151515151515152\t0\r\n");
    EXPECT_EQ(records.lines[4], "All-1\t0.400\t0.200\t0.011\r\n");
    EXPECT_EQ(records.lines[5], "All-1\t0.400\t0.200\t0.123\r\n");
    EXPECT_EQ(records.lines[6], "All-1\t2.1\t1.2000000000000002\r\n");
    // REE+Y + Th + Sr of 1.6 is written as 1.
    EXPECT_EQ(records.lines[7], "All-1\t2.1\t1\r\n");
    EXPECT_EQ(records.lines[8], "All-1\t0.8484848484848485\t0.125\r\n");
    EXPECT_EQ(records.lines[9], "All-1\t1.35\t0.700\t0.125\r\n");
    EXPECT_EQ(records.lines[10], "All-1\t1.3\t1.7999999999999998\t-1\r\n");
    EXPECT_EQ(records.lines[11], "All-1\t0.825\t0.25\t1.750\r\n");
}

TEST_F(AllaniteRecordTest, UnformedItemIsEmpty) {
    state.formula.apfu[kFe2] = 0;
    state.formula.apfu[kMg] = 0;
    const PlotRecords records = RecordsOf(state);
    // S = Fe2+ + Mg + Mn2+ is 0: no ratio can be formed.
    EXPECT_EQ(records.lines[3], "All-1\t\t\t\r\n");
    // No Fe2+: the share is 0.
    EXPECT_EQ(records.lines[8], "All-1\t0\t0.125\r\n");
}

TEST_F(AllaniteRecordTest, SampleNameIsWindows1252AndCannotSplitItsRecord) {
    state.formula.sampleName =
        "Gr\xC3\xBCn\tA\r\nB \xE2\x82\xAC \xE4\xB8\xAD";  // "Grün", "€", a CJK sign
    const PlotRecords records = RecordsOf(state);
    EXPECT_EQ(records.lines[6], "Gr\xFCn A  B \x80 ?\t2.1\t1.2000000000000002\r\n");
}

// The records that copy result-row cells must get the cells, not pieces of a long name.
TEST_F(AllaniteRecordTest, LongSampleNameLeavesTheCopiedRowCellsIntact) {
    const std::string name(5000, 'N');
    state.formula.sampleName = name;
    const PlotRecords records = RecordsOf(state);
    EXPECT_EQ(records.lines[4], name + "\t0.400\t0.200\t0.011\r\n");
    EXPECT_EQ(records.lines[5], name + "\t0.400\t0.200\t0.123\r\n");
    EXPECT_EQ(records.lines[9], name + "\t1.35\t0.700\t0.125\r\n");
    EXPECT_EQ(records.lines[11], name + "\t0.825\t0.25\t1.750\r\n");
}

// A cell text of thousands reaches the records whole, grouped as the row shows it.
TEST_F(AllaniteRecordTest, LongCellTextIsCopiedWhole) {
    state.formula.apfu[kCe] = 123456789012.5;
    const PlotRecords records = RecordsOf(state);
    EXPECT_EQ(records.lines[4], "All-1\t123,456,789,012.500\t0.200\t0.011\r\n");
    EXPECT_EQ(records.lines[5], "All-1\t123,456,789,012.500\t0.200\t0.123\r\n");
}

// A record as it must read: the name, then each item after a TAB (a number in its own shortest
// form), then CR LF.
std::string ExpectedRecord(const std::string& name, std::initializer_list<double> numbers,
                           std::initializer_list<std::string_view> texts = {}) {
    std::string record = name;
    for (const double number : numbers) {
        record += '\t';
        AppendPlotNumber(record, number);
    }
    for (const std::string_view text : texts) {
        record += '\t';
        record += text;
    }
    return record + "\r\n";
}

// Values that recur within and across records, differ only in sign or in their last bit, or
// cannot be formed: each item is always its own value's text, whichever was written before it.
TEST(PlotRecordNumbersTest, EveryItemIsItsOwnValuesText) {
    AnalysisState state;
    state.formula.sampleName = "Czo";
    state.subgroup = "Clinozoisite subgroup";
    state.species = "Clinozoisite";
    state.ions.M3 = "Al";
    CorrectM3String(state);
    ComputePlotQuantities(state);
    const ResultRow row = BuildResultRow(state);
    std::mt19937_64 random(20240611);
    const std::vector<double> pool = {0.1,
                                      -0.1,
                                      std::nextafter(0.1, 1.0),
                                      1.0 / 3.0,
                                      2.0 / 3.0,
                                      0.0,
                                      -0.0,
                                      1.0,
                                      0.5,
                                      1e-7,
                                      123456.75,
                                      12345678.5,
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity()};
    auto pick = [&] {
        // Mostly values of the pool, so they recur; else a new value each time.
        if (random() % 3 != 0) {
            return pool[random() % pool.size()];
        }
        return std::uniform_real_distribution<double>(-3.0, 3.0)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        PlotQuantities& p = state.plot;
        M3SiteContents& m3 = state.sites.m3;
        for (double* item : {&p.crAlFeCr, &p.crAlFeAl, &p.crAlFeFe3, &p.vAlFeV, &p.vAlFeAl,
                             &p.vAlFeFe3, &p.mnAlFeMn3, &p.mnAlFeAl, &p.mnAlFeFe3, &p.alFe3MinusOne,
                             &p.caM3A1Vacancy, &p.reeM3A1Vacancy, &p.fourA1Vacancy, &p.divalentSum,
                             &p.trivalentSum, &m3.al, &m3.v, &m3.mg}) {
            *item = pick();
        }
        PlotRecords records;
        FormatPlotRecords(state, row, records);
        ASSERT_EQ(FilesWithRecords(records), (std::vector<int>{1, 2, 3, 10, 11, 12, 13}));
        ASSERT_EQ(records.lines[0], ExpectedRecord("Czo", {p.crAlFeCr, p.crAlFeAl, p.crAlFeFe3}));
        ASSERT_EQ(records.lines[1], ExpectedRecord("Czo", {p.vAlFeV, p.vAlFeAl, p.vAlFeFe3}));
        ASSERT_EQ(records.lines[2], ExpectedRecord("Czo", {p.mnAlFeMn3, p.mnAlFeAl, p.mnAlFeFe3}));
        ASSERT_EQ(records.lines[9],
                  ExpectedRecord("Czo", {p.alFe3MinusOne}, {row.cell(54), row.cell(55)}));
        ASSERT_EQ(records.lines[10],
                  ExpectedRecord("Czo", {p.caM3A1Vacancy, p.reeM3A1Vacancy, p.fourA1Vacancy}));
        ASSERT_EQ(records.lines[11],
                  ExpectedRecord("Czo", {p.divalentSum, p.trivalentSum}, {row.cell(95)}));
        ASSERT_EQ(records.lines[12], ExpectedRecord("Czo", {m3.al, m3.v, m3.mg}));
    }
}

TEST(PlotNumberTest, ShortestRoundTripFormWithAPoint) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.0, "0"},
                          {-0.0, "0"},
                          {1.0, "1"},
                          {-1.0, "-1"},
                          {0.1, "0.1"},
                          {1.0 / 3.0, "0.3333333333333333"},
                          {1234567.5, "1234567.5"},
                          {1e-7, "1e-07"},
                          {1e300, "1e+300"},
                          {std::numeric_limits<double>::quiet_NaN(), ""},
                          {std::numeric_limits<double>::infinity(), ""}};
    for (const Case& c : cases) {
        std::string out;
        AppendPlotNumber(out, c.value);
        EXPECT_EQ(out, c.text) << c.value;
    }
}

TEST(PlotFileTableTest, NamesAndHeadersInTheirFixedOrder) {
    EXPECT_EQ(kPlotFileNames[0], "CrAlFe.dat");
    EXPECT_EQ(kPlotFileNames[12], "AlVMg.dat");
    EXPECT_EQ(kPlotFileHeaders[4], "SampleNo\tCe\tLa\tY");
    EXPECT_EQ(kPlotFileHeaders[9], "SampleNo\t(Al+FE3)-1\tFe2+\tMg");
    EXPECT_EQ(kPlotFileHeaders[10], "SampleNo\tA2CaM332A1Vac\tREE+Y+M32A1Vac\t4A1Vac");
}

}  // namespace
}  // namespace stelvador
