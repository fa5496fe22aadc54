#include "platform/spreadsheet/xls_shared_strings.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "common/utf8.h"

namespace stelvador {

namespace {

// Reads across the pieces of the table; a string's characters that run on into the next piece
// start there with a new flags byte (one or two bytes a character).
class TableReader {
  public:
    explicit TableReader(const std::vector<std::string_view>& pieces) : m_pieces(pieces) {}

    std::optional<unsigned> Byte() {
        if (!Settle()) {
            return std::nullopt;
        }
        return static_cast<unsigned char>(m_pieces[m_piece][m_at++]);
    }
    std::optional<std::uint32_t> Number(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const auto byte = Byte();
            if (!byte) {
                return std::nullopt;
            }
            value |= static_cast<std::uint32_t>(*byte) << (8 * i);
        }
        return value;
    }
    bool Skip(std::uint64_t count) {
        while (count > 0) {
            if (!Settle()) {
                return false;
            }
            const std::size_t step = static_cast<std::size_t>(
                std::min<std::uint64_t>(count, m_pieces[m_piece].size() - m_at));
            m_at += step;
            count -= step;
        }
        return true;
    }
    // The characters of a string, kept as UTF-8 when keep (else only passed over).
    bool Characters(unsigned count, bool wide, bool keep, std::string& out) {
        unsigned pendingHigh = 0;  // a high surrogate waiting for its low one
        for (unsigned i = 0; i < count; ++i) {
            if (m_piece >= m_pieces.size()) {
                return false;
            }
            if (m_at == m_pieces[m_piece].size()) {
                // A new piece: its first byte says how wide the characters are from here on.
                if (++m_piece >= m_pieces.size() || m_pieces[m_piece].empty()) {
                    return false;
                }
                m_at = 0;
                wide = (static_cast<unsigned char>(m_pieces[m_piece][m_at++]) & 1) != 0;
            }
            unsigned unit = 0;
            if (wide) {
                const auto value = Number(2);
                if (!value) {
                    return false;
                }
                unit = *value;
            } else {
                unit = static_cast<unsigned char>(m_pieces[m_piece][m_at++]);
            }
            if (!keep) {
                continue;
            }
            if (pendingHigh != 0) {
                if (unit >= 0xDC00 && unit <= 0xDFFF) {
                    AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
                    pendingHigh = 0;
                    continue;
                }
                AppendUtf8(out, 0xFFFD);
                pendingHigh = 0;
            }
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                pendingHigh = unit;
            } else {
                AppendUtf8(out, unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
            }
        }
        if (keep && pendingHigh != 0) {
            AppendUtf8(out, 0xFFFD);
        }
        return true;
    }

  private:
    // Moves past the end of a piece; false at the end of the table.
    bool Settle() {
        while (m_piece < m_pieces.size() && m_at == m_pieces[m_piece].size()) {
            ++m_piece;
            m_at = 0;
        }
        return m_piece < m_pieces.size();
    }

    const std::vector<std::string_view>& m_pieces;
    std::size_t m_piece = 0;
    std::size_t m_at = 0;
};

}  // namespace

std::map<std::uint32_t, std::string> ReadXlsSharedStrings(
    const std::vector<std::string_view>& pieces, const std::vector<std::uint32_t>& wanted) {
    std::map<std::uint32_t, std::string> strings;
    if (wanted.empty() || pieces.empty()) {
        return strings;
    }
    TableReader table(pieces);
    const auto total = table.Number(4);
    const auto unique = table.Number(4);
    if (!total || !unique) {
        return strings;
    }
    auto next = wanted.begin();
    for (std::uint32_t index = 0; index < *unique && next != wanted.end(); ++index) {
        const auto count = table.Number(2);
        const auto flags = table.Byte();
        if (!count || !flags) {
            break;
        }
        const bool rich = (*flags & 0x08) != 0;
        const bool extended = (*flags & 0x04) != 0;
        const auto runs = rich ? table.Number(2) : std::optional<std::uint32_t>(0);
        const auto extendedBytes = extended ? table.Number(4) : std::optional<std::uint32_t>(0);
        if (!runs || !extendedBytes) {
            break;
        }
        const bool keep = *next == index;
        std::string text;
        if (!table.Characters(*count, (*flags & 0x01) != 0, keep, text) ||
            !table.Skip(std::uint64_t{*runs} * 4 + *extendedBytes)) {
            break;
        }
        if (keep) {
            strings.emplace(index, std::move(text));
            ++next;
        }
    }
    return strings;
}

}  // namespace stelvador
