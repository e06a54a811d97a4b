#include "arithmetic/extended.h"

#include "number_text/number_text.h"

#include <cmath>

namespace {

using Fault = Extended::Fault;

// Operands that carry no fault are finite, so an infinite result can only be an overflow.
Fault OverflowIfInfinite(long double value)
{
    return std::isinf(value) ? Fault::Overflow : Fault::None;
}

[[noreturn]] void Raise(Fault fault)
{
    switch (fault) {
    case Fault::ZeroDivide:
        throw EZeroDivide();
    case Fault::InvalidOp:
        throw EInvalidOp();
    case Fault::Overflow:
    case Fault::None:
        break;
    }
    throw EOverflow();
}

} // namespace

Extended::Extended(const Quantity &quantity) : value_(quantity.value()) {}

long double Extended::value() const
{
    if (fault_ != Fault::None)
        Raise(fault_);
    return value_;
}

Extended Extended::Result(const Extended &a, const Extended &b, long double value, Fault own)
{
    if (a.fault_ != Fault::None)
        return {value, a.fault_};
    return Result(b, value, own);
}

Extended Extended::Result(const Extended &a, long double value, Fault own)
{
    return {value, a.fault_ != Fault::None ? a.fault_ : own};
}

Extended operator+(const Extended &a, const Extended &b)
{
    const long double sum = a.value_ + b.value_;
    return Extended::Result(a, b, sum, OverflowIfInfinite(sum));
}

Extended operator-(const Extended &a, const Extended &b)
{
    const long double difference = a.value_ - b.value_;
    return Extended::Result(a, b, difference, OverflowIfInfinite(difference));
}

Extended operator*(const Extended &a, const Extended &b)
{
    const long double product = a.value_ * b.value_;
    return Extended::Result(a, b, product, OverflowIfInfinite(product));
}

Extended operator/(const Extended &a, const Extended &b)
{
    if (b.value_ == 0) {
        const Fault own = a.value_ == 0 ? Fault::InvalidOp : Fault::ZeroDivide;
        return Extended::Result(a, b, std::nanl(""), own);
    }
    const long double quotient = a.value_ / b.value_;
    return Extended::Result(a, b, quotient, OverflowIfInfinite(quotient));
}

Extended Sqrt(const Extended &a)
{
    if (a.value_ < 0)
        return Extended::Result(a, std::nanl(""), Fault::InvalidOp);
    return Extended::Result(a, std::sqrt(a.value_), Fault::None);
}

Extended Ln(const Extended &a)
{
    if (a.value_ == 0)
        return Extended::Result(a, -HUGE_VALL, Fault::ZeroDivide);
    if (a.value_ < 0)
        return Extended::Result(a, std::nanl(""), Fault::InvalidOp);
    return Extended::Result(a, std::log(a.value_), Fault::None);
}

Extended Exp(const Extended &a)
{
    const long double power = std::exp(a.value_);
    return Extended::Result(a, power, OverflowIfInfinite(power));
}

Quantity &Quantity::operator=(const Extended &result)
{
    const double stored = double(result.value());
    if (std::isinf(stored))
        throw EOverflow();
    value_ = stored;
    return *this;
}

ResultText NumberToText(const Extended &value)
{
    return ResultText(value.value());
}
