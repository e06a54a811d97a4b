#pragma once

#include <QString>

#include <optional>
#include <vector>

// Which side of a computed bound the caption allows: «не более», «менее» and «до» keep below it,
// «не менее» and «более» above it.
enum class AllowedSide { Either, Below, Above };
AllowedSide AllowedSideInCaption(const QString &caption);

// The part a caption or prompt names, "Rк1", "Rк.б", "С", "Ср"; empty when it names none.
QString DesignatorIn(const QString &words);

// What a result label tells beside a resistance or capacitance, its values in the printed unit: the
// E24 neighbours of each value with their deviations, and, when the caption bounds a single value,
// the one to accept:
// "E24: 2000 Ом (−2,8 %) · 2200 Ом (+6,9 %) — принять 2000 Ом". Empty for any other unit, or when a
// value has no neighbours.
QString StandardValuesText(const std::vector<double> &values, const QString &unit, AllowedSide side);

// The marked value alone, "E24: 2000 Ом", for a report that prints it beside the result; empty when
// none is marked.
QString MarkedStandardValueText(const std::vector<double> &values, const QString &unit, AllowedSide side);

// The standard value an accept box is offered: the marked one, else for a single value its nearest
// neighbour, for a range the first series value inside it (or, when none is, the nearest to its lower end).
std::optional<long double> StandardValueToAccept(const std::vector<double> &values, const QString &unit,
                                                 AllowedSide side);
