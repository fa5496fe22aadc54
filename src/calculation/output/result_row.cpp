#include "calculation/output/result_row.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "calculation/analysis_state.h"
#include "calculation/output/line_breaks.h"
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

// The buffer the cells are written to before they reach the row text in one append (or a few,
// for a row of unusually long texts or numbers). A typical row is about 1 KB.
constexpr std::size_t kBufferSize = 4096;

// Cells 1 to 122: the number cells and the three empty cells among and after them. Each is
// written without a room check when it takes the usual path: a TAB and at most 8 characters, or
// a zero cell's 8-byte store, well inside kQuickCellRoom.
constexpr std::size_t kNumberSectionCells = 122;
constexpr std::size_t kQuickCellRoom = 16;
constexpr std::size_t kNumberSectionRoom = kNumberSectionCells * kQuickCellRoom;
// A number off the usual path makes room for itself and for all the quick cells after it.
constexpr std::size_t kGeneralNumberRoom = kFormattedNumberMaxLength + kNumberSectionRoom;
static_assert(kGeneralNumberRoom <= kBufferSize);

// "\t0.000" and two spare bytes: a zero cell in one 8-byte store.
constexpr std::uint64_t kZeroCell =
    std::bit_cast<std::uint64_t>(std::array<char, 8>{'\t', '0', '.', '0', '0', '0', '\t', '0'});
constexpr char kFourZeroCells[] = "\t0.000\t0.000\t0.000\t0.000";

// The dominant ions, subgroup and species: each text of up to kShortText characters is copied
// with at most two fixed-size copies, without a room check, since room for all eight is made
// at once; a longer one goes to RowBuffer::longText.
constexpr std::size_t kTextCellCount = 8;
constexpr std::size_t kShortText = 32;
constexpr std::size_t kTextSectionRoom = kTextCellCount * (1 + kShortText);

// Copies a text of at most kShortText characters with two fixed-size copies, which may overlap;
// reads nothing past the text and writes nothing past its copy.
[[gnu::always_inline]] inline void CopyShortText(char* to, const char* from, std::size_t n) {
    if (n <= 3) {
        if (n != 0) {
            to[0] = from[0];
            to[n / 2] = from[n / 2];
            to[n - 1] = from[n - 1];
        }
    } else if (n <= 7) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else {
        std::memcpy(to, from, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    }
}

// Where the next character goes in the buffer, and what turns a buffer address into the row text
// position one past it (the start of a cell whose TAB is at that address).
struct Cursor {
    char* next;
    std::uint32_t bias;

    std::uint32_t cellStartAfter(const char* tab) const {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(tab)) + bias;
    }
};

// The row text written so far and the buffer in front of it. The cell writers below keep their
// cursor in locals (character writes could otherwise make the compiler reload members after each
// one) and come here only to flush.
class RowBuffer {
  public:
    explicit RowBuffer(ResultRow& row) : m_row(row) { m_row.text.clear(); }
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;

    Cursor start() { return {m_bytes.data(), bias()}; }

    std::size_t room(const char* next) const {
        return static_cast<std::size_t>(m_bytes.data() + m_bytes.size() - next);
    }

    // The cursor at next, flushed first unless room bytes follow it.
    Cursor withRoom(char* next, std::size_t room) {
        if (this->room(next) < room) {
            flush(next);
            next = m_bytes.data();
        }
        return {next, bias()};
    }

    void flush(const char* next) {
        m_row.text.append(m_bytes.data(), static_cast<std::size_t>(next - m_bytes.data()));
        m_flushed = m_row.text.size();
    }

    // A number cell off the usual path; out is just past its TAB.
    [[gnu::noinline]] Cursor generalNumber(char* out, double value) {
        const Cursor at = withRoom(out, kGeneralNumberRoom);
        return {WriteFormattedNonZeroNumber(at.next, value), at.bias};
    }

    // A text cell longer than kShortText; next is just past its TAB. Leaves room for the text
    // cells after it.
    [[gnu::noinline]] Cursor longText(char* next, std::string_view text) {
        if (text.size() + kTextSectionRoom > room(next)) {
            flush(next);
            next = m_bytes.data();
            if (text.size() + kTextSectionRoom > room(next)) {
                // Too long even for the empty buffer: straight to the row text.
                m_row.text.append(text);
                m_flushed = m_row.text.size();
                return {next, bias()};
            }
        }
        std::memcpy(next, text.data(), text.size());
        return {next + text.size(), bias()};
    }

    // The sample name, the row's first cell, when it is longer than the buffer.
    [[gnu::noinline]] Cursor longSampleName(std::string_view name) {
        m_row.text.append(name);
        for (char& c : m_row.text) {
            c = WithoutLineBreak(c);
        }
        m_flushed = m_row.text.size();
        return start();
    }

  private:
    // Row text position = address + bias (modulo 2^32; the positions fit 32 bits), plus one.
    std::uint32_t bias() const {
        return static_cast<std::uint32_t>(m_flushed) -
               static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_bytes.data())) + 1;
    }

    ResultRow& m_row;
    // Length of the row text written so far.
    std::size_t m_flushed = 0;
    std::array<char, kBufferSize> m_bytes;
};

// Cell 0: the sample name, written into the empty buffer.
Cursor WriteSampleName(RowBuffer& buffer, std::string_view name) {
    Cursor at = buffer.start();
    if (name.size() > kBufferSize) {
        return buffer.longSampleName(name);
    }
    for (const char c : name) {
        *at.next++ = WithoutLineBreak(c);
    }
    return at;
}

// A run of number cells, contiguous in the row, and whether an empty cell follows it.
struct NumberRun {
    const double* values;
    std::size_t count;
    bool emptyAfter;
};

// Writes the number cells 1 to 122, with room for all of them checked once. The cursor and the
// cell start pointer stay in registers; only a number off the usual path leaves the inline code.
// One loop over the runs, so the cell code is compiled once.
class NumberCells {
  public:
    NumberCells(RowBuffer& buffer, Cursor at, std::uint32_t* cellStart)
        : m_buffer(buffer),
          m_at(buffer.withRoom(at.next, kNumberSectionRoom)),
          m_cellStart(cellStart) {}

    template <std::size_t N>
    Cursor write(const std::array<NumberRun, N>& runs) {
        for (const NumberRun& run : runs) {
            this->run(run.values, run.count);
            if (run.emptyAfter) {
                empty();
            }
        }
        return m_at;
    }

  private:
    // Four cells at a time: four zeros, which most cells of a typed analysis hold, in one go.
    [[gnu::always_inline]] void run(const double* values, std::size_t count) {
        for (; count >= 4; count -= 4, values += 4) {
            if (((Bits(values[0]) | Bits(values[1]) | Bits(values[2]) | Bits(values[3])) << 1) ==
                0) {
                fourZeros();
                continue;
            }
            one(values[0]);
            one(values[1]);
            one(values[2]);
            one(values[3]);
        }
        for (; count != 0; --count, ++values) {
            one(*values);
        }
    }

    static std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

    [[gnu::always_inline]] void empty() {
        *m_at.next = '\t';
        *m_cellStart++ = m_at.cellStartAfter(m_at.next);
        ++m_at.next;
    }

    // One cell; a zero (+0 or -0) shows "0.000".
    [[gnu::always_inline]] void one(double value) {
        std::memcpy(m_at.next, &kZeroCell, sizeof kZeroCell);
        *m_cellStart++ = m_at.cellStartAfter(m_at.next);
        if ((Bits(value) << 1) == 0) {
            m_at.next += 6;
        } else if (char* const end = WriteUsualFormattedNumber(m_at.next + 1, value)) {
            m_at.next = end;
        } else {
            m_at = m_buffer.generalNumber(m_at.next + 1, value);
        }
    }

    [[gnu::always_inline]] void fourZeros() {
        std::memcpy(m_at.next, kFourZeroCells, 24);
        const std::uint32_t first = m_at.cellStartAfter(m_at.next);
        m_cellStart[0] = first;
        m_cellStart[1] = first + 6;
        m_cellStart[2] = first + 12;
        m_cellStart[3] = first + 18;
        m_cellStart += 4;
        m_at.next += 24;
    }

    RowBuffer& m_buffer;
    Cursor m_at;
    std::uint32_t* m_cellStart;
};

// One of the cells 123 to 130, with room made for all of them.
[[gnu::always_inline]] inline void WriteTextCell(RowBuffer& buffer, Cursor& at,
                                                 std::uint32_t*& cellStart, std::string_view text) {
    *at.next = '\t';
    *cellStart++ = at.cellStartAfter(at.next);
    if (text.size() <= kShortText) {
        CopyShortText(at.next + 1, text.data(), text.size());
        at.next += 1 + text.size();
    } else {
        at = buffer.longText(at.next + 1, text);
    }
}

}  // namespace

void BuildResultRow(AnalysisState& state, ResultRow& row) {
    CorrectM3String(state);

    const FormulaValues& f = state.formula;
    const SiteContents& s = state.sites;
    RowBuffer buffer(row);

    // 0 to 45: the sample and the analysis as read, with O=F and O=Cl before H2O. 47 to 89:
    // atoms per formula unit (Fe3+ as lowered for M2) and their total. 91 to 93: T site; 94 to
    // 108: M sites together, in the order of the headings; 109 to 121: A sites together.
    row.cellStart[0] = 0;
    const Cursor name = WriteSampleName(buffer, f.sampleName);
    const std::array<double, 4> closing = {f.oxygenEquivalentF, f.oxygenEquivalentCl,
                                           f.weightPercent[kH], f.analyticalTotal};
    const std::array sites = {s.t.si,  s.t.alIV, s.t.total, s.m.ti,    s.m.alVI, s.m.cr,  s.m.v,
                              s.m.fe3, s.m.fe2,  s.m.mg,    s.m.mn3,   s.m.mn2,  s.m.ni,  s.m.zn,
                              s.m.cu,  s.m.nb,   s.m.sn,    s.m.total, s.a.mn2,  s.a.fe2, s.a.ca,
                              s.a.sr,  s.a.ba,   s.a.pb,    s.a.na,    s.a.k,    s.a.p,   s.a.ree,
                              s.a.th,  s.a.u,    s.a.total};
    const std::array<NumberRun, 5> runs = {{{f.weightPercent.data(), kCl + 1, false},
                                            {closing.data(), closing.size(), true},
                                            {f.apfu.data(), f.apfu.size(), false},
                                            {&f.apfuTotal, 1, true},
                                            {sites.data(), sites.size(), true}}};
    const Cursor numbersEnd = NumberCells(buffer, name, &row.cellStart[1]).write(runs);

    // 123 to 130: dominant ions, subgroup, species.
    const DominantIons& ions = state.ions;
    Cursor end = buffer.withRoom(numbersEnd.next, kTextSectionRoom);
    std::uint32_t* cellStart = &row.cellStart[123];
    WriteTextCell(buffer, end, cellStart, ions.A1);
    WriteTextCell(buffer, end, cellStart, ions.A2);
    WriteTextCell(buffer, end, cellStart, ions.M1);
    WriteTextCell(buffer, end, cellStart, ions.M2);
    WriteTextCell(buffer, end, cellStart, ions.M3);
    WriteTextCell(buffer, end, cellStart, ions.O4);
    WriteTextCell(buffer, end, cellStart, state.subgroup);
    WriteTextCell(buffer, end, cellStart, state.species);
    // One past the end, as if a TAB followed the last cell.
    row.cellStart[kResultCellCount] = end.cellStartAfter(end.next);
    buffer.flush(end.next);
}

ResultRow BuildResultRow(AnalysisState& state) {
    ResultRow row;
    BuildResultRow(state, row);
    return row;
}

}  // namespace stelvador
