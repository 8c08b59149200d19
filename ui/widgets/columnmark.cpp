#include "ui/widgets/columnmark.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <cmath>

ColumnMark::ColumnMark(Look look, int halfWidth)
    : m_look(look)
    , m_halfWidth(halfWidth)
{
}

QRegion ColumnMark::moveTo(std::optional<double> x, const QRect& contents, double pixelsPerUnit)
{
    if (x == m_column)
        return {};
    QRegion changed(area(m_column, contents, pixelsPerUnit));
    m_column = x;
    return changed + area(m_column, contents, pixelsPerUnit);
}

void ColumnMark::paint(QPainter& painter, const QRect& contents, double pixelsPerUnit) const
{
    if (!m_column)
        return;
    const QRect covered = area(m_column, contents, pixelsPerUnit);
    if (m_look == Look::Line) {
        painter.fillRect(covered.adjusted(1, 0, -1, 0).intersected(contents), QColor(64, 64, 64));
    } else {
        painter.setPen(QPen(QColor(0, 0, 255), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(covered.intersected(contents).adjusted(0, 0, -1, -1));
    }
}

QRect ColumnMark::area(std::optional<double> x, const QRect& contents, double pixelsPerUnit) const
{
    if (!x)
        return {};
    const int column = contents.left() + static_cast<int>(std::floor(*x * pixelsPerUnit));
    return QRect(column - m_halfWidth, contents.top(), 2 * m_halfWidth + 1, contents.height());
}
