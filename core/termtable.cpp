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

std::variant<TermTable, TableFault> readTermTable(std::string_view text)
{
    auto rows = readCellRows(text, std::size_t(kMaxTerms), 2);
    if (const auto* fault = std::get_if<TableFault>(&rows))
        return *fault;
    TermTable table{{0}, {0}};
    for (const CellRow& row : std::get<std::vector<CellRow>>(rows)) {
        table.A.push_back(row.cells[0]);
        table.Fi.push_back(row.cells.size() > 1 ? row.cells[1] : 0.0);
    }
    return table;
}

bool namesTerms(std::string_view text)
{
    const std::string_view first = text.substr(0, text.find('\n'));
    for (const std::string_view name : {"Амплитуда", "амплитуда", "АМПЛИТУДА", "Amplitude", "amplitude", "AMPLITUDE"}) {
        if (first.find(name) != std::string_view::npos)
            return true;
    }
    return false;
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
