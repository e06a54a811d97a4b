#pragma once

#include <array>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "Ortix-T needs long double to be the x87 80-bit extended format (64-bit significand)");

// The nearest extended values to the powers of ten that scaling is built from.
inline constexpr std::array<long double, 32> kPowersOfTen = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
    1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
// 10^(32 j), j = 1 ... 15
inline constexpr std::array<long double, 15> kPowersOfTen32 = {1e32L,  1e64L,  1e96L,  1e128L, 1e160L,
                                                               1e192L, 1e224L, 1e256L, 1e288L, 1e320L,
                                                               1e352L, 1e384L, 1e416L, 1e448L, 1e480L};
// 10^(512 k), k = 1 ... 9
inline constexpr std::array<long double, 9> kPowersOfTen512 = {1e512L,  1e1024L, 1e1536L, 1e2048L, 1e2560L,
                                                               1e3072L, 1e3584L, 1e4096L, 1e4608L};

// x * 10^n, built from at most three table factors and rounded after each;
// +infinity for n >= 5120 and zero for n <= -5120, whatever x is.
long double ScaleByPowerOfTen(long double x, int n);
