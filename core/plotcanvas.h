#pragma once

#include <optional>
#include <span>

namespace tavelo {

// A straight segment on the plot area, in its own units, y downwards.
struct PlotSegment {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

// The segment of term n between two neighbouring columns.
struct TermSegment {
    int n = 0;
    PlotSegment segment;
};

// What the plot shows beside the sum between the previous column and this one.
struct ColumnParts {
    std::span<const TermSegment> terms;
    std::optional<PlotSegment> target; // the shape the sum is compared with

    bool isEmpty() const { return terms.empty() && !target; }
};

// One point of the sum with the parts that end at its column.
struct PlotColumn {
    float x = 0;
    float y = 0;
    ColumnParts parts;
};

// Where the column loop draws: the plot area, in its own units, y downwards.
// The parts of a column lie under the sum; how the canvas keeps them there
// is its own affair, as long as what it holds back is drawn by endOfPlot().
class PlotCanvas {
public:
    virtual ~PlotCanvas() = default;

    // The sum's first point, at column 0.
    virtual void firstPoint(float x, float y) = 0;
    // The sum's segment from the previous point to this column's.
    virtual void nextPoint(const PlotColumn& column) = 0;
    // The plot has ended, however it ended: nothing more comes.
    virtual void endOfPlot() {}
};

} // namespace tavelo
