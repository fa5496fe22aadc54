#include "calculation/output/result_row.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "calculation/analysis_state.h"
#include "common/number_format.h"

namespace stelvador {

namespace {

// The allanites whose M3 string "V" is shown, and plotted, as "Fe2+".
bool IsCorrectedAllanite(std::string_view species) {
    return species == "Allanite-(Ce)" || species == "Allanite-(La)" || species == "Allanite-(Y)";
}

void CorrectM3String(AnalysisState& state) {
    if (state.subgroup == "Allanite subgroup" && state.ions.M3 == "V" &&
        IsCorrectedAllanite(state.species)) {
        state.ions.M3 = "Fe2+";
    }
}

// Writes the cells one after another, remembering where each begins. The cells go into a buffer
// on the stack with raw writes and reach the row text in one append (or a few, for a row of
// unusually long texts), so the row costs no reallocation and no per-cell append.
class RowWriter {
  public:
    explicit RowWriter(ResultRow& row) : m_row(row) { m_row.text.clear(); }
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    void text(std::string_view value) {
        begin();
        put(value);
    }

    // A text cell in which TAB, CR and LF are written as a blank, so that it can neither split
    // into more cells nor end the row.
    void textWithoutBreaks(std::string_view value) {
        begin();
        const std::size_t from = position();
        put(value);
        for (std::size_t i = from; i < m_flushed; ++i) {
            blankBreak(m_row.text[i]);
        }
        for (char* c = m_buffer.data() + (from > m_flushed ? from - m_flushed : 0); c < m_next;
             ++c) {
            blankBreak(*c);
        }
    }

    // A run of number cells, written in one loop with the write position kept local.
    // Everything the loop changes is local, since the character writes could otherwise make the
    // compiler reload the members after each one.
    template <std::size_t N>
    void numbers(const std::array<double, N>& values) {
        numbers(std::span<const double, N>(values));
    }
    template <std::size_t N>
    void numbers(std::span<const double, N> values) {
        char* next = m_next;
        std::uint32_t* start = m_row.cellStart.data() + m_cell;
        char* const bufferBegin = m_buffer.data();
        char* const lastRoom = bufferBegin + m_buffer.size() - kFormattedNumberMaxLength;
        // The row text position of the buffer's first character.
        std::size_t base = m_flushed;
        for (const double value : values) {
            if (next >= lastRoom) {
                flush(next);
                next = bufferBegin;
                base = m_flushed;
            }
            *next++ = '\t';
            *start++ =
                static_cast<std::uint32_t>(base + static_cast<std::size_t>(next - bufferBegin));
            next = WriteFormattedNumber(next, value);
        }
        m_cell += static_cast<int>(N);
        m_next = next;
    }

    void empty() { begin(); }

    void finish() {
        m_row.cellStart[static_cast<std::size_t>(m_cell)] =
            static_cast<std::uint32_t>(position() + 1);
        flush(m_next);
    }

  private:
    std::size_t room(const char* next) const {
        return static_cast<std::size_t>(m_buffer.data() + m_buffer.size() - next);
    }
    std::size_t position() const {
        return m_flushed + static_cast<std::size_t>(m_next - m_buffer.data());
    }
    void flush(const char* next) {
        m_row.text.append(m_buffer.data(), static_cast<std::size_t>(next - m_buffer.data()));
        m_flushed = m_row.text.size();
        m_next = m_buffer.data();
    }
    void put(std::string_view value) {
        if (value.size() > room(m_next)) {
            flush(m_next);
            if (value.size() > room(m_next)) {
                // Too long even for the empty buffer: straight to the row text.
                m_row.text.append(value);
                m_flushed = m_row.text.size();
                return;
            }
        }
        std::memcpy(m_next, value.data(), value.size());
        m_next += value.size();
    }
    static void blankBreak(char& c) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    void begin() {
        if (m_cell > 0) {
            if (room(m_next) == 0) {
                flush(m_next);
            }
            *m_next++ = '\t';
        }
        m_row.cellStart[static_cast<std::size_t>(m_cell)] = static_cast<std::uint32_t>(position());
        ++m_cell;
    }

    ResultRow& m_row;
    int m_cell = 0;
    // Length of the row text written so far.
    std::size_t m_flushed = 0;
    // A typical row is about 1 KB; a full buffer is flushed before it could overflow.
    std::array<char, 4096> m_buffer;
    char* m_next = m_buffer.data();
};

}  // namespace

void BuildResultRow(AnalysisState& state, ResultRow& row) {
    CorrectM3String(state);

    const FormulaValues& f = state.formula;
    const SiteContents& s = state.sites;
    RowWriter out(row);

    // 0 to 45: the sample and the analysis as read, with O=F and O=Cl before H2O.
    out.textWithoutBreaks(f.sampleName);
    out.numbers(std::span<const double, kCl + 1>(f.weightPercent.data(), kCl + 1));
    out.numbers(std::array{f.oxygenEquivalentF, f.oxygenEquivalentCl, f.weightPercent[kH],
                           f.analyticalTotal});
    out.empty();

    // 47 to 89: atoms per formula unit (Fe3+ as lowered for M2) and their total.
    out.numbers(std::span<const double, kOxideCount>(f.apfu));
    out.numbers(std::array{f.apfuTotal});
    out.empty();

    // 91 to 93: T site; 94 to 108: M sites together, in the order of the headings; 109 to 121:
    // A sites together.
    const std::array sites = {s.t.si,  s.t.alIV, s.t.total, s.m.ti,    s.m.alVI, s.m.cr,  s.m.v,
                              s.m.fe3, s.m.fe2,  s.m.mg,    s.m.mn3,   s.m.mn2,  s.m.ni,  s.m.zn,
                              s.m.cu,  s.m.nb,   s.m.sn,    s.m.total, s.a.mn2,  s.a.fe2, s.a.ca,
                              s.a.sr,  s.a.ba,   s.a.pb,    s.a.na,    s.a.k,    s.a.p,   s.a.ree,
                              s.a.th,  s.a.u,    s.a.total};
    out.numbers(sites);
    out.empty();

    // 123 to 130: dominant ions, subgroup, species.
    const DominantIons& ions = state.ions;
    out.text(ions.A1);
    out.text(ions.A2);
    out.text(ions.M1);
    out.text(ions.M2);
    out.text(ions.M3);
    out.text(ions.O4);
    out.text(state.subgroup);
    out.text(state.species);
    out.finish();
}

ResultRow BuildResultRow(AnalysisState& state) {
    ResultRow row;
    BuildResultRow(state, row);
    return row;
}

}  // namespace stelvador
