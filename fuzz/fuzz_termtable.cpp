// Any text read as a table of terms: no crash and no hang; a table that is
// read is at most 250 terms of finite numbers, and the program's copy of the
// fields it fills reads back as the same field texts.

#include "core/numbertext.h"
#include "core/termtable.h"

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
    if (const auto* fault = std::get_if<tavelo::TermTableFault>(&read)) {
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
    return 0;
}
