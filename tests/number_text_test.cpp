#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Every expected text is written with ","; under "." the same text results with "." in its place.
class NumberTextTest : public ::testing::TestWithParam<char>
{
protected:
    void SetUp() override { DecimalMark = GetParam(); }
    void TearDown() override { DecimalMark = '.'; }

    QString Marked(const char *text) const
    {
        QString marked = QString::fromUtf8(text);
        for (QChar &c : marked) {
            if (c == QLatin1Char(','))
                c = QLatin1Char(DecimalMark);
            else if (c == QLatin1Char('.') && DecimalMark == '.')
                c = QLatin1Char(','); // the foreign separator stays foreign
        }
        return marked;
    }
};

INSTANTIATE_TEST_SUITE_P(BothMarks, NumberTextTest, ::testing::Values(',', '.'),
                         [](const auto &info) { return info.param == ',' ? "Comma" : "FullStop"; });

struct ToTextCase
{
    long double value;
    const char *text;
};

const ToTextCase kToTextCases[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {1.0, "1"},
    {-1.0, "-1"},
    {0.5, "0,5"},
    {-0.5, "-0,5"},
    {0.1, "0,1"},
    {0.1 + 0.2, "0,3"},
    {1.0 / 3, "0,333333333333333"},
    {2.0 / 3, "0,666666666666667"},
    {10.0 / 3, "3,33333333333333"},
    {1500.0, "1500"},
    {123456.789, "123456,789"},
    {0.001, "0,001"},
    {0.0001, "0,0001"},
    {0.00012345, "0,00012345"},
    {0.0000999999999999999, "9,99999999999999E-5"},
    {0.00001, "1E-5"},
    {0.00003, "3E-5"},
    {1.5e-7, "1,5E-7"},
    {-1e-10, "-1E-10"},
    {1e14, "100000000000000"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.4, "999999999999999"},
    {999999999999999.6, "1E15"},
    {1e15, "1E15"},
    {123456789012345.6, "123456789012346"},
    {1234567890123445.0, "1,23456789012345E15"},
    {1234567890123455.0, "1,23456789012346E15"},
    {1.000000000000005, "1,00000000000001"},
    // Exactly 5886391520026354998312960: the 18 digits end in ...500, so the 16th digit rounds up
    // although the exact value lies just below the half-way point.
    {5.886391520026355e24, "5,88639152002636E24"},
    {9007199254740992.0, "9,00719925474099E15"},
    {1e20, "1E20"},
    {1e100, "1E100"},
    {1e-300, "1E-300"},
    {DBL_MAX, "1,79769313486232E308"},
    {5e-324, "4,94065645841247E-324"},
    {std::numeric_limits<long double>::infinity(), "INF"},
    {-std::numeric_limits<long double>::infinity(), "-INF"},
    {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
    {-std::numeric_limits<long double>::quiet_NaN(), "NAN"},
    // Magnitudes where the exponent estimate comes out one too high.
    {1e-210, "1E-210"},
    {2.5e-207, "2,5E-207"},
    {9.87654321e-270, "9,87654321E-270"},
    {1e-400L, "1E-400"},
    {-1.5e-4000L, "-1,5E-4000"},
    // The ends of the extended range.
    {LDBL_MAX, "1,18973149535723E4932"},
    {LDBL_MIN, "3,36210314311209E-4932"},
};

TEST_P(NumberTextTest, WritesEveryValueAsTheProgramAlwaysHas)
{
    for (const ToTextCase &c : kToTextCases)
        EXPECT_EQ(NumberToText(c.value), Marked(c.text)) << "value " << double(c.value);
}

// An 80-bit value laid out byte by byte: the significand, then the sign and exponent, little-endian.
long double FromBits(std::uint16_t signAndExponent, std::uint64_t significand)
{
    unsigned char bytes[sizeof(long double)] = {};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(significand >> (8 * i));
    bytes[8] = static_cast<unsigned char>(signAndExponent);
    bytes[9] = static_cast<unsigned char>(signAndExponent >> 8);
    long double value;
    std::memcpy(&value, bytes, sizeof bytes);
    return value;
}

struct BitPatternCase
{
    std::uint16_t signAndExponent;
    std::uint64_t significand;
    const char *text;
};

// Patterns that the floating point unit never produces but that memory can hold.
const BitPatternCase kBitPatternCases[] = {
    {0x3FFF, 0x8000'0000'0000'0000, "1"},
    // Unnormals (leading significand bit clear) show the number their bits stand for.
    {0x3FFF, 0x4000'0000'0000'0000, "0,5"},
    {0xBFFF, 0x4000'0000'0000'0000, "-0,5"},
    {0x4002, 0x5000'0000'0000'0000, "5"},
    {0x3FF1, 0x0000'0000'0000'0001, "6,61744490042422E-24"},
    {0x403A, 0x4000'0000'0000'0000, "2,88230376151712E17"},
    {0x7FFE, 0x7FFF'FFFF'FFFF'FFFF, "5,94865747678616E4931"},
    {0x0002, 0x4000'0000'0000'0000, "3,36210314311209E-4932"},
    {0x8040, 0x0000'0000'0000'0001, "-3,36210314311209E-4932"},
    // ... and below the normal range they are denormals, shown as zero.
    {0x0001, 0x4000'0000'0000'0000, "0"},
    {0x803F, 0x0000'0000'0000'0001, "0"},
    // Pseudo-zeros.
    {0x3FFF, 0x0000'0000'0000'0000, "0"},
    {0xFFFE, 0x0000'0000'0000'0000, "0"},
    // Pseudo-denormals: the exponent field is zero.
    {0x0000, 0x8000'0000'0000'0000, "0"},
    {0x8000, 0xFFFF'FFFF'FFFF'FFFF, "0"},
    // Pseudo-infinities and pseudo-NaNs, and the NaNs of either sign and kind.
    {0x7FFF, 0x0000'0000'0000'0000, "INF"},
    {0xFFFF, 0x0000'0000'0000'0000, "-INF"},
    {0x7FFF, 0x4000'0000'0000'0000, "NAN"},
    {0xFFFF, 0x0000'0000'0000'0001, "NAN"},
    {0x7FFF, 0x8000'0000'0000'0001, "NAN"},
    {0xFFFF, 0xC000'0000'0000'0000, "NAN"},
};

TEST_P(NumberTextTest, WritesEveryBitPattern)
{
    for (const BitPatternCase &c : kBitPatternCases)
        EXPECT_EQ(NumberToText(FromBits(c.signAndExponent, c.significand)), Marked(c.text))
            << std::hex << c.signAndExponent << ":" << c.significand;
}

TEST_P(NumberTextTest, ReadsBackFifteenDigitTextsAtEveryMagnitude)
{
    // The decimal written by the 15-digit rounding of a value read from 15 digits is that text:
    // it catches a lost first digit or a wrong exponent anywhere in the extended range.
    for (const char *mantissa : {"1", "1,23456789012345", "9,99999999999999", "5,5"}) {
        for (int exponent = -4930; exponent <= 4931; ++exponent) {
            if (exponent >= -4 && exponent < 15)
                continue; // fixed notation: the table covers it
            const QString text = Marked(mantissa) + QStringLiteral("E%1").arg(exponent);
            ASSERT_EQ(NumberToText(NumberFromText(text)), text);
        }
    }
}

struct FromTextCase
{
    const char *text;
    long double value;
};

const FromTextCase kFromTextCases[] = {
    {"12", 12},          {" 12 ", 12}, {"+12", 12}, {"012", 12},           {"-5", -5},     {"12,5", 12.5},
    {",5", 0.5},         {"5,", 5},    {",", 0},    {"1e3", 1000},         {"1E+3", 1000}, {"1,5e+2", 150},
    {"3,3E-9", 3.3e-9L}, {"1E", 1},    {"1E-", 1},  {"1E0000005", 100000}, {"1E-4999", 0},
};

TEST_P(NumberTextTest, ReadsPlainDecimalText)
{
    for (const FromTextCase &c : kFromTextCases)
        EXPECT_EQ(NumberFromText(Marked(c.text)), c.value) << c.text;
}

TEST_P(NumberTextTest, ReadsMagnitudesBeyondTheDoubleRange)
{
    EXPECT_NEAR(double(NumberFromText(QStringLiteral("1E4932")) / 1e4932L), 1.0, 1e-15);
    EXPECT_NEAR(double(NumberFromText(Marked("-2,5E-4000")) / -2.5e-4000L), 1.0, 1e-15);
}

TEST_P(NumberTextTest, ReadsNegativeZeroFromASignAndAMarkAlone)
{
    EXPECT_TRUE(std::signbit(NumberFromText(Marked("-,"))));
    EXPECT_EQ(NumberToText(NumberFromText(Marked("-0"))), "0");
}

TEST_P(NumberTextTest, EndsTheTextAtAZeroCharacter)
{
    EXPECT_EQ(NumberFromText(QStringLiteral("12") + QChar(0) + QStringLiteral("abc")), 12);
}

TEST_P(NumberTextTest, RejectsWhatIsNotANumberWithTheTextAsTyped)
{
    const char *const kInvalid[] = {"",      "   ",       "-",    "--5",  "+-5",      "E3",     "12.5",
                                    "1 000", "1,2,3",     "5 E3", "0x10", "1E5000",   "1E4933", "\t12",
                                    "12\t",  "1E4932000", "abc",  "1e5.", "<b>1</b>", "١٢",     "12 мА"};
    for (const char *text : kInvalid) {
        const QString typed = Marked(text);
        try {
            NumberFromText(typed);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("'%1' is not a valid floating point value").arg(typed));
        }
    }
}

TEST(NumberText, KeepsTheForeignSeparatorOutOfTheNumber)
{
    DecimalMark = ',';
    try {
        NumberFromText(QStringLiteral("12.5"));
        ADD_FAILURE() << "accepted 12.5 under a comma";
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12.5' is not a valid floating point value"));
    }
    DecimalMark = '.';
    EXPECT_EQ(NumberFromText(QStringLiteral("12.5")), 12.5L);
    EXPECT_THROW(NumberFromText(QStringLiteral("12,5")), EConvertError);
}

TEST(NumberText, TreatsAnOverflowingDigitStringAsInvalidEvenWhenScaledAway)
{
    // 5000 integer digits overflow the accumulator before a large negative scale would bring them back.
    DecimalMark = '.';
    const QString digits = QString(5000, QLatin1Char('9')) + QStringLiteral(".") + QString(300, QLatin1Char('0'))
        + QStringLiteral("E-4999");
    EXPECT_THROW(NumberFromText(digits), EConvertError);
}

} // namespace
