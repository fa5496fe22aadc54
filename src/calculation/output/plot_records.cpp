#include "calculation/output/plot_records.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "calculation/analysis_state.h"
#include "calculation/output/line_breaks.h"
#include "calculation/output/result_row.h"
#include "common/windows_1252.h"

namespace stelvador {

namespace {

constexpr std::string_view kClinozoisite = "Clinozoisite subgroup";
constexpr std::string_view kAllanite = "Allanite subgroup";
constexpr std::string_view kDollaseite = "Dollaseite subgroup";

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> choices) {
    for (const std::string_view choice : choices) {
        if (text == choice) {
            return true;
        }
    }
    return false;
}

// The sample name as a plot item: Windows-1252, a character it cannot hold written as "?", and
// TAB, CR and LF written as a blank so the name cannot split its record.
std::string SampleItem(std::string_view utf8) {
    std::string out;
    // Plain ASCII, the usual sample name, reads the same in Windows-1252.
    std::size_t start = static_cast<std::size_t>(
        std::find_if(utf8.begin(), utf8.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
        utf8.begin());
    out.append(utf8.substr(0, start));
    while (start < utf8.size()) {
        std::size_t failedAt = 0;
        const std::string_view rest = utf8.substr(start);
        if (const auto bytes = Utf8ToWindows1252(rest, &failedAt)) {
            out.append(*bytes);
            break;
        }
        if (failedAt > 0) {
            out.append(*Utf8ToWindows1252(rest.substr(0, failedAt)));
        }
        out.push_back('?');
        // Skip the character that failed: its lead byte and its continuation bytes.
        std::size_t next = failedAt + 1;
        while (next < rest.size() && (static_cast<unsigned char>(rest[next]) & 0xC0) == 0x80) {
            ++next;
        }
        start += next;
    }
    for (char& c : out) {
        c = WithoutLineBreak(c);
    }
    return out;
}

// The result-row cells whose texts the records copy, named by the quantities they show.
const std::size_t kCeCell = ResultCellOf(result_columns::Apfu<kCe>);
const std::size_t kLaCell = ResultCellOf(result_columns::Apfu<kLa>);
const std::size_t kNdCell = ResultCellOf(result_columns::Apfu<kNd>);
const std::size_t kYCell = ResultCellOf(result_columns::Apfu<kY>);
const std::size_t kFe2Cell = ResultCellOf(result_columns::Apfu<kFe2>);
const std::size_t kMgCell = ResultCellOf(result_columns::Apfu<kMg>);
const std::size_t kAlVICell = ResultCellOf(result_columns::M<&MSiteContents::alVI>);

// A record item: a plot number, or a text of the result row.
struct PlotItem {
    PlotItem(double value) : number(value) {}
    PlotItem(std::string_view cellText) : text(cellText), isText(true) {}

    double number = 0;
    std::string_view text;
    bool isText = false;
};

void WriteRecord(std::string& line, std::string_view sample,
                 std::initializer_list<PlotItem> items) {
    line.assign(sample);
    for (const PlotItem& item : items) {
        line += '\t';
        if (item.isText) {
            line += item.text;
        } else {
            AppendPlotNumber(line, item.number);
        }
    }
    line += "\r\n";
}

}  // namespace

void AppendPlotNumber(std::string& out, double value) {
    if (value == 0) {
        out += '0';
    } else if (std::isfinite(value)) {
        char text[32];
        out.append(text, std::to_chars(text, std::end(text), value).ptr);
    }
}

void FormatPlotRecords(const AnalysisState& state, const ResultRow& row, PlotRecords& records) {
    const std::string_view subgroup = state.subgroup;
    const std::string_view species = state.species;
    const std::string_view m3 = state.shownM3;

    const bool clinozoisite = subgroup == kClinozoisite;
    const bool allanite = subgroup == kAllanite;
    const bool dollaseite = subgroup == kDollaseite;

    std::array<bool, kPlotFileCount>& present = records.present;
    present[0] = clinozoisite && IsOneOf(m3, {"Cr", "Al", "Fe3+"});
    present[1] = clinozoisite && IsOneOf(m3, {"V", "Al", "Fe3+"});
    present[2] = clinozoisite && IsOneOf(m3, {"Mn3+", "Al", "Fe3+"});
    present[3] = allanite && IsOneOf(m3, {"Fe2+", "Mg", "Mn2+"});
    present[4] = allanite && IsOneOf(species, {"Allanite-(Ce)", "Allanite-(La)", "Allanite-(Y)"});
    present[5] = allanite && IsOneOf(species, {"Allanite-(Ce)", "Allanite-(La)", "Allanite-(Nd)"});
    present[6] = allanite;
    present[7] = allanite;
    present[8] =
        allanite && IsOneOf(species, {"Dissakisite-(Ce)", "Allanite-(Ce)", "Ferriallanite-(Ce)"});
    present[9] = allanite || clinozoisite || dollaseite;
    present[10] = allanite || clinozoisite;
    present[11] = allanite || clinozoisite || dollaseite;
    present[12] =
        IsOneOf(species, {"Dissakisite-(Ce)", "Dissakisite-(La)", "Ferridissakisite-(REE)",
                          "Vanadodissakisite-(REE)", "Manganidissakisite-(REE)",
                          "Chromodissakisite-(REE)", "Clinozoisite", "Clinozoisite-(Sr)",
                          "Clinozoisite-(Pb)", "Mukhinite", "Mukhinite-(Sr)", "Mukhinite-(Pb)"});

    const std::string sample = SampleItem(state.formula.sampleName);
    const PlotQuantities& p = state.plot;
    const M3SiteContents& m3Site = state.sites.m3;
    std::array<std::string, kPlotFileCount>& lines = records.lines;

    // The apfu values and M Al(VI) that the result row shows are written as its texts.
    const std::string_view ce = row.cell(kCeCell);
    const std::string_view la = row.cell(kLaCell);

    if (present[0]) {
        WriteRecord(lines[0], sample, {p.crAlFeCr, p.crAlFeAl, p.crAlFeFe3});
    }
    if (present[1]) {
        WriteRecord(lines[1], sample, {p.vAlFeV, p.vAlFeAl, p.vAlFeFe3});
    }
    if (present[2]) {
        WriteRecord(lines[2], sample, {p.mnAlFeMn3, p.mnAlFeAl, p.mnAlFeFe3});
    }
    if (present[3]) {
        WriteRecord(lines[3], sample, {p.feMgMnFe2, p.feMgMnMg, p.feMgMnMn2});
    }
    if (present[4]) {
        WriteRecord(lines[4], sample, {ce, la, row.cell(kYCell)});
    }
    if (present[5]) {
        WriteRecord(lines[5], sample, {ce, la, row.cell(kNdCell)});
    }
    if (present[6]) {
        WriteRecord(lines[6], sample, {p.alTotal, p.reeThU});
    }
    if (present[7]) {
        WriteRecord(lines[7], sample, {p.alTotal, p.reeThSr});
    }
    if (present[8]) {
        WriteRecord(lines[8], sample, {p.fe2OverFe2Mg, p.fe3OverFe3AlVI});
    }
    if (present[9]) {
        WriteRecord(lines[9], sample, {p.alFe3MinusOne, row.cell(kFe2Cell), row.cell(kMgCell)});
    }
    if (present[10]) {
        WriteRecord(lines[10], sample, {p.caM3A1Vacancy, p.reeM3A1Vacancy, p.fourA1Vacancy});
    }
    if (present[11]) {
        WriteRecord(lines[11], sample, {p.divalentSum, p.trivalentSum, row.cell(kAlVICell)});
    }
    if (present[12]) {
        WriteRecord(lines[12], sample, {m3Site.al, m3Site.v, m3Site.mg});
    }
}

}  // namespace stelvador
