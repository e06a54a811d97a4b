#include "standard_values/units.h"

#include "number_text/power_of_ten.h"

namespace {

constexpr Unit kUnits[] = {
    {u" В", Dimension::Voltage, u" В", 0},         {u" B", Dimension::Voltage, u" В", 0},
    {u" мА", Dimension::Current, u" мА", -3},      {u" мA", Dimension::Current, u" мА", -3},
    {u" А", Dimension::Current, u" А", 0},         {u" A", Dimension::Current, u" А", 0},
    {u" мкА", Dimension::Current, u" мкА", -6},    {u" Ом", Dimension::Resistance, u" Ом", 0},
    {u" пФ", Dimension::Capacitance, u" пФ", -12}, {u" мкФ", Dimension::Capacitance, u" мкФ", -6},
    {u" Ф", Dimension::Capacitance, u" Ф", 0},     {u" мкс", Dimension::Time, u" мкс", -6},
    {u" кГц", Dimension::Frequency, u" кГц", 3},   {u" МГц", Dimension::Frequency, u" МГц", 6},
    {u" Вт", Dimension::Power, u" Вт", 0},         {u" С", Dimension::Temperature, u" С", 0},
};

} // namespace

const Unit *FindUnit(QStringView suffix)
{
    for (const Unit &unit : kUnits) {
        if (suffix == QStringView(unit.suffix))
            return &unit;
    }
    return nullptr;
}

bool IsStandardPartUnit(QStringView suffix)
{
    const Unit *unit = FindUnit(suffix);
    return unit && (unit->dimension == Dimension::Resistance || unit->dimension == Dimension::Capacitance);
}

std::optional<long double> InUnit(long double value, QStringView from, QStringView to)
{
    const Unit *source = FindUnit(from);
    const Unit *target = FindUnit(to);
    if (!source || !target || source->dimension != target->dimension)
        return std::nullopt;
    if (source->powerOfTen == target->powerOfTen)
        return value;
    return ScaleByPowerOfTen(value, source->powerOfTen - target->powerOfTen);
}
