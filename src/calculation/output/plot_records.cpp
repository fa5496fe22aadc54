#include "calculation/output/plot_records.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "calculation/analysis_state.h"
#include "calculation/output/line_breaks.h"
#include "calculation/output/result_row.h"
#include "calculation/output/shortest_decimal.h"
#include "common/windows_1252.h"

namespace stelvador {

namespace {

constexpr std::string_view kClinozoisite = "Clinozoisite subgroup";
constexpr std::string_view kAllanite = "Allanite subgroup";
constexpr std::string_view kDollaseite = "Dollaseite subgroup";

// Whether text is one of the choices: the lengths are compared first, and the bytes only of a
// choice as long as text, each a comparison of a known length that the compiler writes out.
template <std::size_t... N>
bool IsOneOf(std::string_view text, const char (&... choices)[N]) {
    return ((text.size() == N - 1 && std::memcmp(text.data(), choices, N - 1) == 0) || ...);
}

// The species that AlVMg.dat takes whatever the subgroup.
bool IsAlVMgSpecies(std::string_view species) {
    return IsOneOf(species, "Dissakisite-(Ce)", "Dissakisite-(La)", "Ferridissakisite-(REE)",
                   "Vanadodissakisite-(REE)", "Manganidissakisite-(REE)", "Chromodissakisite-(REE)",
                   "Clinozoisite", "Clinozoisite-(Sr)", "Clinozoisite-(Pb)", "Mukhinite",
                   "Mukhinite-(Sr)", "Mukhinite-(Pb)");
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
        out[i] = WithoutLineBreak(out[i]);
    }
}

// Plain ASCII without TAB, CR or LF is written as it stands (the usual sample name).
bool IsPlainAscii(std::string_view text) {
    // TAB, LF and CR as bits of a mask, so each byte is tested by one shift.
    constexpr std::uint32_t kBreaks = 1u << '\t' | 1u << '\n' | 1u << '\r';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || (byte < 32 && ((kBreaks >> byte) & 1) != 0)) {
            return false;
        }
    }
    return true;
}

// Whether value (given by its bits) is finite and not zero, the plot numbers that take the
// shortest round-trip form: the bits without the sign are 0 for a zero and those of infinity or
// more for a value that is not finite, so one comparison finds both.
bool IsFiniteNonZero(std::uint64_t bits) {
    const std::uint64_t magnitude = bits << 1;
    constexpr std::uint64_t kInfinityMagnitude = std::uint64_t{0x7FF} << 53;
    return magnitude - 1 < kInfinityMagnitude - 1;
}

// A plot number: "0" for a zero of either sign, nothing for a value that is not finite, else the
// shortest round-trip form. out has room for kShortestDecimalMaxLength characters.
char* WritePlotNumber(char* out, double value) {
    if (IsFiniteNonZero(std::bit_cast<std::uint64_t>(value))) {
        return WriteShortestDecimal(out, value);
    }
    if (value == 0) {
        *out = '0';
        return out + 1;
    }
    return out;
}

// The texts of the plot numbers of one analysis written so far, so a value that several records
// share (the Al total, the ratios of records whose third cation is absent) is formed only once.
// Values are told apart by their bits, so the text is always the one the value itself gives. Each
// value has one slot, picked by a hash of its bits; a value whose slot another holds is simply
// written again. A new text is taken into its slot only once its record has been appended to its
// line (keep): read back straight after it was written, it would wait for the writes to land, which
// costs more than writing it again.
class PlotNumberTexts {
  public:
    // Writes value's text as WritePlotNumber does; returns the end.
    [[gnu::always_inline]] char* write(char* out, double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        if (!IsFiniteNonZero(bits)) {
            return WritePlotNumber(out, value);
        }
        const std::size_t slot = SlotOf(bits);
        // The whole slot is copied (a fixed-size copy is cheaper); only its length counts.
        if ((m_filled & SlotBit(slot)) != 0 && m_bits[slot] == bits) {
            std::memcpy(out, m_texts[slot].data(), kShortestDecimalLongest);
            return out + m_lengths[slot];
        }
        char* const end = WriteShortestDecimal(out, value);
        if (m_newCount < m_new.size()) {
            m_new[m_newCount++] = {bits, out, slot, static_cast<std::size_t>(end - out)};
        }
        return end;
    }

    // Takes the texts written since the last call into their slots. They must still stand where
    // they were written.
    void keep() {
        for (std::size_t i = 0; i < m_newCount; ++i) {
            const NewText& text = m_new[i];
            m_filled |= SlotBit(text.slot);
            m_bits[text.slot] = text.bits;
            m_lengths[text.slot] = static_cast<std::uint8_t>(text.length);
            std::memcpy(m_texts[text.slot].data(), text.begin, kShortestDecimalLongest);
        }
        m_newCount = 0;
    }

  private:
    static constexpr std::size_t kSlots = 32;
    static std::size_t SlotOf(std::uint64_t bits) {
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15u) >> 59);
    }
    static std::uint32_t SlotBit(std::size_t slot) { return std::uint32_t{1} << slot; }

    struct NewText {
        std::uint64_t bits;
        const char* begin;
        std::size_t slot;
        std::size_t length;
    };
    // A record holds at most three numbers.
    std::array<NewText, 3> m_new;
    std::size_t m_newCount = 0;
    // Bit i tells whether slot i holds a value (cheaper to clear than all the slots).
    std::uint32_t m_filled = 0;
    std::array<std::uint64_t, kSlots> m_bits;
    std::array<std::uint8_t, kSlots> m_lengths;
    std::array<std::array<char, kShortestDecimalLongest>, kSlots> m_texts;
};

// The sample name that begins every record. A short one is kept padded to a fixed size, so each
// record takes it in one fixed-size copy.
class RecordStart {
  public:
    static constexpr std::size_t kPadded = 32;
    explicit RecordStart(std::string_view sample) : m_text(sample) {
        if (sample.size() <= kPadded) {
            std::memcpy(m_padded.data(), sample.data(), sample.size());
        }
    }
    std::string_view text() const { return m_text; }
    bool padded() const { return m_text.size() <= kPadded; }
    const char* paddedBytes() const { return m_padded.data(); }

  private:
    std::string_view m_text;
    std::array<char, kPadded> m_padded{};
};

// A result-row cell copied into records. A cell of up to 16 characters is copied as 16 bytes at
// once, when the row runs on that far past its start (it always does for the cells the records
// take: dozens of cells follow them).
struct CellText {
    static constexpr std::size_t kWord = 16;
    std::string_view text;
    bool wholeWord = false;
};

[[gnu::always_inline]] inline CellText CellOf(const ResultRow& row, int c) {
    const std::string_view text = row.cell(c);
    const auto offset = static_cast<std::size_t>(text.data() - row.text.data());
    return {text, text.size() <= CellText::kWord && offset + CellText::kWord <= row.text.size()};
}

// Builds one record: the sample name, then its items, each after one TAB, then CR LF. The record
// goes into a buffer on the stack and reaches its line in one append (or a few, for a record of
// unusually long texts). The last two bytes of the buffer are kept for the line end.
class RecordWriter {
  public:
    RecordWriter(std::string& line, const RecordStart& start, PlotNumberTexts& numbers)
        : m_line(line), m_numbers(numbers) {
        m_line.clear();
        if (start.padded()) {
            std::memcpy(m_next, start.paddedBytes(), RecordStart::kPadded);
            m_next += start.text().size();
        } else {
            m_line.append(start.text());
        }
    }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    [[gnu::always_inline]] RecordWriter& number(double value) {
        if (room() < 1 + kShortestDecimalMaxLength) {
            flush();
        }
        *m_next++ = '\t';
        m_next = m_numbers.write(m_next, value);
        return *this;
    }
    [[gnu::always_inline]] RecordWriter& text(const CellText& cell) {
        if (cell.wholeWord && room() >= 1 + CellText::kWord) {
            *m_next++ = '\t';
            std::memcpy(m_next, cell.text.data(), CellText::kWord);
            m_next += cell.text.size();
        } else {
            appendText(cell.text);
        }
        return *this;
    }
    ~RecordWriter() {
        std::memcpy(m_next, "\r\n", kLineEnd);
        m_next += kLineEnd;
        flush();
    }

  private:
    static constexpr std::size_t kLineEnd = 2;
    std::size_t room() const {
        return static_cast<std::size_t>(m_buffer.data() + m_buffer.size() - kLineEnd - m_next);
    }
    void flush() {
        m_line.append(m_buffer.data(), static_cast<std::size_t>(m_next - m_buffer.data()));
        m_numbers.keep();
        m_next = m_buffer.data();
    }
    // A TAB and a text of any length.
    [[gnu::noinline]] void appendText(std::string_view text) {
        if (1 + text.size() > room()) {
            flush();
        }
        *m_next++ = '\t';
        if (text.size() > room()) {
            flush();
            m_line.append(text);
            return;
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
    present[0] = clinozoisite && IsOneOf(m3, "Cr", "Al", "Fe3+");
    present[1] = clinozoisite && IsOneOf(m3, "V", "Al", "Fe3+");
    present[2] = clinozoisite && IsOneOf(m3, "Mn3+", "Al", "Fe3+");
    present[3] = allanite && IsOneOf(m3, "Fe2+", "Mg", "Mn2+");
    present[4] = allanite && IsOneOf(species, "Allanite-(Ce)", "Allanite-(La)", "Allanite-(Y)");
    present[5] = allanite && IsOneOf(species, "Allanite-(Ce)", "Allanite-(La)", "Allanite-(Nd)");
    present[6] = allanite;
    present[7] = allanite;
    present[8] =
        allanite && IsOneOf(species, "Dissakisite-(Ce)", "Allanite-(Ce)", "Ferriallanite-(Ce)");
    present[9] = allanite || clinozoisite || dollaseite;
    present[10] = allanite || clinozoisite;
    present[11] = allanite || clinozoisite || dollaseite;
    present[12] = IsAlVMgSpecies(species);

    // Every other file's record needs one of these.
    if (!present[9] && !present[12]) {
        return;
    }

    // The sample name once, as every record begins with it.
    std::string converted;
    std::string_view sample = state.formula.sampleName;
    if (!IsPlainAscii(sample)) {
        AppendSampleName(converted, sample);
        sample = converted;
    }

    const RecordStart start(sample);

    std::array<std::string, kPlotFileCount>& lines = records.lines;
    // The apfu values and M Al(VI) that the result row shows are written as its texts: the
    // numbers of their cells.
    constexpr int kCeCell = 70;
    constexpr int kLaCell = 69;
    constexpr int kYCell = 83;
    constexpr int kNdCell = 72;
    constexpr int kFe2Cell = 54;
    constexpr int kMgCell = 55;
    constexpr int kAlVICell = 95;
    PlotNumberTexts numbers;

    if (present[0]) {
        RecordWriter(lines[0], start, numbers)
            .number(p.crAlFeCr)
            .number(p.crAlFeAl)
            .number(p.crAlFeFe3);
    }
    if (present[1]) {
        RecordWriter(lines[1], start, numbers)
            .number(p.vAlFeV)
            .number(p.vAlFeAl)
            .number(p.vAlFeFe3);
    }
    if (present[2]) {
        RecordWriter(lines[2], start, numbers)
            .number(p.mnAlFeMn3)
            .number(p.mnAlFeAl)
            .number(p.mnAlFeFe3);
    }
    if (present[3]) {
        RecordWriter(lines[3], start, numbers)
            .number(p.feMgMnFe2)
            .number(p.feMgMnMg)
            .number(p.feMgMnMn2);
    }
    if (present[4]) {
        RecordWriter(lines[4], start, numbers)
            .text(CellOf(row, kCeCell))
            .text(CellOf(row, kLaCell))
            .text(CellOf(row, kYCell));
    }
    if (present[5]) {
        RecordWriter(lines[5], start, numbers)
            .text(CellOf(row, kCeCell))
            .text(CellOf(row, kLaCell))
            .text(CellOf(row, kNdCell));
    }
    if (present[6]) {
        RecordWriter(lines[6], start, numbers).number(p.alTotal).number(p.reeThU);
    }
    if (present[7]) {
        RecordWriter(lines[7], start, numbers).number(p.alTotal).number(p.reeThSr);
    }
    if (present[8]) {
        RecordWriter(lines[8], start, numbers).number(p.fe2OverFe2Mg).number(p.fe3OverFe3AlVI);
    }
    if (present[9]) {
        RecordWriter(lines[9], start, numbers)
            .number(p.alFe3MinusOne)
            .text(CellOf(row, kFe2Cell))
            .text(CellOf(row, kMgCell));
    }
    if (present[10]) {
        RecordWriter(lines[10], start, numbers)
            .number(p.caM3A1Vacancy)
            .number(p.reeM3A1Vacancy)
            .number(p.fourA1Vacancy);
    }
    if (present[11]) {
        RecordWriter(lines[11], start, numbers)
            .number(p.divalentSum)
            .number(p.trivalentSum)
            .text(CellOf(row, kAlVICell));
    }
    if (present[12]) {
        RecordWriter(lines[12], start, numbers)
            .number(m3Site.al)
            .number(m3Site.v)
            .number(m3Site.mg);
    }
}

}  // namespace stelvador
