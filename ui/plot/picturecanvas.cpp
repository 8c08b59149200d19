#include "ui/plot/picturecanvas.h"

#include "core/vectorstate.h"
#include "ui/widgets/picturebox.h"

#include <QPen>

namespace {

// Light, and far enough apart that neighbouring terms are told apart; none
// is blue like the sum, grey like the limit shape or green like the zero line.
constexpr std::array<QRgb, PictureCanvas::kPaletteSize> kTermColors{
    qRgb(240, 128, 128), qRgb(255, 176, 80),  qRgb(190, 190, 60),  qRgb(110, 200, 170),
    qRgb(120, 185, 235), qRgb(190, 140, 230), qRgb(240, 140, 200), qRgb(200, 160, 120),
};

const QColor kTargetColor(96, 96, 96);
// The target shape is drawn in dashes of this many columns with gaps as long.
constexpr int kDashColumns = 4;

QLineF lineOf(const tavelo::PlotSegment& segment)
{
    return QLineF(segment.x1, segment.y1, segment.x2, segment.y2);
}

} // namespace

PictureCanvas::PictureCanvas(PictureBox* box)
    : m_box(box)
{
    // Whatever painted last (the cleared area, the spectrum) ran before the loop's arithmetic.
    tavelo::releaseUpperVectorState();
}

QColor PictureCanvas::termColor(int n)
{
    return QColor(kTermColors[static_cast<std::size_t>((n - 1) % kPaletteSize)]);
}

void PictureCanvas::firstPoint(float x, float y)
{
    m_box->PSet(x, y);
    m_last = QPointF(x, y);
    tavelo::releaseUpperVectorState();
}

void PictureCanvas::nextPoint(const tavelo::PlotColumn& column)
{
    const QPointF point(column.x, column.y);
    if (column.parts.isEmpty() && !m_held) {
        m_box->Line(column.x, column.y);
    } else {
        drawParts(column.parts);
        drawHeldSegment();
        m_held = QLineF(m_last, point);
    }
    m_last = point;
    tavelo::releaseUpperVectorState();
}

void PictureCanvas::endOfPlot()
{
    drawHeldSegment();
    tavelo::releaseUpperVectorState();
}

void PictureCanvas::drawParts(const tavelo::ColumnParts& parts)
{
    for (const tavelo::TermSegment& term : parts.terms)
        m_termLines[static_cast<std::size_t>((term.n - 1) % kPaletteSize)].append(lineOf(term.segment));
    for (std::size_t i = 0; i < m_termLines.size(); ++i) {
        if (m_termLines[i].isEmpty())
            continue;
        m_box->drawLines(m_termLines[i], QPen(QColor(kTermColors[i]), 1.0));
        m_termLines[i].clear();
        // The area converts the next batch's coordinates before it paints them.
        tavelo::releaseUpperVectorState();
    }
    if (parts.target && (static_cast<int>(parts.target->x2) - 1) / kDashColumns % 2 == 0) {
        m_box->drawLines({lineOf(*parts.target)}, QPen(kTargetColor, 1.0));
        tavelo::releaseUpperVectorState();
    }
}

void PictureCanvas::drawHeldSegment()
{
    if (!m_held)
        return;
    m_box->Line(float(m_held->x1()), float(m_held->y1()), float(m_held->x2()), float(m_held->y2()));
    m_held.reset();
}
