#include "numtext/number_text.h"

#include "numtext/decimal_mark.h"
#include "numtext/power_of_ten.h"

#include <cmath>
#include <cstdint>
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

bool IsDigit(char16_t c) { return c >= '0' && c <= '9'; }

std::optional<long double> ParseNumber(QStringView text)
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
    if (at(i) == char16_t(static_cast<unsigned char>(DecimalMark))) {
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

} // namespace

long double NumberFromText(QStringView text)
{
    if (const std::optional<long double> value = ParseNumber(text))
        return *value;
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

QString NumberToText(long double value)
{
    constexpr int kPrecision = 15;
    const ExtendedBits bits = BitsOf(value);
    if (bits.exponentField == 0x7FFF) {
        const bool infinity = bits.significand == 0x8000'0000'0000'0000ULL || bits.significand == 0;
        if (!infinity)
            return QStringLiteral("NAN");
        return bits.negative ? QStringLiteral("-INF") : QStringLiteral("INF");
    }
    if (bits.exponentField == 0)
        return QStringLiteral("0");

    // log10(2) taken as 19728 / 65536, in integers with an arithmetic shift.
    const int binaryExponent = bits.exponentField - 16383;
    int exponent = ((binaryExponent * 19728) >> 16) + 1;

    const long double magnitude = std::fabs(value);
    EighteenDigits scaled = ScaleToEighteenDigits(magnitude, exponent);
    // For some tiny magnitudes the estimate is one too high and the first digit would be 0.
    if (scaled.digits < 100'000'000'000'000'000ULL)
        scaled = ScaleToEighteenDigits(magnitude, exponent - 1);
    exponent = scaled.exponent;

    char digits[18];
    for (int i = 17; i >= 0; --i) {
        digits[i] = char('0' + scaled.digits % 10);
        scaled.digits /= 10;
    }

    // The 16th digit alone decides: 5 or more rounds away from zero, whatever follows it.
    int count = kPrecision;
    if (digits[kPrecision] >= '5') {
        int i = kPrecision - 1;
        while (i >= 0 && digits[i] == '9')
            --i;
        if (i < 0) {
            digits[0] = '1';
            count = 1;
            ++exponent;
        } else {
            ++digits[i];
            count = i + 1;
        }
    }
    while (count > 0 && digits[count - 1] == '0')
        --count;

    char text[24];
    int length = 0;
    const auto put = [&](char c) { text[length++] = c; };
    if (bits.negative)
        put('-');
    if (exponent > kPrecision || exponent < -3) {
        put(digits[0]);
        if (count > 1) {
            put(DecimalMark);
            for (int i = 1; i < count; ++i)
                put(digits[i]);
        }
        put('E');
        int shown = exponent - 1;
        if (shown < 0) {
            put('-');
            shown = -shown;
        }
        char reversed[6];
        int n = 0;
        do {
            reversed[n++] = char('0' + shown % 10);
            shown /= 10;
        } while (shown != 0);
        while (n > 0)
            put(reversed[--n]);
    } else if (exponent >= 1) {
        for (int i = 0; i < exponent; ++i)
            put(i < count ? digits[i] : '0');
        if (count > exponent) {
            put(DecimalMark);
            for (int i = exponent; i < count; ++i)
                put(digits[i]);
        }
    } else {
        put('0');
        put(DecimalMark);
        for (int i = 0; i < -exponent; ++i)
            put('0');
        for (int i = 0; i < count; ++i)
            put(digits[i]);
    }
    return QString::fromLatin1(text, length);
}
