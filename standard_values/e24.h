#pragma once

#include <optional>

// The standard values next to a computed one in the E24 series (IEC 60063): 1,0 1,1 1,2 ... 9,1 in
// every decade.
struct E24Neighbours
{
    long double below;
    long double above;
    bool inSeries() const { return below == above; }
};

// The neighbours of the value as the windows print it (15 significant digits): the same value twice
// when that is in the series. None for zero, negative, infinite or NaN values, nor for values of
// 1E15 and more, which the windows print in exponent form and no part has.
std::optional<E24Neighbours> NeighboursInE24(long double value);
