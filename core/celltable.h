#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavelo {

// The first thing wrong with a table pasted from a spreadsheet. Rows and
// cells are counted from 1 as a spreadsheet shows them, the header included.
struct TableFault {
    enum class Kind {
        NoText,        // the text is empty
        NoRows,        // nothing but a header and blank lines
        TooFewRows,    // `cells` rows of numbers, fewer than the table needs
        TooManyRows,   // row `row` is one more than the table may hold
        TooManyCells,  // row `row` has `cells` cells
        EmptyCell,     // cell `cell` of row `row` holds nothing
        NotANumber,    // cell `cell` of row `row` holds `text`, which is no number
        OutOfRange,    // cell `cell` of row `row` holds `text`, beyond what the table takes
        NotIncreasing, // cell `cell` of row `row` holds `text`, a time not after the one before
        TimeSpan,      // cell `cell` of row `row` holds `text`, a time too far from the first for a step between
    };
    Kind kind;
    int row = 0;
    int cell = 0;
    int cells = 0;
    std::string text;
};

// One row of numbers of a table, with the row's number as a spreadsheet
// shows it and the cells' texts (views into the table's text).
struct CellRow {
    int row = 0;
    std::vector<double> cells;
    std::vector<std::string_view> texts;
};

// Reads the rows of numbers of a table as a spreadsheet copies one: rows are
// lines (LF or CR LF); blank lines at the end are ignored; cells are
// separated by tabs or, in a row without a tab, by semicolons; a first row
// in which no cell is a number is a header. A cell is a number in full:
// blanks around it, a sign, digits with one decimal point, full stop or
// comma, and an exponent. Rows hold 1 to `maxCells` cells; at most `maxRows`
// rows of numbers, and reading stops at the first row beyond them.
std::variant<std::vector<CellRow>, TableFault> readCellRows(std::string_view text, std::size_t maxRows,
                                                           std::size_t maxCells);

// A table saved as comma-separated values where the decimal mark is the
// full stop ("t,f" / "0.5,1.25") with its commas made tabs and the quotes
// round its cells taken away, so that readCellRows reads its cells. A text
// with tabs or semicolons, or one whose commas may be decimal marks (no row
// with two of them and no full stop), is returned as it is.
std::string commaSeparatedAsTabs(std::string_view text);

// The number a cell holds, or nothing; a number beyond the range of a double
// sets `outOfRange`. One below the smallest double reads as 0.
std::optional<double> readCell(std::string_view cell, bool& outOfRange);

} // namespace tavelo
