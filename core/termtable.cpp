#include "core/termtable.h"

#include "core/numbertext.h"
#include "core/termcount.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

namespace tavelo {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The number's text with a full stop for its decimal point and no plus sign,
// as from_chars reads it; empty when the text is no number in full.
std::string normalNumber(std::string_view text)
{
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            normal += text[i];
            ++digits;
        } else if ((text[i] == '.' || text[i] == ',') && !point) {
            normal += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++exponentDigits)
            normal += text[i];
        if (exponentDigits == 0)
            return {};
    }
    return i == text.size() ? normal : std::string();
}

// The cells of one row: split at tabs, or at semicolons in a row without one.
std::vector<std::string_view> cellsOf(std::string_view row)
{
    const char separator = row.find('\t') != std::string_view::npos ? '\t' : ';';
    std::vector<std::string_view> cells;
    while (true) {
        const std::size_t end = row.find(separator);
        cells.push_back(row.substr(0, end));
        if (end == std::string_view::npos)
            return cells;
        row.remove_prefix(end + 1);
    }
}

TermTableFault fault(TermTableFault::Kind kind, int row = 0, int cell = 0, int cells = 0, std::string text = {})
{
    return {kind, row, cell, cells, std::move(text)};
}

} // namespace

std::optional<double> readCell(std::string_view cell, bool& outOfRange)
{
    outOfRange = false;
    const std::string normal = normalNumber(trimmed(cell));
    if (normal.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small is as near 0 as a double gets; too large has no double.
        value = NumberFromText(normal);
        if (std::abs(value) == DBL_MAX) {
            outOfRange = true;
            return std::nullopt;
        }
        return value;
    }
    if (error != std::errc() || end != normal.data() + normal.size())
        return std::nullopt;
    return value;
}

std::variant<TermTable, TermTableFault> readTermTable(std::string_view text)
{
    using Kind = TermTableFault::Kind;
    if (text.empty())
        return fault(Kind::NoText);
    std::vector<std::string_view> rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        if (!row.empty() && row.back() == '\r')
            row.remove_suffix(1);
        rows.push_back(row);
        // More rows than terms are refused without reading the rest.
        if (rows.size() > std::size_t(kMaxTerms) + 2 && !trimmed(row).empty())
            break;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!rows.empty() && trimmed(rows.back()).empty())
        rows.pop_back();

    TermTable table{{0}, {0}};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        const std::vector<std::string_view> cells = cellsOf(rows[r]);
        if (r == 0) {
            bool outOfRange = false;
            const bool anyNumber = std::any_of(cells.begin(), cells.end(), [&](std::string_view cell) {
                return readCell(cell, outOfRange).has_value() || outOfRange;
            });
            if (!anyNumber)
                continue;
        }
        if (table.A.size() > std::size_t(kMaxTerms))
            return fault(Kind::TooManyRows, row);
        if (cells.size() > 2)
            return fault(Kind::TooManyCells, row, 0, static_cast<int>(cells.size()));
        double values[2] = {0, 0};
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int cell = static_cast<int>(c) + 1;
            if (trimmed(cells[c]).empty())
                return fault(Kind::EmptyCell, row, cell);
            bool outOfRange = false;
            const std::optional<double> value = readCell(cells[c], outOfRange);
            if (!value)
                return fault(outOfRange ? Kind::OutOfRange : Kind::NotANumber, row, cell, 0, std::string(cells[c]));
            values[c] = *value;
        }
        table.A.push_back(values[0]);
        table.Fi.push_back(values[1]);
    }
    if (table.A.size() == 1)
        return fault(Kind::NoRows);
    return table;
}

std::string termTableText(std::string_view header, std::span<const std::string> amplitudes,
                          std::span<const std::string> phases)
{
    const auto faithful = [](const std::string& field) {
        const double held = NumberFromText(field);
        bool outOfRange = false;
        const std::optional<double> read = readCell(field, outOfRange);
        const bool oneCell = field.find_first_of("\t\r\n") == std::string::npos;
        return oneCell && read && *read == held ? field : RealToText(held, '.');
    };
    std::string text(header);
    text += '\n';
    const std::size_t terms = std::min(amplitudes.size(), phases.size());
    for (std::size_t n = 0; n < terms; ++n) {
        text += faithful(amplitudes[n]);
        text += '\t';
        text += faithful(phases[n]);
        text += '\n';
    }
    return text;
}


namespace {

std::string sylkCell(std::size_t column, std::size_t row, std::string_view content)
{
    return "C;X" + std::to_string(column) + ";Y" + std::to_string(row) + ";K" + std::string(content) + "\r\n";
}

std::string sylkText(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == ';')
            quoted += c; // doubled, as SYLK escapes them
        if (c != '\r' && c != '\n')
            quoted += c;
    }
    return quoted + '"';
}

std::string sylkValue(const std::string& field)
{
    const double value = NumberFromText(field);
    std::array<char, 32> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::string(digits.data(), written.ptr);
}

} // namespace

std::string termTableSylk(std::string_view header, std::span<const std::string> amplitudes,
                          std::span<const std::string> phases)
{
    std::string sylk = "ID;PTAVELO\r\n";
    std::size_t column = 1;
    for (std::size_t start = 0; start <= header.size(); ++column) {
        const std::size_t end = std::min(header.find('\t', start), header.size());
        sylk += sylkCell(column, 1, sylkText(header.substr(start, end - start)));
        start = end + 1;
    }
    const std::size_t terms = std::min(amplitudes.size(), phases.size());
    for (std::size_t n = 0; n < terms; ++n) {
        sylk += sylkCell(1, n + 2, sylkValue(amplitudes[n]));
        sylk += sylkCell(2, n + 2, sylkValue(phases[n]));
    }
    return sylk + "E\r\n";
}

} // namespace tavelo
