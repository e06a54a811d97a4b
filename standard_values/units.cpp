#include "standard_values/units.h"

namespace {

constexpr Unit kUnits[] = {
    {u" В", Dimension::Voltage, u" В"},       {u" B", Dimension::Voltage, u" В"},
    {u" мА", Dimension::Current, u" мА"},     {u" мA", Dimension::Current, u" мА"},
    {u" А", Dimension::Current, u" А"},       {u" A", Dimension::Current, u" А"},
    {u" мкА", Dimension::Current, u" мкА"},   {u" Ом", Dimension::Resistance, u" Ом"},
    {u" пФ", Dimension::Capacitance, u" пФ"}, {u" мкФ", Dimension::Capacitance, u" мкФ"},
    {u" Ф", Dimension::Capacitance, u" Ф"},   {u" мкс", Dimension::Time, u" мкс"},
    {u" кГц", Dimension::Frequency, u" кГц"}, {u" МГц", Dimension::Frequency, u" МГц"},
    {u" Вт", Dimension::Power, u" Вт"},       {u" С", Dimension::Temperature, u" С"},
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
