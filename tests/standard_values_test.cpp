#include "arithmetic/extended.h"
#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"
#include "standard_values/e24.h"
#include "standard_values/standard_values.h"
#include "standard_values/units.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

TEST(E24, NeighboursAtTheDecadeEdgesAndInTheSeries)
{
    const struct
    {
        long double value, below, above;
    } kCases[] = {
        {0.99L, 0.91L, 1},
        {9.95L, 9.1L, 10},
        {2057.14285714286L, 2000, 2200},
        {9.9999999999999999L, 10, 10}, // printed as 10
        {1.00000000000001L, 1, 1.1L},  // printed with its last digit
        {9.5e14L, 9.1e14L, 1e15L},
        {4.7e-12L, 4.7e-12L, 4.7e-12L},
    };
    for (const auto &c : kCases) {
        const std::optional<E24Neighbours> neighbours = NeighboursInE24(c.value);
        ASSERT_TRUE(neighbours) << double(c.value);
        EXPECT_EQ(std::pair(neighbours->below, neighbours->above), std::pair(c.below, c.above)) << double(c.value);
    }
    for (long double none : {0.0L, -0.0L, -4.7L, 1e15L, 1e300L, std::numeric_limits<long double>::infinity(),
                             std::numeric_limits<long double>::quiet_NaN()})
        EXPECT_FALSE(NeighboursInE24(none)) << double(none);
}

TEST(StandardValues, TextMarksTheSideTheCaptionAllows)
{
    DecimalMark = ',';
    const struct
    {
        std::vector<double> values;
        const char *unit;
        const char *caption;
        const char *accepted;
        const char *text;
    } kCases[] = {
        {{2057.14}, " Ом", "не более", "2000", "E24: 2000 Ом (−2,8 %) · 2200 Ом (+6,9 %) — принять 2000 Ом"},
        {{395.284707521047}, " Ом", "Rк2, не менее", "430", "E24: 390 Ом (−1,3 %) · 430 Ом (+8,8 %) — принять 430 Ом"},
        {{2200}, " Ом", "ток более", "2200", "E24: 2200 Ом (значение ряда) — принять 2200 Ом"},
        {{0.95}, " мкФ", "ёмкость менее", "0,91", "E24: 0,91 мкФ (−4,2 %) · 1 мкФ (+5,3 %) — принять 0,91 мкФ"},
        {{9.5}, " Ф", "напряжение до", "9,1", "E24: 9,1 Ф (−4,2 %) · 10 Ф (+5,3 %) — принять 9,1 Ф"},
        {{46}, " пФ", "Ёмкость конденсаторов С", "47", "E24: 43 пФ (−6,5 %) · 47 пФ (+2,2 %)"},
        {{1750, 1790},
         " Ом",
         "",
         "1800",
         "E24: 1600 Ом (−8,6 %) · 1800 Ом (+2,9 %) ... 1600 Ом (−10,6 %) · 1800 Ом (+0,6 %)"},
        {{5}, " B", "Амплитуда, не более", "", ""},
        {{100, 1e300}, " Ом", "", "", ""},
    };
    for (const auto &c : kCases) {
        const QString unit = QString::fromUtf8(c.unit);
        const AllowedSide side = AllowedSideInCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(StandardValuesText(c.values, unit, side).toStdString(), c.text) << c.caption;
        const std::optional<long double> accepted = StandardValueToAccept(c.values, unit, side);
        EXPECT_EQ(accepted ? NumberToText(*accepted).toStdString() : "", c.accepted) << c.caption;
    }
}

TEST(StandardValues, DesignatorsAndUnitsAsTheWindowsPrintThem)
{
    const char *const kDesignators[][2] = {
        {"Сопротивление резистора Rк1, не более", "Rк1"},
        {"Примем ёмкости конденсаторов С, пФ", "С"},
        {"Rк.б, Ом", "Rк.б"},
        {"Примем ток I'к1, мА", ""},
    };
    for (const auto &[words, designator] : kDesignators)
        EXPECT_EQ(DesignatorIn(QString::fromUtf8(words)).toStdString(), designator) << words;
    EXPECT_EQ(QString::fromUtf16(FindUnit(u" B")->spelledAs), QStringLiteral(" В"));
    EXPECT_FALSE(IsStandardPartUnit(u" С")) << "degrees, not a capacitor";
}

TEST(ResultText, KeepsThePrintedValuesAndTheUnit)
{
    DecimalMark = ',';
    const ResultText range = NumberToText(Extended(7.5L)) + "..." + NumberToText(Extended(8)) + " В";
    EXPECT_EQ(QString(range), QStringLiteral("7,5...8 В"));
    EXPECT_EQ(range.values(), (std::vector<long double>{7.5L, 8}));
    EXPECT_EQ(range.unit(), QStringLiteral(" В"));
}

} // namespace
