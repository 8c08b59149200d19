#pragma once

#include <QLineF>
#include <QPointF>

#include <optional>

// A segment between two points in pixels as the raster engine can draw it:
// nothing when a point is not a number, which has no place to be drawn;
// infinities and huge values are drawn towards the far edge, as the area
// would clip them.
std::optional<QLineF> drawableLine(QPointF from, QPointF to);
