// Reads any bytes as a typed text, or as 80-bit bit patterns, and checks what the number text always keeps.
//
// The first byte chooses: bit 0 the decimal mark ("." or ","); bits 1 and 2 what the other bytes are:
// 0 a Latin-1 text, 1 a UTF-8 text, 2 a text of raw UTF-16 code units (so zero characters and lone
// surrogates get in), 3 a run of 10-byte patterns (significand, then sign and exponent, little-endian; the last
// one padded with zero bytes).

#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void Fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: \"%s\" (decimal mark '%c')\n", what, text.toUtf8().constData(), DecimalMark);
    std::abort();
}

bool IsSpecial(const QString &text)
{
    return text == QLatin1String("INF") || text == QLatin1String("-INF") || text == QLatin1String("NAN");
}

// The shape of a printed number: an optional "-"; then either one digit, perhaps a fraction, and an exponent with
// no "+" and no leading zero, or digits with no leading zero and perhaps a fraction. A fraction never ends in 0.
bool IsNumberShaped(const QString &text)
{
    const auto shape = [](const char *pattern) {
        return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern)));
    };
    static const QRegularExpression kShapes[2][2] = {
        {shape("-?[1-9](\\.[0-9]*[1-9])?E-?[1-9][0-9]*"), shape("-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?")},
        {shape("-?[1-9](,[0-9]*[1-9])?E-?[1-9][0-9]*"), shape("-?(0|[1-9][0-9]*)(,[0-9]*[1-9])?")}};
    for (const QRegularExpression &notation : kShapes[DecimalMark == ',' ? 1 : 0])
        if (notation.match(text).hasMatch())
            return text != QLatin1String("-0");
    return false;
}

int SignificantDigitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text.left(text.indexOf(QLatin1Char('E'))))
        if (c.isDigit())
            digits += c;
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return int(digits.size());
}

// K of 0.d1d2... x 10^K for a number-shaped text other than "0".
int DecimalExponentOf(const QString &text)
{
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    const QString mantissa = text.left(e < 0 ? text.size() : e).remove(QLatin1Char('-'));
    const int scientific = e < 0 ? 0 : text.mid(e + 1).toInt();
    const qsizetype mark = mantissa.indexOf(QLatin1Char(DecimalMark));
    const qsizetype integerDigits = mark < 0 ? mantissa.size() : mark;
    if (mantissa.front() != QLatin1Char('0'))
        return int(integerDigits) + scientific;
    qsizetype zeros = 0;
    while (mantissa[mark + 1 + zeros] == QLatin1Char('0'))
        ++zeros;
    return -int(zeros) + scientific;
}

int ExponentFieldOf(long double value)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    return (bytes[8] | bytes[9] << 8) & 0x7FFF;
}

// The printed text of `value`, whose number is `meaning` (they differ only for patterns the floating point unit
// never makes): it has the shape of a number, lies within half a unit of its 15th digit, and reads back to a
// value with the same text.
void CheckPrinted(long double value, long double meaning)
{
    const QString text = NumberToText(value);
    if (IsSpecial(text)) {
        if (ExponentFieldOf(value) != 0x7FFF)
            Fail("a finite value printed as a special value", text);
        return;
    }
    if (ExponentFieldOf(value) == 0x7FFF)
        Fail("an infinity or NaN printed as a number", text);
    if (text.size() > 23 || !IsNumberShaped(text))
        Fail("not the shape of a number", text);
    if (SignificantDigitsOf(text) > 15)
        Fail("more than 15 significant digits", text);
    if (text == QLatin1String("0")) {
        if (ExponentFieldOf(value) != 0 && std::fabs(meaning) >= LDBL_MIN)
            Fail("a normal value printed as 0", text);
        return;
    }
    if (text.startsWith(QLatin1Char('-')) != std::signbit(meaning))
        Fail("the sign is lost", text);
    // Scientific notation exactly from 1E15 up and below 1E-4.
    const int exponent = DecimalExponentOf(text);
    if (text.contains(QLatin1Char('E')) != (exponent > 15 || exponent < -3))
        Fail("fixed and scientific notation swapped", text);

    long double readBack = 0;
    try {
        readBack = NumberFromText(text);
    } catch (const EConvertError &) {
        Fail("a printed text does not read back", text);
    }
    // Half a unit, and a little for the 18-digit integer the rounding starts from and for reading back.
    const long double unit = std::pow(10.0L, exponent - 15);
    if (std::fabs(meaning - readBack) > 0.502L * unit)
        Fail("the text is further than half a unit of its 15th digit from the value", text);
    // The lowest texts of the normal range can read back just below it, where every value prints as 0.
    const QString again = NumberToText(readBack);
    if (again != text && !(again == QLatin1String("0") && std::fabs(readBack) < LDBL_MIN))
        Fail("the text read back prints differently", text + QStringLiteral("\" then \"") + again);
}

void CheckText(const QString &text)
{
    long double value = 0;
    try {
        value = NumberFromText(text);
    } catch (const EConvertError &error) {
        if (error.message() != QLatin1Char('\'') + text + QStringLiteral("' is not a valid floating point value"))
            Fail("the message does not quote the text", error.message());
        return;
    }
    if (!std::isfinite(value))
        Fail("an accepted text gives no finite value", text);
    CheckPrinted(value, value);
}

long double FromPattern(const unsigned char *pattern)
{
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, pattern, 10);
    long double value;
    std::memcpy(&value, bytes, sizeof bytes);
    return value;
}

// The number a finite pattern stands for, however its significand is normalised: significand x 2^(e - 16383 - 63),
// with the exponent of a zero field taken as 1.
long double MeaningOfPattern(const unsigned char *pattern)
{
    std::uint64_t significand;
    std::memcpy(&significand, pattern, 8);
    const int signAndExponent = pattern[8] | pattern[9] << 8;
    const int exponentField = std::max(signAndExponent & 0x7FFF, 1);
    const long double magnitude = std::ldexp(static_cast<long double>(significand), exponentField - 16383 - 63);
    return signAndExponent & 0x8000 ? -magnitude : magnitude;
}

void CheckPatterns(const std::uint8_t *data, std::size_t size)
{
    for (std::size_t offset = 0; offset < size; offset += 10) {
        unsigned char pattern[10] = {};
        std::memcpy(pattern, data + offset, std::min<std::size_t>(10, size - offset));
        const long double value = FromPattern(pattern);
        CheckPrinted(value, ExponentFieldOf(value) == 0x7FFF ? value : MeaningOfPattern(pattern));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    DecimalMark = selector & 1 ? ',' : '.';
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const std::size_t length = size - 1;
    switch ((selector >> 1) & 3) {
    case 0:
        CheckText(QString::fromLatin1(rest, qsizetype(length)));
        break;
    case 1:
        CheckText(QString::fromUtf8(rest, qsizetype(length)));
        break;
    case 2: {
        QString units(qsizetype(length / 2), Qt::Uninitialized);
        if (!units.isEmpty())
            std::memcpy(units.data(), rest, std::size_t(units.size()) * 2);
        CheckText(units);
        break;
    }
    default:
        CheckPatterns(data + 1, length);
        break;
    }
    return 0;
}
