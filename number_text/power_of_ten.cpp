#include "number_text/power_of_ten.h"

long double ScaleByPowerOfTen(long double x, int n)
{
    constexpr int kLimit = 5120;
    if (n >= kLimit)
        return std::numeric_limits<long double>::infinity();
    if (n <= -kLimit)
        return 0.0L;
    if (n == 0)
        return x;

    const bool divide = n < 0;
    const int magnitude = divide ? -n : n;
    const int m = magnitude / 32;
    const auto apply = [&](long double factor) { x = divide ? x / factor : x * factor; };
    apply(kPowersOfTen[magnitude % 32]);
    if (m % 16 != 0)
        apply(kPowersOfTen32[m % 16 - 1]);
    if (m / 16 != 0)
        apply(kPowersOfTen512[m / 16 - 1]);
    return x;
}
