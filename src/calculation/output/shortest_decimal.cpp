#include "calculation/output/shortest_decimal.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
constexpr int FloorLog10PowerOfFive(int e) {
    return static_cast<int>((static_cast<std::uint32_t>(e) * 732923u) >> 20);
}

// floor(e * log10(2)) for -2620 <= e <= 2620 (the shift rounds towards minus infinity).
constexpr int FloorLog10PowerOfTwo(int e) {
    return (e * 315653) >> 20;
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
constexpr int DecimalLength(std::uint64_t value) {
    const int estimate = (std::bit_width(value) * 1233) >> 12;
    return estimate + 1 - (value < kPowersOfTen[static_cast<std::size_t>(estimate)] ? 1 : 0);
}

// The shortest digits and their decimal exponent: value = digits x 10^exponent.
struct ShortestDigits {
    std::uint64_t digits;
    int exponent;
};

// The shortest digits as they are written: followed by zeros to 17 digits, so that their writing
// does not wait for their count.
struct DecimalDigits {
    // 10^16 <= front < 10^17.
    std::uint64_t front;
    // The count of the digits, trailing zeros left out (1 to 17).
    int length;
    // The decimal exponent of the first digit, as scientific notation shows it.
    int leading;
};

constexpr DecimalDigits ToDecimalDigits(const ShortestDigits& shortest) {
    const int length = DecimalLength(shortest.digits);
    return {shortest.digits * kPowersOfTen[static_cast<std::size_t>(17 - length)], length,
            shortest.exponent + length - 1};
}

// The count of trailing decimal zeros of value (> 0, below 10^16). n is a multiple of 10^j
// exactly when n times the inverse of 5^j modulo 2^64, rotated right by j bits, is at most
// (2^64 - 1) / 10^j; that rotated product is then n / 10^j. So eight, four, two and one zeros are
// tried in turn, without a division.
int TrailingZeroCount(std::uint64_t value) {
    constexpr std::uint64_t kInverseOf5 = 0xCCCCCCCCCCCCCCCDu;  // 5 x it = 1 modulo 2^64
    constexpr std::uint64_t kInverseOf25 = kInverseOf5 * kInverseOf5;
    constexpr std::uint64_t kInverseOf625 = kInverseOf25 * kInverseOf25;
    constexpr std::uint64_t kInverseOf390625 = kInverseOf625 * kInverseOf625;
    constexpr std::uint64_t kMax = ~std::uint64_t{0};
    if (std::rotr(value * kInverseOf5, 1) > kMax / 10) {
        // The usual case: not even one zero.
        return 0;
    }
    int zeros = 0;
    const auto strip = [&value, &zeros](std::uint64_t inverse, int count, std::uint64_t power) {
        const std::uint64_t quotient = std::rotr(value * inverse, count);
        if (quotient <= kMax / power) {
            value = quotient;
            zeros += count;
        }
    };
    strip(kInverseOf390625, 8, 100000000);
    strip(kInverseOf625, 4, 10000);
    strip(kInverseOf25, 2, 100);
    strip(kInverseOf5, 1, 10);
    return zeros;
}

// The binary exponents (as stored) of the range where the digits are found by the first method
// below, or for a power of two read from a table: 2^-83 <= 2^e <= 2^-3 for the value m x 2^e, m
// of 53 bits, so about 2^-31 <= value < 2^50.
constexpr int kFastExponentFirst = 992;
constexpr int kFastExponentCount = 81;

// What the first method needs of an exponent e of the fast range, worked out at compile time:
// k with 100 <= 2^e x 10^k < 1000, s with 10^k x 2^(e - 1) = 5^k / 2^s, and the gap 2^e x 10^k
// in units of 2^-s, 2 x 5^k, split into its whole part and its fraction.
struct FastScale {
    std::uint64_t powerOfFive;
    std::uint64_t fractionMask;
    std::uint64_t gapWhole;
    std::uint64_t gapFraction;
    int k;
    int s;
};

constexpr std::array<FastScale, kFastExponentCount> kFastScales = [] {
    std::array<FastScale, kFastExponentCount> scales{};
    for (int i = 0; i < kFastExponentCount; ++i) {
        // -83 <= e <= -3: 3 <= k <= 27 and 1 <= s <= 57.
        const int e = kFastExponentFirst + i - 1075;
        const int k = 2 - FloorLog10PowerOfTwo(e);
        const int s = 1 - e - k;
        const std::uint64_t power = kPowersOfFive[static_cast<std::size_t>(k)];
        const std::uint64_t mask = (std::uint64_t{1} << s) - 1;
        scales[static_cast<std::size_t>(i)] = {power, mask, (2 * power) >> s, (2 * power) & mask,
                                               k,     s};
    }
    return scales;
}();

// The shortest digits of a normal value m x 2^e whose neighbours are equally far (m is not a
// power of two), for an exponent of the range above, given by its index there.
//
// The value and the halfway points to its neighbours, (m - 1/2) x 2^e and (m + 1/2) x 2^e, are
// scaled by 10^k so that the gap between the halfway points, 2^e x 10^k, lies in [100, 1000).
// The scaled values are exact: 10^k x 2^e = 5^k / 2^s with 5^k below 2^64, so each is a 128-bit
// product shifted right by s bits, its fraction the bits shifted out. Since the gap is below
// 1000, the interval between the halfway points holds at most one multiple of 1000: if it does,
// that number with its trailing zeros removed is the shortest. Otherwise the gap of 100 or more
// holds a multiple of 100, and the shortest is the multiple of 100 nearest the value (the even
// one when the value lies exactly halfway), which always lies inside since the gap is over 100
// in this range. Whether the halfway points themselves belong to the interval never matters here:
// scaled, they are (2m - 1) x 5^k / 2^s and (2m + 1) x 5^k / 2^s, odd numbers over a power of two
// of at least 2, so never whole numbers like the candidates.
//
// Scaled, m x 2^e lies in [4.5 x 10^17, 9.1 x 10^18), so the multiple of 1000 has 15 or 16 digits
// and that of 100 16 or 17: the digits to 17 and their count follow from one comparison.
DecimalDigits FindShortestDigitsBetweenEqualNeighbours(std::uint64_t ieeeMantissa,
                                                       unsigned fastIndex) {
    const FastScale& scale = kFastScales[fastIndex];
    const int s = scale.s;
    const std::uint64_t m = ieeeMantissa | (std::uint64_t{1} << 52);
    const auto integerPart = [s](Uint128 scaled) {
        return static_cast<std::uint64_t>(scaled) >> s | static_cast<std::uint64_t>(scaled >> 64)
                                                             << (64 - s);
    };

    // Everything in units of 2^-s: the upper halfway point (2m + 1) x 5^k.
    const Uint128 upper = Uint128{2 * m + 1} * scale.powerOfFive;
    const std::uint64_t upperWhole = integerPart(upper);
    const std::uint64_t upperFraction = static_cast<std::uint64_t>(upper) & scale.fractionMask;

    // The largest multiple of 1000 at or below the upper halfway point: it lies above the lower
    // one exactly when upper - candidate < gap, so when the whole part of upper - candidate is
    // below that of the gap, or equal to it with a smaller fraction (never an equal one: the
    // upper fraction is odd, that of the gap even).
    const std::uint64_t thousands = upperWhole / 1000;
    const std::uint64_t below = upperWhole - thousands * 1000;
    if (below < scale.gapWhole || (below == scale.gapWhole && scale.gapFraction > upperFraction)) {
        const bool sixteen = thousands >= kPowersOfTen[15];
        const int length = sixteen ? 16 : 15;
        return {thousands * (sixteen ? 10 : 100), length - TrailingZeroCount(thousands),
                3 - scale.k + length - 1};
    }

    // The value itself, 2m x 5^k, rounded to the nearest multiple of 100.
    const Uint128 value = upper - scale.powerOfFive;
    const std::uint64_t valueWhole = integerPart(value);
    const std::uint64_t valueFraction = static_cast<std::uint64_t>(value) & scale.fractionMask;
    std::uint64_t hundreds = (valueWhole + 50) / 100;
    if (valueFraction == 0 && hundreds * 100 == valueWhole + 50 && (hundreds & 1) != 0) {
        // Exactly halfway between two multiples of 100: the even one.
        --hundreds;
    }
    const bool seventeen = hundreds >= kPowersOfTen[16];
    const int length = seventeen ? 17 : 16;
    return {seventeen ? hundreds : hundreds * 10, length, 2 - scale.k + length - 1};
}

// The shortest digits of m2 x 2^(e2 - 2) / 4 ... computed as in the Ryu method (Adams 2018): the
// value and the two halfway points to its neighbours are scaled to about 17 decimal digits, then
// digits are removed while the interval between the halfway points still holds a shorter number,
// and the last one is rounded. Where Ryu reads the scaled values from tables of rounded powers of
// five, they are exact products here (128 bits), so the digits are the same, for the range where
// the products fit: 2 <= -e2 and the power of five at most 5^27 (about 2^-32 <= value < 2^53).
// false outside that range. Used for the values the method above leaves out: powers of two,
// whose lower neighbour is closer (at compile time, for those of the fast range), and values
// outside the fast range.
constexpr bool FindShortestDigitsByRemoval(std::uint64_t ieeeMantissa, int ieeeExponent,
                                           ShortestDigits& result) {
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

// The digits of the powers of two of the fast range, found at compile time by the method above.
constexpr std::array<DecimalDigits, kFastExponentCount> kPowersOfTwo = [] {
    std::array<DecimalDigits, kFastExponentCount> digits{};
    for (int i = 0; i < kFastExponentCount; ++i) {
        ShortestDigits shortest{};
        FindShortestDigitsByRemoval(0, kFastExponentFirst + i, shortest);
        digits[static_cast<std::size_t>(i)] = ToDecimalDigits(shortest);
    }
    return digits;
}();

void StoreWord(char* out, std::uint64_t word) {
    std::memcpy(out, &word, sizeof word);
}

#if defined(__SSE2__)

// Writes the sixteen digits of high and low (each below 10^8) at out; returns the first eight
// characters as one word. The two numbers are split in the lanes of one vector at once: into
// halves (x / 10^4 is (x x 0xD1B71759) >> 45), quarters (x / 100 is (x x 5243) >> 19 for x below
// 43699) and single digits (x / 10 is (x x 6554) >> 16 for x below 100), the leading part always
// in the lower lane, so the bytes end in the order of the digits.
std::uint64_t WriteSixteenDigits(char* out, std::uint32_t high, std::uint32_t low) {
    const __m128i numbers = _mm_set_epi64x(low, high);
    const __m128i halvesHigh =
        _mm_srli_epi64(_mm_mul_epu32(numbers, _mm_set1_epi32(static_cast<int>(0xD1B71759))), 45);
    const __m128i halvesLow =
        _mm_sub_epi32(numbers, _mm_mul_epu32(halvesHigh, _mm_set1_epi32(10000)));
    const __m128i halves = _mm_or_si128(halvesHigh, _mm_slli_epi64(halvesLow, 32));
    const __m128i quartersHigh = _mm_srli_epi16(_mm_mulhi_epu16(halves, _mm_set1_epi16(5243)), 3);
    const __m128i quartersLow =
        _mm_sub_epi16(halves, _mm_mullo_epi16(quartersHigh, _mm_set1_epi16(100)));
    const __m128i quarters = _mm_or_si128(quartersHigh, _mm_slli_epi32(quartersLow, 16));
    const __m128i tens = _mm_mulhi_epu16(quarters, _mm_set1_epi16(6554));
    const __m128i ones = _mm_sub_epi16(quarters, _mm_mullo_epi16(tens, _mm_set1_epi16(10)));
    const __m128i digits = _mm_or_si128(tens, _mm_slli_epi16(ones, 8));
    const __m128i characters = _mm_or_si128(digits, _mm_set1_epi8('0'));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), characters);
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(characters));
}

#else

// Eight digits of value (below 10^8) as characters in one word, the first digit in its lowest
// byte, so that one store writes them in order. The halves, quarters and single digits are split
// off in all lanes of the word at once: x / 100 is (x x 10486) >> 20 for x below 10^4, and x / 10
// is (x x 103) >> 10 for x below 100. A lane x split into q = x / d and x - q d, the remainder in
// the upper half of the lane, is (x << b) - q ((d << b) - 1) for a half of b bits.
std::uint64_t EightDigitCharacters(std::uint32_t value) {
    const std::uint64_t high = value / 10000u;
    const std::uint64_t halves = (std::uint64_t{value} << 32) - high * ((10000ull << 32) - 1);
    const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Fu;
    const std::uint64_t quarters = (halves << 16) - hundreds * ((100ull << 16) - 1);
    const std::uint64_t tens = ((quarters * 103) >> 10) & 0x000F000F000F000Fu;
    const std::uint64_t digits = (quarters << 8) - tens * ((10ull << 8) - 1);
    return digits | 0x3030303030303030u;
}

// Writes the sixteen digits of high and low (each below 10^8) at out; returns the first eight
// characters as one word.
std::uint64_t WriteSixteenDigits(char* out, std::uint32_t high, std::uint32_t low) {
    const std::uint64_t first = EightDigitCharacters(high);
    StoreWord(out, first);
    StoreWord(out + 8, EightDigitCharacters(low));
    return first;
}

#endif

// Writes the 17 digits of front (10^16 <= front < 10^17) at out; returns the first eight as one
// word.
std::uint64_t WriteSeventeenDigits(char* out, std::uint64_t front) {
    constexpr std::uint32_t kGroup = 100000000;
    const auto upper = static_cast<std::uint32_t>(front / kGroup);
    const std::uint32_t leading = upper / kGroup;
    const std::uint64_t first = '0' + leading;
    out[0] = static_cast<char>(first);
    const std::uint64_t next =
        WriteSixteenDigits(out + 1, upper - leading * kGroup,
                           static_cast<std::uint32_t>(front - upper * std::uint64_t{kGroup}));
    return first | next << 8;
}

// The word of eight characters with a point put after the first whole (1 to 7) of them: the
// characters from there on move one place up, the last one leaving the word.
std::uint64_t WithPointAfter(std::uint64_t characters, int whole) {
    const std::uint64_t before = (std::uint64_t{1} << (8 * whole)) - 1;
    const std::uint64_t throughPoint = (std::uint64_t{0x100} << (8 * whole)) - 1;
    return (characters & before) | std::uint64_t{'.'} << (8 * whole) |
           ((characters << 8) & ~throughPoint);
}

// The word of eight characters after "0." and zeros, shift (2 to 5) characters in all.
std::uint64_t AfterZeroPoint(std::uint64_t characters, int shift) {
    constexpr std::uint64_t kZeroPointZeros = 0x303030303030'2E30u;  // "0.000000"
    return (kZeroPointZeros & ((std::uint64_t{1} << (8 * shift)) - 1)) | characters << (8 * shift);
}

// The digits (of a value from 2^-32 up to 2^53, as the methods above find them) in the shorter of
// fixed and scientific notation, fixed when both are as long. All 17 digits are written; those
// past the text are zeros, which a whole number takes as its trailing zeros.
char* WriteDecimal(char* out, const DecimalDigits& digits) {
    const int length = digits.length;
    const int leading = digits.leading;
    // The exponent of the last digit.
    const int exponent = leading - length + 1;

    // Scientific notation is length + 4 characters, one more with a point; fixed notation with
    // zeros is as long or shorter for up to three zeros after the point (four with a point in
    // scientific notation), and for up to four zeros after a whole number (five). Fixed notation
    // with a point among the digits is always shorter.
    const int extraZeros = length > 1 ? 1 : 0;
    if (exponent < 0 && leading >= -3 - extraZeros && leading < 7) {
        // A point after up to seven whole digits, or "0." and up to four zeros before the
        // digits: the digits are written a few places up, then the first word is written again
        // with the point (and the zeros) put in. The same steps whatever the position of the
        // point, as it varies from value to value.
        const int shift = leading >= 0 ? 1 : 1 - leading;
        const std::uint64_t firstCharacters = WriteSeventeenDigits(out + shift, digits.front);
        const std::uint64_t word = leading >= 0 ? WithPointAfter(firstCharacters, leading + 1)
                                                : AfterZeroPoint(firstCharacters, shift);
        StoreWord(out, word);
        return out + shift + length;
    }
    if (exponent < 0 && leading >= 0) {
        // A point after eight or more whole digits: the digits one place up, then the whole part
        // moved back before the point.
        const int whole = leading + 1;
        WriteSeventeenDigits(out + 1, digits.front);
        for (int i = 0; i < whole; ++i) {
            out[i] = out[i + 1];
        }
        out[whole] = '.';
        return out + length + 1;
    }
    if (exponent >= 0 && exponent <= 4 + extraZeros) {
        // A whole number: the digits, then the zeros (at most 16 characters below 2^53).
        WriteSeventeenDigits(out, digits.front);
        return out + length + exponent;
    }
    // The first digit, the point unless it stands alone, the rest of the digits.
    const std::uint64_t firstCharacters = WriteSeventeenDigits(out + 1, digits.front);
    if (length > 1) {
        StoreWord(out, WithPointAfter(firstCharacters, 1));
        out += length + 1;
    } else {
        out[0] = static_cast<char>(firstCharacters);
        out += 1;
    }
    // The exponent in two digits (|leading| <= 15 from 2^-32 up to 2^53).
    const int absLeading = leading < 0 ? -leading : leading;
    *out++ = 'e';
    *out++ = leading < 0 ? '-' : '+';
    std::memcpy(out, &kDigitPairs[2 * static_cast<std::size_t>(absLeading)], 2);
    return out + 2;
}

#endif

}  // namespace

char* WriteShortestDecimal(char* out, double value) {
#ifdef STELVADOR_FAST_SHORTEST_DECIMAL
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t ieeeMantissa = bits & ((std::uint64_t{1} << 52) - 1);
    const int ieeeExponent = static_cast<int>((bits >> 52) & 0x7FF);
    const auto fastIndex = static_cast<unsigned>(ieeeExponent - kFastExponentFirst);
    DecimalDigits digits{};
    if (fastIndex < static_cast<unsigned>(kFastExponentCount)) {
        digits = ieeeMantissa != 0
                     ? FindShortestDigitsBetweenEqualNeighbours(ieeeMantissa, fastIndex)
                     : kPowersOfTwo[fastIndex];
    } else {
        ShortestDigits shortest{};
        if (ieeeExponent == 0x7FF ||
            !FindShortestDigitsByRemoval(ieeeMantissa, ieeeExponent, shortest)) {
            return WriteWithToChars(out, value);
        }
        digits = ToDecimalDigits(shortest);
    }
    if ((bits >> 63) != 0) {
        *out++ = '-';
    }
    return WriteDecimal(out, digits);
#endif
    return WriteWithToChars(out, value);
}

}  // namespace stelvador
