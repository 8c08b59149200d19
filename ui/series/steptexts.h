#pragma once

#include "ui/series/seriesfields.h"

#include <QString>

class QWidget;

// The names of the steps of the series' history that typing makes, as the
// undo and redo items show them after their colon.

// Typing in `typed`, one of the series' fields: «изменение амплитуды 3».
// Empty for any other widget.
QString typingStepName(const SeriesFields::Controls& fields, const QWidget* typed);

// «выбор SIN» or «выбор COS».
QString basisStepName(bool sinBasis);
