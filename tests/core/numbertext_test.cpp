#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

using tavelo::NumberFromText;
using tavelo::RealToText;
using tavelo::WholeToLabelText;
using tavelo::WholeToText;

struct TextToNumber {
    const char* text;
    double expected;
};

void PrintTo(const TextToNumber& row, std::ostream* os)
{
    *os << '"' << row.text << '"';
}

class NumberFromTextTable : public ::testing::TestWithParam<TextToNumber> {};

TEST_P(NumberFromTextTable, ReadsTheNearestDouble)
{
    const TextToNumber& row = GetParam();
    EXPECT_EQ(NumberFromText(row.text), row.expected);
}

constexpr double kMax = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(FieldTexts, NumberFromTextTable, ::testing::Values(
    // What a student types.
    TextToNumber{"1,5", 1}, TextToNumber{"2.5", 2.5}, TextToNumber{"-.5", -0.5},
    TextToNumber{"12 34", 1234}, TextToNumber{"3.5.1", 3.5}, TextToNumber{"1e3", 1000},
    TextToNumber{"2D-1", 0.2}, TextToNumber{"12abc", 12}, TextToNumber{"abc", 0},
    TextToNumber{"", 0}, TextToNumber{"+", 0}, TextToNumber{"&HFF", 255},
    TextToNumber{"&HFFFF", -1}, TextToNumber{"&O17", 15},
    // Blanks anywhere, signs, points and exponents.
    TextToNumber{" \t1\n 2 ", 12}, TextToNumber{"1 e 3", 1000}, TextToNumber{"+7", 7},
    TextToNumber{"5.", 5}, TextToNumber{".", 0}, TextToNumber{"-", 0},
    TextToNumber{"-.e5", 0}, TextToNumber{"1e", 1}, TextToNumber{"1e+", 1},
    TextToNumber{"1E-2", 0.01}, TextToNumber{"1d2", 100}, TextToNumber{"--1", 0},
    TextToNumber{"0.1", 0.1}, TextToNumber{"1e3e4", 1000}, TextToNumber{"2.5\xd0\xbc", 2.5},
    TextToNumber{"\xd0\x90""5", 0}, TextToNumber{"1\r2", 1},
    // Hexadecimal and octal: 16-bit up to FFFF, 32-bit above, low 32 bits beyond.
    TextToNumber{"&h7fff", 32767}, TextToNumber{"&H8000", -32768}, TextToNumber{"&H10000", 65536},
    TextToNumber{"&HFFFFFFFF", -1}, TextToNumber{"&H7FFFFFFF", 2147483647},
    TextToNumber{"&H123456789", 0x23456789}, TextToNumber{"&HFFFFFFFFFF", -1},
    TextToNumber{"&H10000FFFF", 65535}, TextToNumber{"&O177777", -1}, TextToNumber{"&o200000", 65536},
    TextToNumber{"&H", 0}, TextToNumber{"&HG1", 0}, TextToNumber{"&O8", 0}, TextToNumber{"&HF F", 255},
    TextToNumber{"&X12", 0}, TextToNumber{"-&H1", 0},
    // Beyond the double range: the largest finite double, or the nearest, zero.
    TextToNumber{"1e308", 1e308}, TextToNumber{"1e400", kMax}, TextToNumber{"-1e400", -kMax},
    TextToNumber{"1.8e308", kMax}, TextToNumber{"1e99999999999999999999", kMax},
    TextToNumber{"0.000001e400", kMax}, TextToNumber{"1e-400", 0},
    TextToNumber{"100000e-330", 0}, TextToNumber{"3e-324", 4.9406564584124654e-324},
    TextToNumber{"0e99999999999", 0}, TextToNumber{"1000e-311", 1e-308}));

TEST(NumberFromText, VeryLongDigitRunsStayExact)
{
    const std::string digits = "0." + std::string(5000, '0') + "1e5001";
    EXPECT_EQ(NumberFromText(digits), 1);
    EXPECT_EQ(NumberFromText(std::string(400, '9')), kMax);
    EXPECT_EQ(NumberFromText("1" + std::string(100000, ' ') + "2"), 12);
}

TEST(NumberFromText, NegativeZeroAndUnderflowKeepTheirSign)
{
    EXPECT_TRUE(std::signbit(NumberFromText("-0")));
    EXPECT_TRUE(std::signbit(NumberFromText("-1e-400")));
    EXPECT_EQ(NumberFromText("-0"), 0);
}

struct WholeTexts {
    long long n;
    const char* plain;
    const char* label;
};

TEST(WholeText, PlainAndLabelForms)
{
    const WholeTexts rows[] = {
        {7, "7", " 7"}, {-7, "-7", "-7"}, {0, "0", " 0"}, {250, "250", " 250"},
        {-9223372036854775807LL - 1, "-9223372036854775808", "-9223372036854775808"},
    };
    for (const WholeTexts& row : rows) {
        EXPECT_EQ(WholeToText(row.n), row.plain) << row.n;
        EXPECT_EQ(WholeToLabelText(row.n), row.label) << row.n;
    }
}

struct RealTexts {
    double v;
    const char* fullStop;
};

TEST(RealToText, FifteenSignificantDigits)
{
    const RealTexts rows[] = {
        {2.5, "2.5"}, {1.0 / 3, "0.333333333333333"}, {0.1 + 0.2, "0.3"}, {-0.5, "-0.5"},
        {-0.0, "0"}, {0, "0"}, {1000, "1000"}, {1.5, "1.5"}, {2.0 / 3, "0.666666666666667"},
        {123456789012345, "123456789012345"}, {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"}, {1e15, "1E+15"}, {1e20, "1E+20"}, {-1.25e100, "-1.25E+100"},
        {2.5e-20, "2.5E-20"}, {0.0001, "0.0001"}, {0.00012345, "0.00012345"}, {0.00001, "1E-05"},
        {0.000099999999999999999, "0.0001"}, {1.7976931348623157e308, "1.79769313486232E+308"},
        {4.9406564584124654e-324, "4.94065645841247E-324"}, {12.000000000000002, "12"},
        {100.5, "100.5"}, {1e-5 * 3, "3E-05"},
    };
    for (const RealTexts& row : rows)
        EXPECT_EQ(RealToText(row.v, '.'), row.fullStop) << row.v;
}

TEST(RealToText, OnlyTheSeparatorComesFromTheArgument)
{
    EXPECT_EQ(RealToText(2.5, ','), "2,5");
    EXPECT_EQ(RealToText(1.0 / 3, ','), "0,333333333333333");
    EXPECT_EQ(RealToText(-2.5e-20, ','), "-2,5E-20");
    EXPECT_EQ(RealToText(1000, ','), "1000");
}

TEST(RealToText, NonFiniteValuesGetTheNearestFiniteText)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RealToText(inf, '.'), "1.79769313486232E+308");
    EXPECT_EQ(RealToText(-inf, '.'), "-1.79769313486232E+308");
    EXPECT_EQ(RealToText(std::numeric_limits<double>::quiet_NaN(), '.'), "0");
}

TEST(RealToText, ReadsBackAsTheFifteenDigitValue)
{
    // A written value is read back exactly when the full stop is the separator.
    const double values[] = {2.5, 1.0 / 3, 1e-5, 6.02214076e23, -1234.5678, 3e-310};
    for (double v : values) {
        const std::string text = RealToText(v, '.');
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.14e", v);
        EXPECT_EQ(NumberFromText(text), std::strtod(expected, nullptr)) << text;
    }
    // The largest double rounds up to a text beyond the range, which reads as the largest double.
    EXPECT_EQ(NumberFromText(RealToText(kMax, '.')), kMax);
    EXPECT_EQ(NumberFromText(RealToText(2.5, ',')), 2); // a comma ends the number
}

} // namespace
