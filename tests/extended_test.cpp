#include "arithmetic/extended.h"
#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>

namespace {

using Fault = Extended::Fault;

struct FormulaCase
{
    const char *formula;
    std::function<Extended()> evaluate;
    Fault fault;
};

const Extended kZero = 0;
const Extended kOne = 1;

const FormulaCase kFormulaCases[] = {
    {"1 / 0", [] { return kOne / kZero; }, Fault::ZeroDivide},
    {"-1 / 0", [] { return -1 / kZero; }, Fault::ZeroDivide},
    {"0 / 0", [] { return kZero / kZero; }, Fault::InvalidOp},
    {"sqrt(-1)", [] { return Sqrt(-1); }, Fault::InvalidOp},
    {"sqrt(-0)", [] { return Sqrt(-0.0L); }, Fault::None},
    {"ln 0", [] { return Ln(kZero); }, Fault::ZeroDivide},
    {"ln -1", [] { return Ln(-1); }, Fault::InvalidOp},
    {"exp 100000", [] { return Exp(100000); }, Fault::Overflow},
    {"exp -100000 underflows silently", [] { return Exp(-100000); }, Fault::None},
    {"max x 2", [] { return Extended(LDBL_MAX) * 2; }, Fault::Overflow},
    {"max + max", [] { return Extended(LDBL_MAX) + LDBL_MAX; }, Fault::Overflow},
    {"-max - max", [] { return Extended(-LDBL_MAX) - LDBL_MAX; }, Fault::Overflow},
    {"max / 0.5", [] { return Extended(LDBL_MAX) / 0.5L; }, Fault::Overflow},
    {"tiny x tiny is silent", [] { return Extended(LDBL_MIN) * LDBL_MIN; }, Fault::None},
    // The first fault in left-to-right order wins, whichever half is evaluated first.
    {"(1/0) + (0/0)", [] { return kOne / kZero + kZero / kZero; }, Fault::ZeroDivide},
    {"(0/0) + (1/0)", [] { return kZero / kZero + kOne / kZero; }, Fault::InvalidOp},
    {"(1/0) x ln -1", [] { return (kOne / kZero) * Ln(-1); }, Fault::ZeroDivide},
    {"ln -1 x (1/0)", [] { return Ln(-1) * (kOne / kZero); }, Fault::InvalidOp},
    {"sqrt(-1) / 0: the operand before the operation", [] { return Sqrt(-1) / kZero; }, Fault::InvalidOp},
    {"1 / (0/0): the divisor's own fault before the division's", [] { return kOne / (kZero / kZero); },
     Fault::InvalidOp},
    {"exp(ln 0): a fault carries through", [] { return Exp(Ln(kZero)); }, Fault::ZeroDivide},
    {"(max x 2) / 0", [] { return Extended(LDBL_MAX) * 2 / kZero; }, Fault::Overflow},
    {"2 - 3 x (1/0)", [] { return 2 - 3 * (kOne / kZero); }, Fault::ZeroDivide},
};

TEST(Extended, ReportsTheFirstFaultOfAFormula)
{
    for (const FormulaCase &c : kFormulaCases)
        EXPECT_EQ(c.evaluate().fault(), c.fault) << c.formula;
}

TEST(Extended, RaisesTheFaultWhenTheResultIsStoredOrPrinted)
{
    Quantity q;
    q = 5;
    EXPECT_THROW(q = kOne / kZero, EZeroDivide);
    EXPECT_THROW(q = kZero / kZero, EInvalidOp);
    EXPECT_THROW(q = Exp(100000), EOverflow);
    EXPECT_EQ(q.value(), 5) << "a faulting action stores nothing";
    EXPECT_THROW(NumberToText(kOne / kZero), EZeroDivide);
    EXPECT_EQ(NumberToText(Extended(q) * 2), QStringLiteral("10"));
}

TEST(Extended, FaultMessagesAreThoseOfTheFloatingPointUnit)
{
    EXPECT_EQ(EZeroDivide().message(), QStringLiteral("Floating point division by zero"));
    EXPECT_EQ(EInvalidOp().message(), QStringLiteral("Invalid floating point operation"));
    EXPECT_EQ(EOverflow().message(), QStringLiteral("Floating point overflow"));
}

TEST(Extended, StoringRoundsToDoubleAndOverflowsBeyondItsRange)
{
    DecimalMark = '.';
    Quantity q;
    q = 1.0L / 3;
    EXPECT_EQ(q.value(), 1.0 / 3);
    q = NumberFromText(QStringLiteral("1E-4999"));
    EXPECT_EQ(q.value(), 0);
    q = 1e-320L; // a double denormal, silently
    EXPECT_EQ(q.value(), 1e-320);
    q = 7;
    EXPECT_THROW(q = NumberFromText(QStringLiteral("1E400")), EOverflow);
    EXPECT_THROW(q = NumberFromText(QStringLiteral("-1E309")), EOverflow);
    EXPECT_EQ(q.value(), 7);
    // Just above the largest double, but rounding down to it.
    q = LDBL_EPSILON * DBL_MAX + DBL_MAX;
    EXPECT_EQ(q.value(), DBL_MAX);
}

TEST(Extended, PrintedExpressionsKeepExtendedPrecision)
{
    DecimalMark = ',';
    Quantity c;
    c = 46e-12L; // stored as a double close to, not at, 46e-12
    EXPECT_EQ(NumberToText(1e12L * c), QStringLiteral("46"));
    DecimalMark = '.';
}

} // namespace
