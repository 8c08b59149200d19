#pragma once

#include <QRect>
#include <QRegion>

#include <optional>

class QPainter;

// A mark over one column of a drawing area that is not part of its drawing:
// the cursor's thin line, or the frame round the column the keys read.
class ColumnMark {
public:
    enum class Look { Line, Frame };

    // The mark covers so many pixels either side of its column.
    ColumnMark(Look look, int halfWidth);

    std::optional<double> column() const { return m_column; }
    // Puts the mark over column x, in scale units (empty: no mark); returns
    // what has to be repainted, where it was and where it is now.
    QRegion moveTo(std::optional<double> x, const QRect& contents, double pixelsPerUnit);
    void paint(QPainter& painter, const QRect& contents, double pixelsPerUnit) const;

private:
    QRect area(std::optional<double> x, const QRect& contents, double pixelsPerUnit) const;

    Look m_look;
    int m_halfWidth;
    std::optional<double> m_column;
};
