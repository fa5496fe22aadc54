#include "common/utf8.h"

namespace stelvador {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t code) {
    return code >= 0xD800 && code <= 0xDFFF;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

char ContinuationByte(char32_t code, int shift) {
    return static_cast<char>(0x80 | ((code >> shift) & 0x3F));
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
    if (code > kLastCodePoint || IsSurrogate(code)) {
        code = kReplacementCharacter;
    }
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(ContinuationByte(code, 0));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(ContinuationByte(code, 6));
        out.push_back(ContinuationByte(code, 0));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(ContinuationByte(code, 12));
        out.push_back(ContinuationByte(code, 6));
        out.push_back(ContinuationByte(code, 0));
    }
}

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t extra = 0;
    char32_t code = 0;
    // The smallest value each length may carry; anything below it is an overlong form.
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at <= extra) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuation(next)) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < smallest || code > kLastCodePoint || IsSurrogate(code)) {
        return std::nullopt;
    }
    at += extra + 1;
    return code;
}

}  // namespace stelvador
