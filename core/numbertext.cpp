#include "core/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tavelo {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && value < base ? value : -1;
}

char toUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// "&H..." and "&O...": a whole number up to 0xFFFF is read as a signed 16-bit
// value, a larger one as a signed 32-bit value. Beyond 32 bits only the low
// 32 bits are kept, so the result never depends on how long the text is.
double readBasedWhole(std::string_view digits, int base)
{
    std::uint32_t low32 = 0;
    bool beyond16Bits = false;
    for (char c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            break;
        const std::uint64_t next = std::uint64_t{low32} * static_cast<std::uint64_t>(base)
                                   + static_cast<std::uint64_t>(d);
        beyond16Bits = beyond16Bits || next > 0xFFFF;
        low32 = static_cast<std::uint32_t>(next);
    }
    if (!beyond16Bits)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low32));
    return static_cast<std::int32_t>(low32);
}

// The decimal prefix: [sign] digits [. digits] [E|D [sign] digits].
double readDecimal(std::string_view s)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }

    // Rebuilt as "digits.digits" + "e[-]digits" for the locale-free parser.
    std::string number;
    long long digitCount = 0;
    long long integerDigits = 0;
    long long firstNonZero = -1; // index of the first nonzero digit among all digits
    bool seenPoint = false;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (isDecimalDigit(c)) {
            if (firstNonZero < 0 && c != '0')
                firstNonZero = digitCount;
            ++digitCount;
            if (!seenPoint)
                ++integerDigits;
            number.push_back(c);
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return 0.0;
    if (firstNonZero < 0)
        return negative ? -0.0 : 0.0;

    // Exponent, only when at least one digit follows the letter and sign.
    long long exponent = 0;
    if (pos < s.size()) {
        const char e = toUpper(s[pos]);
        if (e == 'E' || e == 'D') {
            std::size_t p = pos + 1;
            bool expNegative = false;
            if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
                expNegative = s[p] == '-';
                ++p;
            }
            const std::size_t expStart = p;
            constexpr long long kSaturated = 1'000'000'000;
            while (p < s.size() && isDecimalDigit(s[p])) {
                exponent = std::min(kSaturated, exponent * 10 + (s[p] - '0'));
                ++p;
            }
            if (p > expStart) {
                if (expNegative)
                    exponent = -exponent;
                number.push_back('e');
                number += std::to_string(exponent);
            } else {
                exponent = 0;
            }
        }
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: too large reads as the largest double,
        // too small as zero, which is the nearest double.
        const long long leadingPower = integerDigits - 1 - firstNonZero;
        const bool tooLarge = leadingPower + exponent > 0;
        value = tooLarge ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double NumberFromText(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c))
            compact.push_back(c);
    }
    const std::string_view s = compact;

    if (s.size() >= 2 && s[0] == '&') {
        const char kind = toUpper(s[1]);
        if (kind == 'H')
            return readBasedWhole(s.substr(2), 16);
        if (kind == 'O')
            return readBasedWhole(s.substr(2), 8);
    }
    return readDecimal(s);
}

std::string WholeToText(long long n)
{
    return std::to_string(n);
}

std::string WholeToLabelText(long long n)
{
    return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

std::string RealToText(double v, char decimalSeparator)
{
    if (std::isnan(v))
        v = 0.0;
    else if (std::isinf(v))
        v = std::copysign(std::numeric_limits<double>::max(), v);
    if (v == 0.0)
        return "0";

    // 15 significant digits, rounded to nearest: "d.dddddddddddddde[+-]x".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));

    const bool negative = scientific.front() == '-';
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos)) {
        if (isDecimalDigit(c))
            digits.push_back(c);
    }
    int exponent = 0;
    std::from_chars(scientific.data() + ePos + 1 + (scientific[ePos + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        text += digits.front();
        if (digits.size() > 1) {
            text += decimalSeparator;
            text.append(digits, 1);
        }
        text += 'E';
        text += exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            text += '0';
        text += std::to_string(magnitude);
    } else if (exponent < 0) {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, integerDigits);
            text += decimalSeparator;
            text.append(digits, integerDigits);
        }
    }
    return text;
}

namespace {

// Writes v in the given format and reads it back: to_chars rounds correctly
// from the exact binary value, and from_chars gives the nearest double.
double roundedThroughText(double v, std::chars_format format, int precision)
{
    if (!std::isfinite(v))
        return v;
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, v, format, precision);
    if (written.ec != std::errc())
        return v;
    double rounded = v;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

} // namespace

double RoundedToSignificant(double v, int digits)
{
    return roundedThroughText(v, std::chars_format::scientific, std::max(digits, 1) - 1);
}

double RoundedToDecimals(double v, int decimals)
{
    return roundedThroughText(v, std::chars_format::fixed, std::max(decimals, 0));
}

} // namespace tavelo
