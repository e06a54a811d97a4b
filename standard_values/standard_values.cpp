#include "standard_values/standard_values.h"

#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"
#include "standard_values/e24.h"
#include "standard_values/units.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

const QString kMinus = QStringLiteral("\u2212");

// Neighbours for every value, or none at all.
std::optional<std::vector<E24Neighbours>> NeighboursOfAll(const std::vector<double> &values, const QString &unit)
{
    if (values.empty() || !IsStandardPartUnit(unit))
        return std::nullopt;
    std::vector<E24Neighbours> all;
    for (double value : values) {
        const std::optional<E24Neighbours> neighbours = NeighboursInE24(value);
        if (!neighbours)
            return std::nullopt;
        all.push_back(*neighbours);
    }
    return all;
}

QString Spelled(const QString &unit)
{
    return QString::fromUtf16(FindUnit(unit)->spelledAs);
}

QString ValueWithUnit(long double value, const QString &unit)
{
    return NumberToText(value) + Spelled(unit);
}

// "+6,9 %": one decimal, in the window's number text.
QString Deviation(long double standard, double value)
{
    const double percent = double(std::fabs((standard - value) / value * 100));
    QString digits = QString::number(percent, 'f', 1);
    digits.replace(QLatin1Char('.'), QLatin1Char(DecimalMark));
    return (standard < value ? kMinus : QStringLiteral("+")) + digits + QStringLiteral(" %");
}

QString NeighboursText(const E24Neighbours &neighbours, double value, const QString &unit)
{
    if (neighbours.inSeries())
        return ValueWithUnit(neighbours.below, unit) + QStringLiteral(" (значение ряда)");
    return ValueWithUnit(neighbours.below, unit) + QStringLiteral(" (") + Deviation(neighbours.below, value)
        + QStringLiteral(") · ") + ValueWithUnit(neighbours.above, unit) + QStringLiteral(" (")
        + Deviation(neighbours.above, value) + QLatin1Char(')');
}

std::optional<long double> Marked(const std::vector<E24Neighbours> &neighbours, AllowedSide side)
{
    if (neighbours.size() != 1 || side == AllowedSide::Either)
        return std::nullopt;
    return side == AllowedSide::Below ? neighbours[0].below : neighbours[0].above;
}

long double Nearest(const E24Neighbours &neighbours, double value)
{
    return value - neighbours.below < neighbours.above - value ? neighbours.below : neighbours.above;
}

} // namespace

AllowedSide AllowedSideInCaption(const QString &caption)
{
    static const QRegularExpression kNotALetter(QStringLiteral("[^\\w]+"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = caption.toLower().split(kNotALetter, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const bool negated = i > 0 && words[i - 1] == QStringLiteral("не");
        if (words[i] == QStringLiteral("более"))
            return negated ? AllowedSide::Below : AllowedSide::Above;
        if (words[i] == QStringLiteral("менее"))
            return negated ? AllowedSide::Above : AllowedSide::Below;
        if (words[i] == QStringLiteral("до"))
            return AllowedSide::Below;
    }
    return AllowedSide::Either;
}

QString DesignatorIn(const QString &words)
{
    // A resistor's or capacitor's letter (Latin R or C, Cyrillic С) and a short index: "Сопротивление"
    // is a word, "Сэ" a designator.
    static const QRegularExpression kDesignator(QStringLiteral("(?<![\\w.])[RCС][\\w.]{0,3}(?![\\w.])"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    return kDesignator.match(words).captured();
}

QString StandardValuesText(const std::vector<double> &values, const QString &unit, AllowedSide side)
{
    const std::optional<std::vector<E24Neighbours>> neighbours = NeighboursOfAll(values, unit);
    if (!neighbours)
        return {};
    QStringList ends;
    for (size_t i = 0; i < values.size(); ++i)
        ends << NeighboursText((*neighbours)[i], values[i], unit);
    QString text = QStringLiteral("E24: ") + ends.join(QStringLiteral(" ... "));
    if (const std::optional<long double> marked = Marked(*neighbours, side))
        text += QStringLiteral(" — принять ") + ValueWithUnit(*marked, unit);
    return text;
}

QString MarkedStandardValueText(const std::vector<double> &values, const QString &unit, AllowedSide side)
{
    const std::optional<std::vector<E24Neighbours>> neighbours = NeighboursOfAll(values, unit);
    if (!neighbours)
        return {};
    const std::optional<long double> marked = Marked(*neighbours, side);
    return marked ? QStringLiteral("E24: ") + ValueWithUnit(*marked, unit) : QString();
}

std::optional<long double> StandardValueToAccept(const std::vector<double> &values, const QString &unit,
                                                 AllowedSide side)
{
    const std::optional<std::vector<E24Neighbours>> neighbours = NeighboursOfAll(values, unit);
    if (!neighbours)
        return std::nullopt;
    if (const std::optional<long double> marked = Marked(*neighbours, side))
        return marked;
    const E24Neighbours &first = neighbours->front();
    if (neighbours->size() > 1) {
        const long double firstInside = first.inSeries() ? first.below : first.above;
        if (firstInside <= values.back())
            return firstInside;
    }
    return Nearest(first, values.front());
}
