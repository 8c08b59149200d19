#include "ui/widgets/drawableline.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any window, yet safe for the raster engine's fixed-point maths.
constexpr qreal kCoordinateLimit = 1.0e6;

qreal clampCoordinate(qreal v)
{
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

} // namespace

std::optional<QLineF> drawableLine(QPointF from, QPointF to)
{
    if (std::isnan(from.x()) || std::isnan(from.y()) || std::isnan(to.x()) || std::isnan(to.y()))
        return std::nullopt;
    return QLineF({clampCoordinate(from.x()), clampCoordinate(from.y())},
                  {clampCoordinate(to.x()), clampCoordinate(to.y())});
}
