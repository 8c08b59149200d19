#pragma once

#include "core/columnplot.h"
#include "core/waveforms.h"

#include <optional>
#include <vector>

namespace tavelo {

// Where a plot draws what it shows beside the sum, in the plot's units.
class PartsSurface {
public:
    virtual ~PartsSurface() = default;

    // The segment of term n between two neighbouring columns.
    virtual void termSegment(int n, float x1, float y1, float x2, float y2) = 0;
    // The segment of the limit shape between two neighbouring columns.
    virtual void limitSegment(float x1, float y1, float x2, float y2) = 0;
};

// What a plot shows beside the sum.
struct PartsChoice {
    bool terms = false;             // every term whose amplitude is not 0
    std::optional<Waveform> limit;  // the shape this waveform's series approaches
};

// Draws the chosen parts column by column with the sum, through the same
// mapping onto the plot area, and measures how far the sum is from the limit
// shape over the points drawn. A part's point that has no coordinate (one
// beyond the double range) is left out, and so are its two segments.
class PlotParts : public ColumnObserver {
public:
    PlotParts(const HarmonicParams& params, double W, double Hs, PartsChoice choice, PartsSurface& surface);

    bool wantsTerms() const override { return m_choice.terms; }
    void pointComputed(double x, double f, std::span<const double> terms) override;

    // The root mean square of the sum less the limit shape over the points
    // drawn; empty without a limit shape or before the first point.
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
    PartsSurface& m_surface;
    std::vector<Point> m_termPoints;
    Point m_limitPoint;
    double m_squares = 0;
    int m_points = 0;
};

} // namespace tavelo
