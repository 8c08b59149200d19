#pragma once

#include "core/plotparts.h"
#include "core/plotsurface.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPointF>

#include <array>

class PictureBox;

// Draws a plot with its parts into the plot area: the terms as thin lines in
// light colours that repeat every few terms, the limit shape dashed in grey,
// and the sum on top of both in the area's own colour. The parts of a column
// come before its point of the sum, which then strokes its last segments
// again, so that no part lies over the sum.
class LayeredPlotSurface : public tavelo::PlotSurface, public tavelo::PartsSurface {
public:
    explicit LayeredPlotSurface(PictureBox* box);

    void PSet(float x, float y) override;
    void Line(float x, float y) override;
    void termSegment(int n, float x1, float y1, float x2, float y2) override;
    void limitSegment(float x1, float y1, float x2, float y2) override;

    static constexpr int kPaletteSize = 8;
    // The colour of term n.
    static QColor termColor(int n);

private:
    void flushParts();

    PictureBox* m_box;
    std::array<QList<QLineF>, kPaletteSize> m_termLines;
    QList<QLineF> m_limitLines;
    // The last three points of the sum, oldest first.
    QList<QPointF> m_sum;
};
