#include "design/accept_rule.h"

#include "number_text/number_text.h"
#include "standard_values/e24.h"
#include "standard_values/standard_values.h"
#include "standard_values/units.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// «более» and «менее» without «не» exclude the bound itself.
bool ExcludesBound(const QString &caption)
{
    static const QRegularExpression kNotALetter(QStringLiteral("[^\\w]+"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = caption.toLower().split(kNotALetter, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == QStringLiteral("более") || words[i] == QStringLiteral("менее"))
            return i == 0 || words[i - 1] != QStringLiteral("не");
    }
    return false;
}

// Six significant digits, written as the window writes its numbers: "2057,14", "3084020", "1,23457E-5".
QString Short(long double value)
{
    return NumberToText(QString::number(double(value), 'g', 6).toDouble());
}

// The E24 values on either side of the value, past it when it is in the series; the series' steps are
// over 4 %, so a value a hundredth of a percent off lies between the same neighbours.
long double Below(long double value, bool excluding)
{
    const E24Neighbours neighbours = *NeighboursInE24(value);
    return excluding && neighbours.inSeries() ? NeighboursInE24(value * 0.9999L)->below : neighbours.below;
}

long double Above(long double value, bool excluding)
{
    const E24Neighbours neighbours = *NeighboursInE24(value);
    return excluding && neighbours.inSeries() ? NeighboursInE24(value * 1.0001L)->above : neighbours.above;
}

} // namespace

CaptionBound BoundInCaption(const QString &caption)
{
    return {AllowedSideInCaption(caption), ExcludesBound(caption)};
}

std::optional<AcceptedValue> ValueToAccept(const std::vector<double> &values, const QString &resultUnit,
                                           const QString &caption, const QString &boxUnit)
{
    return ValueToAccept(values, resultUnit, BoundInCaption(caption), boxUnit);
}

std::optional<AcceptedValue> ValueToAccept(const std::vector<double> &values, const QString &resultUnit,
                                           const CaptionBound &bound, const QString &boxUnit)
{
    const QString unit = boxUnit.isEmpty() ? resultUnit : QLatin1Char(' ') + boxUnit;
    std::vector<long double> inBoxUnit;
    for (double value : values) {
        const std::optional<long double> converted = InUnit(value, resultUnit, unit);
        if (!converted || !NeighboursInE24(*converted))
            return std::nullopt;
        inBoxUnit.push_back(*converted);
    }
    if (inBoxUnit.empty() || inBoxUnit.size() > 2)
        return std::nullopt;
    const QString spelled = QString::fromUtf16(FindUnit(unit)->spelledAs);
    const AllowedSide side = bound.side;
    const long double first = inBoxUnit.front();
    if (inBoxUnit.size() == 2) {
        const long double last = inBoxUnit.back();
        const QString range = Short(first) + QStringLiteral("...") + Short(last) + spelled;
        const long double inside = Above(first, false);
        if (inside <= last)
            return AcceptedValue{AcceptKind::SmallestInRange, inside,
                                 QStringLiteral("наименьшее E24 в пределах ") + range};
        const bool upper = side == AllowedSide::Above;
        return AcceptedValue{AcceptKind::EndOfRange, upper ? last : first,
                             (upper ? QStringLiteral("верхняя") : QStringLiteral("нижняя"))
                                 + QStringLiteral(" граница диапазона ") + range};
    }
    const bool excluding = bound.excluding;
    const QString boundText = Short(first) + spelled;
    switch (side) {
    case AllowedSide::Below:
        return AcceptedValue{AcceptKind::BelowBound, Below(first, excluding),
                             QStringLiteral("ближайшее E24 ")
                                 + (excluding ? QStringLiteral("менее ") : QStringLiteral("не более ")) + boundText};
    case AllowedSide::Above:
        return AcceptedValue{AcceptKind::AboveBound, Above(first, excluding),
                             QStringLiteral("ближайшее E24 ")
                                 + (excluding ? QStringLiteral("более ") : QStringLiteral("не менее ")) + boundText};
    case AllowedSide::Either:
        break;
    }
    const long double below = Below(first, false), above = Above(first, false);
    return AcceptedValue{AcceptKind::Nearest, first - below < above - first ? below : above,
                         QStringLiteral("ближайшее E24 к ") + boundText};
}
