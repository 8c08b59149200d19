#pragma once

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

// The first thing wrong with a table. Rows and cells are counted from 1 as
// a spreadsheet shows them, the header row included.
struct TermTableFault {
    enum class Kind {
        NoText,       // the text is empty
        NoRows,       // nothing but a header and blank lines
        TooManyRows,  // row `row` is term 251
        TooManyCells, // row `row` has `cells` cells
        EmptyCell,    // cell `cell` of row `row` holds nothing
        NotANumber,   // cell `cell` of row `row` holds `text`, which is no number
        OutOfRange,   // cell `cell` of row `row` holds `text`, beyond the range of a double
    };
    Kind kind;
    int row = 0;
    int cell = 0;
    int cells = 0;
    std::string text;
};

// Reads a table: rows are lines (LF or CR LF); blank lines at the end are
// ignored; cells are separated by tabs or, in a row without a tab, by
// semicolons; a row holds the amplitude and optionally the phase; a first
// row in which no cell is a number is a header. A cell is a number in full:
// blanks around it, a sign, digits with one decimal point, full stop or
// comma, and an exponent. At most kMaxTerms rows.
std::variant<TermTable, TermTableFault> readTermTable(std::string_view text);

// The number a cell holds, or nothing; a number beyond the range of a double
// sets `outOfRange`. One below the smallest double reads as 0.
std::optional<double> readCell(std::string_view cell, bool& outOfRange);

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
