#pragma once

#include "core/plotcanvas.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPointF>

#include <array>
#include <optional>

class PictureBox;

// The plot area as the column loop draws on it: the sum in the area's own
// colour, the terms beside it as thin lines in light colours that repeat
// every few terms, the shape it is compared with dashed in grey. A part
// segment covers the pixel columns of the sum's segments on either side of
// it, so with parts the sum's segment of a column waits until the parts of
// the next column are drawn: every pixel of the sum lies on top, and none is
// drawn twice. Each drawing leaves the processor's vector state clean for
// the arithmetic that follows.
class PictureCanvas : public tavelo::PlotCanvas {
public:
    explicit PictureCanvas(PictureBox* box);

    void firstPoint(float x, float y) override;
    void nextPoint(const tavelo::PlotColumn& column) override;
    void endOfPlot() override;

    static constexpr int kPaletteSize = 8;
    // The colour of term n.
    static QColor termColor(int n);

private:
    void drawParts(const tavelo::ColumnParts& parts);
    void drawHeldSegment();

    PictureBox* m_box;
    QPointF m_last; // the sum's last point, drawn or held
    std::optional<QLineF> m_held;
    std::array<QList<QLineF>, kPaletteSize> m_termLines;
};
