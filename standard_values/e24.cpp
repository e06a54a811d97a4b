#include "standard_values/e24.h"

#include "number_text/power_of_ten.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

// A decade's values times ten.
constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30, 33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

constexpr int kPrintedDigits = 15;
constexpr long double kFirstExponentForm = 1e15L;

// A series entry of the decade that starts at 10^exponent.
long double InDecade(int entry, int exponent)
{
    return ScaleByPowerOfTen(entry, exponent - 1);
}

} // namespace

std::optional<E24Neighbours> NeighboursInE24(long double value)
{
    if (!(value > 0) || !(value < kFirstExponentForm))
        return std::nullopt;
    // The printed digits, compared as an integer with the entries scaled to as many digits: exact,
    // whichever way binary fractions fall at the edges of a decade.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*Le", kPrintedDigits - 1, value);
    long long mantissa = 0;
    const char *c = digits;
    for (; *c != 'e'; ++c) {
        // The C library writes the locale's decimal point, whatever that is.
        if (*c >= '0' && *c <= '9')
            mantissa = mantissa * 10 + (*c - '0');
    }
    const int exponent = std::atoi(c + 1);

    constexpr long long kEntryScale = 10'000'000'000'000LL; // entries have two digits of the fifteen
    const int *below = std::end(kE24) - 1;
    while (*below * kEntryScale > mantissa)
        --below;
    if (*below * kEntryScale == mantissa) {
        const long double inSeries = InDecade(*below, exponent);
        return E24Neighbours{inSeries, inSeries};
    }
    const long double above =
        below + 1 == std::end(kE24) ? InDecade(kE24[0], exponent + 1) : InDecade(*(below + 1), exponent);
    return E24Neighbours{InDecade(*below, exponent), above};
}
