// Any text read as a table of terms: no crash and no hang; a table that is
// read is at most 250 terms of finite numbers, the program's copy of the
// fields it fills reads back as the same field texts, and its copy in SYLK
// gives every value as the number the field holds, to the last bit.

#include "core/numbertext.h"
#include "core/termtable.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = tavelo::readTermTable(text);
    if (const auto* fault = std::get_if<tavelo::TableFault>(&read)) {
        if (fault->row < 0 || fault->cell < 0 || fault->cell > 2)
            std::abort();
        return 0;
    }
    const tavelo::TermTable& table = std::get<tavelo::TermTable>(read);
    if (table.A.size() < 2 || table.A.size() > 251 || table.A.size() != table.Fi.size())
        std::abort();
    std::vector<std::string> amplitudes;
    std::vector<std::string> phases;
    for (std::size_t n = 1; n < table.A.size(); ++n) {
        if (!std::isfinite(table.A[n]) || !std::isfinite(table.Fi[n]))
            std::abort();
        amplitudes.push_back(tavelo::RealToText(table.A[n], '.'));
        phases.push_back(tavelo::RealToText(table.Fi[n], '.'));
    }
    const auto again = tavelo::readTermTable(tavelo::termTableText("Амплитуда\tФаза", amplitudes, phases));
    const auto* copy = std::get_if<tavelo::TermTable>(&again);
    if (!copy || copy->A.size() != table.A.size())
        std::abort();
    for (std::size_t n = 1; n < copy->A.size(); ++n) {
        if (tavelo::RealToText(copy->A[n], '.') != amplitudes[n - 1]
            || tavelo::RealToText(copy->Fi[n], '.') != phases[n - 1])
            std::abort();
    }

    // Each numeric cell of the SYLK copy: "C;X<column>;Y<row>;K<number>".
    const std::string sylk = tavelo::termTableSylk("Амплитуда\tФаза", amplitudes, phases);
    std::size_t cells = 0;
    for (std::size_t at = sylk.find("\r\nC;X"); at != std::string::npos; at = sylk.find("\r\nC;X", at + 1)) {
        const std::size_t end = sylk.find("\r\n", at + 2);
        const std::string cell = sylk.substr(at + 2, end - at - 2);
        const std::size_t column = cell[3] - '0';
        const std::size_t row = std::strtoul(cell.c_str() + cell.find(";Y") + 2, nullptr, 10);
        const std::string value = cell.substr(cell.find(";K") + 2);
        if (row == 1)
            continue; // the header's names
        double number = 0;
        const auto parsed = std::from_chars(value.data(), value.data() + value.size(), number);
        const std::vector<std::string>& fields = column == 1 ? amplitudes : phases;
        if (parsed.ec != std::errc() || parsed.ptr != value.data() + value.size() || row - 2 >= fields.size()
            || number != tavelo::NumberFromText(fields[row - 2]))
            std::abort();
        ++cells;
    }
    if (cells != 2 * amplitudes.size())
        std::abort();
    return 0;
}
