#pragma once

#include "core/celltable.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavelo {

// A series brought in as a table, as a spreadsheet copies one: the terms
// 1..k, index 0 unused as in the fields; a row without a phase has phase 0.
struct TermTable {
    std::vector<double> A;
    std::vector<double> Fi; // in units of pi
};

// Reads a table of terms as a spreadsheet copies one (readCellRows): a row
// holds the amplitude and optionally the phase; at most kMaxTerms rows.
std::variant<TermTable, TableFault> readTermTable(std::string_view text);

// Whether a table names terms in its first line (a header with «Амплитуда»
// or "Amplitude" in it), rather than being the values of a shape.
bool namesTerms(std::string_view text);

// The table of terms 1..k that readTermTable reads back as the same series:
// a header line, then per term its amplitude and phase text, a tab between
// them, a line feed after. A text is kept as it stands where the table reads
// it as the value the field does, and otherwise written as that value (a
// field "1,5" is 1, which the table would read as 1.5).
std::string termTableText(std::string_view header, std::span<const std::string> amplitudes,
                          std::span<const std::string> phases);

// The same table in SYLK, the format spreadsheets exchange cells in with
// numbers as numbers: the header's names (tab-separated) as text, then each
// term's amplitude and phase as the value its field holds, written with a
// full stop and to the last bit, so that a spreadsheet in any locale takes
// them as those numbers.
std::string termTableSylk(std::string_view header, std::span<const std::string> amplitudes,
                          std::span<const std::string> phases);

} // namespace tavelo
