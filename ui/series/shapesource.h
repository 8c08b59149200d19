#pragma once

#include <QStringList>

#include <optional>

// Where the terms of a shape of the user's came from, for what the plot
// says of them.
struct ShapeSource {
    enum class Kind { Drawn, Pasted, Recorded, Task, Operation, Kept };
    Kind kind = Kind::Drawn;
    int samples = 0;
    // The shape's mean, which the series has no term for, where it is enough
    // of the shape to say that it was left out.
    std::optional<double> droppedMean;
    // What the plot's corner says first, and its description with it (a
    // task's words and the result of its last check).
    QStringList notes;

    // A shape is drawn one period across the plot area, shown so while it is
    // drawn and plotted so with its terms.
    static constexpr int kDrawnPeriods = 1;
};
