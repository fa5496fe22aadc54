#include "calculation/output/result_row.h"

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

// Writes the cells one after another, remembering where each begins.
class RowWriter {
  public:
    explicit RowWriter(ResultRow& row) : m_row(row) { m_row.text.clear(); }

    void text(std::string_view value) {
        begin();
        m_row.text.append(value);
    }
    void number(double value) {
        begin();
        AppendFormattedNumber(m_row.text, value);
    }
    void empty() { begin(); }
    void finish() {
        m_row.cellStart[static_cast<std::size_t>(m_cell)] =
            static_cast<std::uint32_t>(m_row.text.size() + 1);
    }

  private:
    void begin() {
        if (m_cell > 0) {
            m_row.text.push_back('\t');
        }
        m_row.cellStart[static_cast<std::size_t>(m_cell)] =
            static_cast<std::uint32_t>(m_row.text.size());
        ++m_cell;
    }

    ResultRow& m_row;
    int m_cell = 0;
};

}  // namespace

void BuildResultRow(AnalysisState& state, ResultRow& row) {
    CorrectM3String(state);

    const FormulaValues& f = state.formula;
    const SiteContents& s = state.sites;
    RowWriter out(row);
    row.text.reserve(1024);

    // 0 to 45: the sample and the analysis as read, with O=F and O=Cl before H2O.
    out.text(f.sampleName);
    for (int c = kSi; c <= kCl; ++c) {
        out.number(f.weightPercent[static_cast<std::size_t>(c)]);
    }
    out.number(f.oxygenEquivalentF);
    out.number(f.oxygenEquivalentCl);
    out.number(f.weightPercent[kH]);
    out.number(f.analyticalTotal);
    out.empty();

    // 47 to 89: atoms per formula unit (Fe3+ as lowered for M2) and their total.
    for (const double value : f.apfu) {
        out.number(value);
    }
    out.number(f.apfuTotal);
    out.empty();

    // 91 to 93: T site.
    out.number(s.t.si);
    out.number(s.t.alIV);
    out.number(s.t.total);

    // 94 to 108: M sites together, in the order of the headings.
    for (const double value : {s.m.ti, s.m.alVI, s.m.cr, s.m.v, s.m.fe3, s.m.fe2, s.m.mg, s.m.mn3,
                               s.m.mn2, s.m.ni, s.m.zn, s.m.cu, s.m.nb, s.m.sn, s.m.total}) {
        out.number(value);
    }

    // 109 to 121: A sites together.
    for (const double value : {s.a.mn2, s.a.fe2, s.a.ca, s.a.sr, s.a.ba, s.a.pb, s.a.na, s.a.k,
                               s.a.p, s.a.ree, s.a.th, s.a.u, s.a.total}) {
        out.number(value);
    }
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
