#include "calculation/output/plot_records.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "calculation/analysis_state.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shortest_decimal.h"
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

// The species that AlVMg.dat takes whatever the subgroup.
bool IsAlVMgSpecies(std::string_view species) {
    return IsOneOf(species, {"Dissakisite-(Ce)", "Dissakisite-(La)", "Ferridissakisite-(REE)",
                             "Vanadodissakisite-(REE)", "Manganidissakisite-(REE)",
                             "Chromodissakisite-(REE)", "Clinozoisite", "Clinozoisite-(Sr)",
                             "Clinozoisite-(Pb)", "Mukhinite", "Mukhinite-(Sr)", "Mukhinite-(Pb)"});
}

// The sample name as a plot item: Windows-1252, a character it cannot hold written as "?", and
// TAB, CR and LF written as a blank so the name cannot split its record.
void AppendSampleName(std::string& out, std::string_view utf8) {
    const std::size_t from = out.size();
    std::size_t start = 0;
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
    for (std::size_t i = from; i < out.size(); ++i) {
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') {
            out[i] = ' ';
        }
    }
}

// Plain ASCII without TAB, CR or LF is written as it stands (the usual sample name).
bool IsPlainAscii(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || c == '\t' || c == '\r' || c == '\n') {
            return false;
        }
    }
    return true;
}

// A finite plot number: "0" for a zero of either sign, else the shortest round-trip form.
char* WritePlotNumber(char* out, double value) {
    if (value == 0) {
        *out = '0';
        return out + 1;
    }
    return WriteShortestDecimal(out, value);
}

// The texts of the plot numbers of one analysis written so far, so a value that several records
// share (the Al total, the ratios of records whose third cation is absent) is formed only once.
// Values are told apart by their bits, so the text is always the one the value itself gives.
class PlotNumberTexts {
  public:
    // Writes value's text at out (room for kShortestDecimalMaxLength characters); returns the end.
    char* write(char* out, double value) {
        if (value == 0) {
            *out = '0';
            return out + 1;
        }
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (std::size_t i = 0; i < m_count; ++i) {
            if (m_entries[i].bits == bits) {
                std::memcpy(out, m_entries[i].text.data(), kShortestDecimalMaxLength);
                return out + m_entries[i].length;
            }
        }
        char* const end = WriteShortestDecimal(out, value);
        if (m_count < m_entries.size()) {
            Entry& entry = m_entries[m_count++];
            entry.bits = bits;
            entry.length = static_cast<std::uint8_t>(end - out);
            // The whole room is copied (a fixed-size copy is cheaper); only length bytes count.
            std::memcpy(entry.text.data(), out, kShortestDecimalMaxLength);
        }
        return end;
    }

  private:
    struct Entry {
        std::uint64_t bits;
        std::uint8_t length;
        std::array<char, kShortestDecimalMaxLength> text;
    };
    // More than the distinct numbers of all 13 records together.
    std::array<Entry, 40> m_entries;
    std::size_t m_count = 0;
};

// Builds one record: the sample name, then its items, each after one TAB, then CR LF. The record
// goes into a buffer on the stack and reaches its line in one assignment (or a few appends, for a
// record of unusually long texts).
class RecordWriter {
  public:
    RecordWriter(std::string& line, std::string_view sample, PlotNumberTexts& numbers)
        : m_line(line), m_numbers(numbers) {
        m_line.clear();
        append(sample);
    }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    RecordWriter& number(double value) {
        if (room() < 1 + kShortestDecimalMaxLength) {
            flush();
        }
        *m_next++ = '\t';
        if (std::isfinite(value)) {
            m_next = m_numbers.write(m_next, value);
        }
        return *this;
    }
    RecordWriter& text(std::string_view value) {
        append("\t");
        append(value);
        return *this;
    }
    ~RecordWriter() {
        append("\r\n");
        flush();
    }

  private:
    std::size_t room() const {
        return static_cast<std::size_t>(m_buffer.data() + m_buffer.size() - m_next);
    }
    void flush() {
        m_line.append(m_buffer.data(), static_cast<std::size_t>(m_next - m_buffer.data()));
        m_next = m_buffer.data();
    }
    void append(std::string_view text) {
        if (text.size() > room()) {
            flush();
            if (text.size() > room()) {
                m_line.append(text);
                return;
            }
        }
        std::memcpy(m_next, text.data(), text.size());
        m_next += text.size();
    }

    std::string& m_line;
    PlotNumberTexts& m_numbers;
    std::array<char, 256> m_buffer;
    char* m_next = m_buffer.data();
};

}  // namespace

void AppendPlotNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        return;
    }
    char buffer[kShortestDecimalMaxLength];
    const char* const end = WritePlotNumber(buffer, value);
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void FormatPlotRecords(const AnalysisState& state, const ResultRow& row, PlotRecords& records) {
    const std::string_view subgroup = state.subgroup;
    const std::string_view species = state.species;
    const std::string_view m3 = state.ions.M3;
    const PlotQuantities& p = state.plot;
    const M3SiteContents& m3Site = state.sites.m3;

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
    present[12] = IsAlVMgSpecies(species);

    bool anyRecord = false;
    for (const bool p : present) {
        anyRecord = anyRecord || p;
    }
    if (!anyRecord) {
        return;
    }

    // The sample name once, as every record begins with it.
    std::string converted;
    std::string_view sample = state.formula.sampleName;
    if (!IsPlainAscii(sample)) {
        AppendSampleName(converted, sample);
        sample = converted;
    }

    std::array<std::string, kPlotFileCount>& lines = records.lines;
    // The apfu values and M Al(VI) that the result row shows are written as its texts.
    const std::string_view ce = row.cell(70);
    const std::string_view la = row.cell(69);
    const std::string_view y = row.cell(83);
    const std::string_view nd = row.cell(72);
    const std::string_view fe2 = row.cell(54);
    const std::string_view mg = row.cell(55);
    const std::string_view alVI = row.cell(95);
    PlotNumberTexts numbers;

    if (present[0]) {
        RecordWriter(lines[0], sample, numbers)
            .number(p.crAlFeCr)
            .number(p.crAlFeAl)
            .number(p.crAlFeFe3);
    }
    if (present[1]) {
        RecordWriter(lines[1], sample, numbers)
            .number(p.vAlFeV)
            .number(p.vAlFeAl)
            .number(p.vAlFeFe3);
    }
    if (present[2]) {
        RecordWriter(lines[2], sample, numbers)
            .number(p.mnAlFeMn3)
            .number(p.mnAlFeAl)
            .number(p.mnAlFeFe3);
    }
    if (present[3]) {
        RecordWriter(lines[3], sample, numbers)
            .number(p.feMgMnFe2)
            .number(p.feMgMnMg)
            .number(p.feMgMnMn2);
    }
    if (present[4]) {
        RecordWriter(lines[4], sample, numbers).text(ce).text(la).text(y);
    }
    if (present[5]) {
        RecordWriter(lines[5], sample, numbers).text(ce).text(la).text(nd);
    }
    if (present[6]) {
        RecordWriter(lines[6], sample, numbers).number(p.alTotal).number(p.reeThU);
    }
    if (present[7]) {
        RecordWriter(lines[7], sample, numbers).number(p.alTotal).number(p.reeThSr);
    }
    if (present[8]) {
        RecordWriter(lines[8], sample, numbers).number(p.fe2OverFe2Mg).number(p.fe3OverFe3AlVI);
    }
    if (present[9]) {
        RecordWriter(lines[9], sample, numbers).number(p.alFe3MinusOne).text(fe2).text(mg);
    }
    if (present[10]) {
        RecordWriter(lines[10], sample, numbers)
            .number(p.caM3A1Vacancy)
            .number(p.reeM3A1Vacancy)
            .number(p.fourA1Vacancy);
    }
    if (present[11]) {
        RecordWriter(lines[11], sample, numbers)
            .number(p.divalentSum)
            .number(p.trivalentSum)
            .text(alVI);
    }
    if (present[12]) {
        RecordWriter(lines[12], sample, numbers)
            .number(m3Site.al)
            .number(m3Site.v)
            .number(m3Site.mg);
    }
}

}  // namespace stelvador
