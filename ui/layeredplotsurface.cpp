#include "ui/layeredplotsurface.h"

#include "ui/picturebox.h"

#include <QPen>

namespace {

// Light, and far enough apart that neighbouring terms are told apart; none
// is blue like the sum, grey like the limit shape or green like the zero line.
constexpr std::array<QRgb, LayeredPlotSurface::kPaletteSize> kTermColors{
    qRgb(240, 128, 128), qRgb(255, 176, 80),  qRgb(190, 190, 60),  qRgb(110, 200, 170),
    qRgb(120, 185, 235), qRgb(190, 140, 230), qRgb(240, 140, 200), qRgb(200, 160, 120),
};

const QColor kLimitColor(96, 96, 96);
// The limit shape is drawn in dashes of this many columns with gaps as long.
constexpr int kDashColumns = 4;

} // namespace

LayeredPlotSurface::LayeredPlotSurface(PictureBox* box)
    : m_box(box)
{
}

QColor LayeredPlotSurface::termColor(int n)
{
    return QColor(kTermColors[static_cast<std::size_t>((n - 1) % kPaletteSize)]);
}

void LayeredPlotSurface::PSet(float x, float y)
{
    flushParts();
    m_box->PSet(x, y);
    m_sum = {QPointF(x, y)};
}

void LayeredPlotSurface::Line(float x, float y)
{
    flushParts();
    // The parts of this column start where the sum's previous segment ends and
    // can reach a pixel back into the one before: stroking both again keeps
    // every pixel of the sum on top.
    for (qsizetype i = 1; i < m_sum.size(); ++i)
        m_box->Line(float(m_sum[i - 1].x()), float(m_sum[i - 1].y()), float(m_sum[i].x()), float(m_sum[i].y()));
    m_box->Line(x, y);
    m_sum.append(QPointF(x, y));
    if (m_sum.size() > 3)
        m_sum.removeFirst();
}

void LayeredPlotSurface::termSegment(int n, float x1, float y1, float x2, float y2)
{
    m_termLines[static_cast<std::size_t>((n - 1) % kPaletteSize)].append(QLineF(x1, y1, x2, y2));
}

void LayeredPlotSurface::limitSegment(float x1, float y1, float x2, float y2)
{
    if ((static_cast<int>(x2) - 1) / kDashColumns % 2 == 0)
        m_limitLines.append(QLineF(x1, y1, x2, y2));
}

void LayeredPlotSurface::flushParts()
{
    for (std::size_t i = 0; i < m_termLines.size(); ++i) {
        if (m_termLines[i].isEmpty())
            continue;
        m_box->drawLines(m_termLines[i], QPen(QColor(kTermColors[i]), 1.0));
        m_termLines[i].clear();
    }
    if (!m_limitLines.isEmpty()) {
        m_box->drawLines(m_limitLines, QPen(kLimitColor, 1.0));
        m_limitLines.clear();
    }
}
