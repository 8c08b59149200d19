#pragma once

namespace tavelo {

// Where the column loop draws: the plot area, in its own units, y downwards.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // Sets one point and makes it the current point.
    virtual void PSet(float x, float y) = 0;
    // Draws a segment from the current point to (x, y), which becomes current.
    virtual void Line(float x, float y) = 0;
};

} // namespace tavelo
