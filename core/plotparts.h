#pragma once

#include "core/harmonicparams.h"
#include "core/plotcanvas.h"
#include "core/shape.h"
#include "core/waveforms.h"

#include <optional>
#include <vector>

namespace tavelo {

// What a plot shows beside the sum.
struct PartsChoice {
    bool terms = false;             // every term whose amplitude is not 0
    std::optional<Waveform> limit;  // the shape this waveform's series approaches
    const Shape* shape = nullptr;   // or this one, repeated over the periods
};

// The chosen parts column by column beside the sum, through the same mapping
// onto the plot area, and how far the sum is from the shape it is compared
// with (a limit shape or a shape of the user's) over the points drawn. A part's point that has no coordinate (one beyond the double
// range) is left out, and so are its two segments.
class PlotParts {
public:
    PlotParts(const HarmonicParams& params, double W, double Hs, PartsChoice choice);

    bool wantsTerms() const { return m_choice.terms; }
    // The parts' segments that end at column x, where the sum is f with these
    // terms (index n for term n). Valid until the next call.
    ColumnParts at(double x, double f, std::span<const double> terms);

    // The root mean square of the sum less the shape it is compared with over
    // the points drawn; empty without one or before the first point.
    std::optional<double> deviation() const;

private:
    struct Point {
        float x = 0;
        float y = 0;
        bool valid = false;
    };
    Point pointAt(double x, double value) const;

    const HarmonicParams& m_params;
    double m_W;
    double m_Hs;
    PartsChoice m_choice;
    std::vector<Point> m_termPoints;
    std::vector<TermSegment> m_termSegments;
    Point m_limitPoint;
    double m_squares = 0;
    int m_points = 0;
};

} // namespace tavelo
