#pragma once

#include "standard_values/standard_values.h"

#include <QString>

#include <optional>
#include <vector>

// The standard value an accept box («Примем ...») takes from the result before it, by one rule for each
// kind of result:
// - one value the caption bounds («не более», «не менее», «более», «менее», «до»): the nearest E24 value
//   on the allowed side, past the bound itself when the caption excludes it;
// - one value with no bound: the nearest E24 value;
// - a range «a...b»: the smallest E24 value inside it, else the end the caption favours (b after «более»,
//   a otherwise).
// Resistances, capacitances, voltages and currents alike, in the unit the box shows.
enum class AcceptKind { BelowBound, AboveBound, Nearest, SmallestInRange, EndOfRange };

struct AcceptedValue
{
    AcceptKind kind;
    long double value;
    QString how; // for the box's tooltip: "ближайшее E24 не более 2057,14 Ом"
};

// What a result's caption says of its bound: the side it allows, and whether it excludes the bound itself.
struct CaptionBound
{
    AllowedSide side = AllowedSide::Either;
    bool excluding = false;
};
CaptionBound BoundInCaption(const QString &caption);

// values and resultUnit as the window's model keeps them (" мкА"); boxUnit as the box shows it after
// itself ("мА"), empty for the result's own unit. None when the result holds no number, or its unit is
// not the box's dimension.
std::optional<AcceptedValue> ValueToAccept(const std::vector<double> &values, const QString &resultUnit,
                                           const QString &caption, const QString &boxUnit);
// The same with the caption read once: a design reads each caption once for all its variants.
std::optional<AcceptedValue> ValueToAccept(const std::vector<double> &values, const QString &resultUnit,
                                           const CaptionBound &bound, const QString &boxUnit);
