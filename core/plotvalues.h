#pragma once

#include "core/harmonicparams.h"
#include "core/plot.h"

#include <optional>
#include <string>
#include <vector>

namespace tavelo {

// The values of a plot column by column, as a table for a report: the time
// in periods, the sum, each term shown and the shape shown beside the sum
// (the limit shape or the user's target), each computed as the plot computes
// it. The table ends where the plot would end at a numeric fault.
struct PlotValueTable {
    std::vector<int> terms;        // the terms that have a column, in order
    std::optional<Waveform> limit; // the limit shape has a column
    bool target = false;           // the user's shape has a column
    std::vector<std::vector<double>> rows;
};

PlotValueTable plotValueTable(const HarmonicParams& params, double W, const PlotChoice& choice);

// The table as CSV for a spreadsheet: the header's names, then a row each,
// the cells separated by `separator` and the numbers written to the last bit
// with `decimalMark`; a cell that holds a comma or a semicolon is quoted.
std::string plotValueText(const PlotValueTable& table, const std::vector<std::string>& header, char separator,
                          char decimalMark);

} // namespace tavelo
