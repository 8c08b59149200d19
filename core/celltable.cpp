#include "core/celltable.h"

#include "core/numbertext.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

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

TableFault fault(TableFault::Kind kind, int row = 0, int cell = 0, int cells = 0, std::string text = {})
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

std::variant<std::vector<CellRow>, TableFault> readCellRows(std::string_view text, std::size_t maxRows,
                                                           std::size_t maxCells)
{
    using Kind = TableFault::Kind;
    if (text.empty())
        return fault(Kind::NoText);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        // More rows than the table holds are refused without reading the rest.
        if (lines.size() > maxRows + 2 && !trimmed(line).empty())
            break;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    while (!lines.empty() && trimmed(lines.back()).empty())
        lines.pop_back();

    std::vector<CellRow> rows;
    for (std::size_t r = 0; r < lines.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        const std::vector<std::string_view> cells = cellsOf(lines[r]);
        if (r == 0) {
            bool outOfRange = false;
            const bool anyNumber = std::any_of(cells.begin(), cells.end(), [&](std::string_view cell) {
                return readCell(cell, outOfRange).has_value() || outOfRange;
            });
            if (!anyNumber)
                continue;
        }
        if (rows.size() >= maxRows)
            return fault(Kind::TooManyRows, row);
        if (cells.size() > maxCells)
            return fault(Kind::TooManyCells, row, 0, static_cast<int>(cells.size()));
        CellRow numbers{row, {}, {}};
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int cell = static_cast<int>(c) + 1;
            if (trimmed(cells[c]).empty())
                return fault(Kind::EmptyCell, row, cell);
            bool outOfRange = false;
            const std::optional<double> value = readCell(cells[c], outOfRange);
            if (!value)
                return fault(outOfRange ? Kind::OutOfRange : Kind::NotANumber, row, cell, 0, std::string(cells[c]));
            numbers.cells.push_back(*value);
            numbers.texts.push_back(cells[c]);
        }
        rows.push_back(std::move(numbers));
    }
    if (rows.empty())
        return fault(Kind::NoRows);
    return rows;
}

std::string commaSeparatedAsTabs(std::string_view text)
{
    if (text.find_first_of("\t;") != std::string_view::npos)
        return std::string(text);
    bool separators = text.find('.') != std::string_view::npos;
    for (std::size_t start = 0; start < text.size() && !separators;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        separators = std::count(line.begin(), line.end(), ',') >= 2;
        start = end + 1;
    }
    if (!separators)
        return std::string(text);
    std::string tabbed;
    tabbed.reserve(text.size());
    for (const char c : text) {
        if (c == ',')
            tabbed += '\t';
        else if (c != '"')
            tabbed += c;
    }
    return tabbed;
}

} // namespace tavelo
