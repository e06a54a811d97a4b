#include "number_text/number_text.h"

#include "number_text/decimal_mark.h"
#include "number_text/power_of_ten.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

struct ExtendedBits
{
    std::uint64_t significand;
    bool negative;
    int exponentField;
};

ExtendedBits BitsOf(long double value)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    ExtendedBits bits{};
    std::memcpy(&bits.significand, bytes, 8);
    const std::uint16_t signAndExponent = std::uint16_t(bytes[8] | bytes[9] << 8);
    bits.negative = signAndExponent & 0x8000;
    bits.exponentField = signAndExponent & 0x7FFF;
    return bits;
}

long double MagnitudeOf(const ExtendedBits &bits)
{
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &bits.significand, 8);
    bytes[8] = static_cast<unsigned char>(bits.exponentField);
    bytes[9] = static_cast<unsigned char>(bits.exponentField >> 8);
    long double magnitude;
    std::memcpy(&magnitude, bytes, sizeof bytes);
    return magnitude;
}

// The floating point unit takes a value whose leading significand bit is clear (an unnormal, or a zero with a
// non-zero exponent) as an invalid operand, so it could not be scaled. Shifting the significand up gives the same
// number in its usual form; below the normal range that is a denormal, whose exponent field is zero.
void Normalise(ExtendedBits &bits)
{
    if (bits.significand == 0) {
        bits.exponentField = 0;
        return;
    }
    const int shift = std::countl_zero(bits.significand);
    if (shift >= bits.exponentField) {
        bits.exponentField = 0;
        return;
    }
    bits.significand <<= shift;
    bits.exponentField -= shift;
}

bool IsDigit(char16_t c)
{
    return c >= '0' && c <= '9';
}

std::optional<long double> ParseNumber(QStringView text, char mark)
{
    // The text ends at its last character or at a zero character, whichever comes first.
    qsizetype i = 0;
    const auto at = [&](qsizetype index) -> char16_t { return index < text.size() ? text[index].unicode() : 0; };

    while (at(i) == ' ')
        ++i;
    bool negative = false;
    if (at(i) == '+' || at(i) == '-')
        negative = at(i++) == '-';

    long double accumulator = 0.0L;
    bool consumed = false;
    while (IsDigit(at(i))) {
        accumulator = accumulator * 10 + (at(i++) - '0');
        consumed = true;
    }
    int fractionDigits = 0;
    if (at(i) == char16_t(static_cast<unsigned char>(mark))) {
        ++i;
        consumed = true;
        while (IsDigit(at(i))) {
            accumulator = accumulator * 10 + (at(i++) - '0');
            ++fractionDigits;
        }
    }
    if (!consumed)
        return std::nullopt;

    int exponent = 0;
    if (at(i) == 'E' || at(i) == 'e') {
        ++i;
        bool negativeExponent = false;
        if (at(i) == '+' || at(i) == '-')
            negativeExponent = at(i++) == '-';
        // Reading stops at the digit that takes the exponent to 500 or beyond; any digit left makes the text invalid.
        while (IsDigit(at(i)) && exponent < 500)
            exponent = exponent * 10 + (at(i++) - '0');
        if (negativeExponent)
            exponent = -exponent;
    }

    while (at(i) == ' ')
        ++i;
    if (at(i) != 0)
        return std::nullopt;

    // An infinite accumulator stays infinite, so it still shows here even where scaling returned zero.
    long double value = ScaleByPowerOfTen(accumulator, exponent - fractionDigits);
    if (!std::isfinite(accumulator) || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// 0.d1d2...d18 x 10^exponent, d1 not zero.
struct EighteenDigits
{
    std::uint64_t digits;
    int exponent;
};

EighteenDigits ScaleToEighteenDigits(long double magnitude, int exponent)
{
    constexpr long double kEighteenDigitLimit = 1e18L;
    long double scaled = std::nearbyint(ScaleByPowerOfTen(magnitude, 18 - exponent));
    if (scaled >= kEighteenDigitLimit) {
        scaled = std::nearbyint(scaled / 10);
        ++exponent;
    }
    std::uint64_t digits = std::uint64_t(scaled);
    if (digits == 1'000'000'000'000'000'000ULL) {
        digits /= 10;
        ++exponent;
    }
    return {digits, exponent};
}

constexpr int kPrecision = 15;

// 0.d1...dcount x 10^exponent: at most 15 digits, d1 not zero, no trailing zero.
struct DecimalDigits
{
    char digits[18];
    int count;
    int exponent;
};

DecimalDigits RoundedDigitsOf(long double magnitude, int binaryExponent)
{
    // log10(2) taken as 19728 / 65536, in integers with an arithmetic shift.
    const int estimate = ((binaryExponent * 19728) >> 16) + 1;
    EighteenDigits scaled = ScaleToEighteenDigits(magnitude, estimate);
    // For some tiny magnitudes the estimate is one too high and the first digit would be 0.
    if (scaled.digits < 100'000'000'000'000'000ULL)
        scaled = ScaleToEighteenDigits(magnitude, estimate - 1);

    DecimalDigits result{};
    result.exponent = scaled.exponent;
    for (int i = 17; i >= 0; --i) {
        result.digits[i] = char('0' + scaled.digits % 10);
        scaled.digits /= 10;
    }

    // The 16th digit alone decides: 5 or more rounds away from zero, whatever follows it.
    result.count = kPrecision;
    if (result.digits[kPrecision] >= '5') {
        int i = kPrecision - 1;
        while (i >= 0 && result.digits[i] == '9')
            --i;
        if (i < 0) {
            result.digits[0] = '1';
            result.count = 1;
            ++result.exponent;
        } else {
            ++result.digits[i];
            result.count = i + 1;
        }
    }
    while (result.count > 0 && result.digits[result.count - 1] == '0')
        --result.count;
    return result;
}

QString Written(bool negative, const DecimalDigits &d, char mark)
{
    char text[24];
    int length = 0;
    const auto put = [&](char c) { text[length++] = c; };
    const auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(d.digits[i]);
    };

    if (negative)
        put('-');
    if (d.exponent > kPrecision || d.exponent < -3) {
        put(d.digits[0]);
        if (d.count > 1) {
            put(mark);
            putDigits(1, d.count);
        }
        put('E');
        length += std::snprintf(text + length, sizeof text - std::size_t(length), "%d", d.exponent - 1);
    } else if (d.exponent >= 1) {
        putDigits(0, std::min(d.count, d.exponent));
        for (int i = d.count; i < d.exponent; ++i)
            put('0');
        if (d.count > d.exponent) {
            put(mark);
            putDigits(d.exponent, d.count);
        }
    } else {
        put('0');
        put(mark);
        for (int i = 0; i < -d.exponent; ++i)
            put('0');
        putDigits(0, d.count);
    }
    return QString::fromLatin1(text, length);
}

} // namespace

long double NumberFromText(QStringView text)
{
    return NumberFromText(text, DecimalMark);
}

long double NumberFromText(QStringView text, char mark)
{
    if (const std::optional<long double> value = ParseNumber(text, mark))
        return *value;
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

QString NumberToText(long double value)
{
    return NumberToText(value, DecimalMark);
}

QString NumberToText(long double value, char mark)
{
    ExtendedBits bits = BitsOf(value);
    if (bits.exponentField == 0x7FFF) {
        const bool infinity = bits.significand == 0x8000'0000'0000'0000ULL || bits.significand == 0;
        if (!infinity)
            return QStringLiteral("NAN");
        return bits.negative ? QStringLiteral("-INF") : QStringLiteral("INF");
    }
    if (bits.exponentField != 0 && bits.significand >> 63 == 0)
        Normalise(bits);
    if (bits.exponentField == 0)
        return QStringLiteral("0");
    return Written(bits.negative, RoundedDigitsOf(MagnitudeOf(bits), bits.exponentField - 16383), mark);
}
