#pragma once

#include <QString>
#include <QStringView>

#include <optional>

enum class Dimension { Voltage, Current, Resistance, Capacitance, Time, Frequency, Power, Temperature };

// A unit as the windows print it after a value, blank included: " Ом".
struct Unit
{
    const char16_t *suffix;
    Dimension dimension;
    // The unit this one is written for: the windows print some units with Latin letters that look like
    // the Cyrillic ones, " B" for " В". A unit that is its own spelling names itself.
    const char16_t *spelledAs;
    // The power of ten of the unit in its dimension's base unit: -3 for " мА".
    int powerOfTen;
};

// The unit of the suffix, or nullptr when no window prints it.
const Unit *FindUnit(QStringView suffix);

// Whether the suffix is a resistance or a capacitance unit, the parts that come in standard values.
bool IsStandardPartUnit(QStringView suffix);

// The value in one unit written in another of the same dimension, "50" мкА as "0,05" мА; none when the
// suffixes are not units of one dimension.
std::optional<long double> InUnit(long double value, QStringView from, QStringView to);
