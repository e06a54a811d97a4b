#pragma once

#include "arithmetic/result_text.h"
#include "number_text/exception.h"

#include <QString>

class EMathError : public Exception
{
public:
    using Exception::Exception;
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide() : EMathError(QStringLiteral("Floating point division by zero")) {}
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp() : EMathError(QStringLiteral("Invalid floating point operation")) {}
};

class EOverflow : public EMathError
{
public:
    EOverflow() : EMathError(QStringLiteral("Floating point overflow")) {}
};

class Quantity;
class Extended;

// Declared here, not only as friends, so that formulas of plain quantities and constants find them.
Extended operator+(const Extended &a, const Extended &b);
Extended operator-(const Extended &a, const Extended &b);
Extended operator*(const Extended &a, const Extended &b);
Extended operator/(const Extended &a, const Extended &b);
Extended Sqrt(const Extended &a);
Extended Ln(const Extended &a);
Extended Exp(const Extended &a);

// An 80-bit intermediate of a step formula. Each operation is checked as it happens, and the value
// carries the first fault of its own sub-expression: the left operand's before the right one's, both
// before the operation's own. So the fault reported is the first in the formula's left-to-right order,
// whichever half the compiler evaluates first. It is raised when the result is stored or printed.
class Extended
{
public:
    enum class Fault : unsigned char { None, ZeroDivide, InvalidOp, Overflow };

    Extended(long double value) : value_(value) {}
    Extended(int value) : value_(value) {}
    // A double literal would enter a formula already rounded to 53 bits: write 1.1L, not 1.1.
    Extended(double) = delete;
    Extended(const Quantity &quantity);

    // The value, or the pending fault raised.
    long double value() const;
    Fault fault() const { return fault_; }

    friend Extended operator+(const Extended &a, const Extended &b);
    friend Extended operator-(const Extended &a, const Extended &b);
    friend Extended operator*(const Extended &a, const Extended &b);
    friend Extended operator/(const Extended &a, const Extended &b);
    friend Extended Sqrt(const Extended &a);
    friend Extended Ln(const Extended &a);
    friend Extended Exp(const Extended &a);

private:
    Extended(long double value, Fault fault) : value_(value), fault_(fault) {}
    static Extended Result(const Extended &a, const Extended &b, long double value, Fault own);
    static Extended Result(const Extended &a, long double value, Fault own);

    long double value_;
    Fault fault_ = Fault::None;
};

// A window quantity: a double, 0 until a step stores into it. Storing raises the formula's pending
// fault, or EOverflow when the value does not fit a double; either way the quantity keeps its old value.
class Quantity
{
public:
    Quantity &operator=(const Extended &result);
    double value() const { return value_; }

private:
    double value_ = 0.0;
};

// The text of a printed value, which keeps the value; raises the formula's pending fault first.
ResultText NumberToText(const Extended &value);
