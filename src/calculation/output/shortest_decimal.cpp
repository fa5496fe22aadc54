#include "calculation/output/shortest_decimal.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace stelvador {

namespace {

// "00" to "99", so the digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

char* WriteWithToChars(char* out, double value) {
    return std::to_chars(out, out + kShortestDecimalMaxLength, value).ptr;
}

// The fast writer needs 128-bit products and writes digits in little-endian words.
#if defined(__SIZEOF_INT128__) && defined(__BYTE_ORDER__) && \
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define STELVADOR_FAST_SHORTEST_DECIMAL 1

using Uint128 = unsigned __int128;

// 5^0 to 5^27, the powers of five below 2^64.
constexpr int kLargestPowerOfFive = 27;
constexpr std::array<std::uint64_t, kLargestPowerOfFive + 1> kPowersOfFive = [] {
    std::array<std::uint64_t, kLargestPowerOfFive + 1> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 5;
    }
    return powers;
}();

// floor(e * log10(5)) for 0 <= e <= 2620.
int FloorLog10PowerOfFive(int e) {
    return static_cast<int>((static_cast<std::uint32_t>(e) * 732923u) >> 20);
}

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// Number of decimal digits of value (> 0): log10 estimated from the bit width (1233 / 4096 is
// just above log10(2)), then corrected by one comparison.
int DecimalLength(std::uint64_t value) {
    const int estimate = (std::bit_width(value) * 1233) >> 12;
    return estimate + 1 - (value < kPowersOfTen[static_cast<std::size_t>(estimate)] ? 1 : 0);
}

// The shortest digits and their decimal exponent: value = digits x 10^exponent.
struct ShortestDigits {
    std::uint64_t digits;
    int exponent;
};

// The shortest digits of m2 x 2^(e2 - 2) / 4 ... computed as in the Ryu method (Adams 2018): the
// value and the two halfway points to its neighbours are scaled to about 17 decimal digits, then
// digits are removed while the interval between the halfway points still holds a shorter number,
// and the last one is rounded. Where Ryu reads the scaled values from tables of rounded powers of
// five, they are exact products here (128 bits), so the digits are the same, for the range where
// the products fit: 2 <= -e2 and the power of five at most 5^27 (about 2^-32 <= value < 2^53).
// false outside that range.
bool FindShortestDigits(std::uint64_t ieeeMantissa, int ieeeExponent, ShortestDigits& result) {
    const int e2 = ieeeExponent - 1075 - 2;
    const int negE2 = -e2;
    if (ieeeExponent == 0 || negE2 < 2) {
        return false;
    }
    const int q = FloorLog10PowerOfFive(negE2) - (negE2 > 1 ? 1 : 0);
    const int i = negE2 - q;
    if (i > kLargestPowerOfFive) {
        return false;
    }
    const std::uint64_t m2 = ieeeMantissa | (std::uint64_t{1} << 52);
    const bool acceptBounds = (m2 & 1) == 0;
    // The value, its upper halfway point and its lower one (closer below a power of two), in
    // units of 2^e2.
    const std::uint64_t mv = 4 * m2;
    const std::uint64_t mmShift = (ieeeMantissa != 0 || ieeeExponent <= 1) ? 1 : 0;
    const std::uint64_t mp = mv + 2;
    const std::uint64_t mm = mv - 1 - mmShift;

    // Each times 10^i / 2^q = 10^-e10 x 2^e2: the floor, and whether it is exact.
    const std::uint64_t power = kPowersOfFive[static_cast<std::size_t>(i)];
    const Uint128 fractionMask = (Uint128{1} << q) - 1;
    const Uint128 rv = Uint128{mv} * power;
    const Uint128 rp = Uint128{mp} * power;
    const Uint128 rm = Uint128{mm} * power;
    std::uint64_t vr = static_cast<std::uint64_t>(rv >> q);
    std::uint64_t vp = static_cast<std::uint64_t>(rp >> q);
    std::uint64_t vm = static_cast<std::uint64_t>(rm >> q);
    bool vrIsTrailingZeros = (rv & fractionMask) == 0;
    bool vmIsTrailingZeros = false;
    if (acceptBounds) {
        vmIsTrailingZeros = (rm & fractionMask) == 0;
    } else if ((rp & fractionMask) == 0) {
        // The upper halfway point itself reads as the neighbour.
        --vp;
    }
    const int e10 = q + e2;

    int removed = 0;
    if (!vmIsTrailingZeros && !vrIsTrailingZeros) {
        // The usual case: no bound is exact and nothing lies exactly halfway, so the digits are
        // rounded by the last digit removed alone.
        bool roundUp = false;
        if (vp / 100 > vm / 100) {
            roundUp = vr % 100 >= 50;
            vr /= 100;
            vp /= 100;
            vm /= 100;
            removed += 2;
        }
        while (vp / 10 > vm / 10) {
            roundUp = vr % 10 >= 5;
            vr /= 10;
            vp /= 10;
            vm /= 10;
            ++removed;
        }
        result.digits = vr + ((vr == vm || roundUp) ? 1 : 0);
        result.exponent = e10 + removed;
        return true;
    }
    std::uint64_t lastRemovedDigit = 0;
    while (vp / 10 > vm / 10) {
        vmIsTrailingZeros &= vm % 10 == 0;
        vrIsTrailingZeros &= lastRemovedDigit == 0;
        lastRemovedDigit = vr % 10;
        vr /= 10;
        vp /= 10;
        vm /= 10;
        ++removed;
    }
    if (vmIsTrailingZeros) {
        while (vm % 10 == 0) {
            vrIsTrailingZeros &= lastRemovedDigit == 0;
            lastRemovedDigit = vr % 10;
            vr /= 10;
            vp /= 10;
            vm /= 10;
            ++removed;
        }
    }
    if (vrIsTrailingZeros && lastRemovedDigit == 5 && vr % 2 == 0) {
        // Exactly halfway: round to even.
        lastRemovedDigit = 4;
    }
    const bool roundUp =
        (vr == vm && (!acceptBounds || !vmIsTrailingZeros)) || lastRemovedDigit >= 5;
    result.digits = vr + (roundUp ? 1 : 0);
    result.exponent = e10 + removed;
    return true;
}

// Eight digits of value (below 10^8) as characters in one word, the first digit in its lowest
// byte, so that one store writes them in order.
[[gnu::always_inline]] inline std::uint64_t EightDigitCharacters(std::uint32_t value) {
    const auto pair = [](std::uint32_t twoDigits) {
        std::uint16_t characters = 0;
        std::memcpy(&characters, &kDigitPairs[2 * twoDigits], 2);
        return std::uint64_t{characters};
    };
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    return pair(high / 100) | pair(high % 100) << 16 | pair(low / 100) << 32 |
           pair(low % 100) << 48;
}

void StoreWord(char* out, std::uint64_t word) {
    std::memcpy(out, &word, sizeof word);
}

// Writes the length (1 to 17) decimal digits of value at out, in whole words: up to seven bytes
// past the last digit are overwritten (the caller's room allows for it).
void WriteDigits(char* out, std::uint64_t value, int length) {
    constexpr std::uint64_t kGroup = 100000000;
    const std::uint64_t low = EightDigitCharacters(static_cast<std::uint32_t>(value % kGroup));
    if (length <= 8) {
        // The leading zeros of the group are shifted out.
        StoreWord(out, low >> (8 * (8 - length)));
        return;
    }
    const std::uint64_t upper = value / kGroup;
    const std::uint64_t middle = EightDigitCharacters(static_cast<std::uint32_t>(upper % kGroup));
    if (length <= 16) {
        StoreWord(out, middle >> (8 * (16 - length)));
        StoreWord(out + length - 8, low);
        return;
    }
    const std::uint64_t high = EightDigitCharacters(static_cast<std::uint32_t>(upper / kGroup));
    StoreWord(out, high >> (8 * (24 - length)));
    StoreWord(out + length - 16, middle);
    StoreWord(out + length - 8, low);
}

// digits x 10^exponent in the shorter of fixed and scientific notation, fixed when both are as
// long.
char* WriteDecimal(char* out, const ShortestDigits& shortest) {
    const int length = DecimalLength(shortest.digits);
    const int exponent = shortest.exponent;
    // The exponent of the leading digit, as scientific notation shows it.
    const int leading = exponent + length - 1;
    const int absLeading = leading < 0 ? -leading : leading;
    const int scientificLength = length + (length > 1 ? 1 : 0) + 2 + (absLeading >= 100 ? 3 : 2);
    int fixedLength = 0;
    if (exponent >= 0) {
        fixedLength = length + exponent;
    } else if (leading >= 0) {
        fixedLength = length + 1;
    } else {
        fixedLength = length + 1 - leading;
    }

    if (fixedLength <= scientificLength) {
        if (exponent >= 0) {
            // A whole number: the digits, then the zeros.
            WriteDigits(out, shortest.digits, length);
            std::memset(out + length, '0', static_cast<std::size_t>(exponent));
            return out + length + exponent;
        }
        if (leading >= 0) {
            // The point among the digits: the whole part moves one place to the left of where
            // the digits were written, and the point takes its place.
            const int whole = leading + 1;
            WriteDigits(out + 1, shortest.digits, length);
            for (int i = 0; i < whole; ++i) {
                out[i] = out[i + 1];
            }
            out[whole] = '.';
            return out + length + 1;
        }
        out[0] = '0';
        out[1] = '.';
        std::memset(out + 2, '0', static_cast<std::size_t>(-leading - 1));
        WriteDigits(out + 1 - leading, shortest.digits, length);
        return out + 1 - leading + length;
    }
    WriteDigits(out + 1, shortest.digits, length);
    out[0] = out[1];
    if (length > 1) {
        out[1] = '.';
        out += length + 1;
    } else {
        out += 1;
    }
    *out++ = 'e';
    *out++ = leading < 0 ? '-' : '+';
    if (absLeading >= 100) {
        *out++ = static_cast<char>('0' + absLeading / 100);
    }
    std::memcpy(out, &kDigitPairs[2 * static_cast<std::size_t>(absLeading % 100)], 2);
    return out + 2;
}

#endif

}  // namespace

char* WriteShortestDecimal(char* out, double value) {
#ifdef STELVADOR_FAST_SHORTEST_DECIMAL
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t ieeeMantissa = bits & ((std::uint64_t{1} << 52) - 1);
    const int ieeeExponent = static_cast<int>((bits >> 52) & 0x7FF);
    ShortestDigits shortest{};
    if (ieeeExponent != 0x7FF && FindShortestDigits(ieeeMantissa, ieeeExponent, shortest)) {
        if ((bits >> 63) != 0) {
            *out++ = '-';
        }
        return WriteDecimal(out, shortest);
    }
#endif
    return WriteWithToChars(out, value);
}

}  // namespace stelvador
