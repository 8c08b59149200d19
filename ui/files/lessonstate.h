#pragma once

#include "core/lessonfile.h"
#include "ui/series/seriesstate.h"

// What a lesson keeps beyond the series' state: how the plot is heard and
// whether it shows its terms.
struct LessonView {
    double pitch = 220;
    bool termsShown = false;
};

// The series' state and the view as a lesson file keeps them.
tavelo::Lesson lessonOf(const SeriesState& state, const LessonView& view);

// The state a lesson gives the series: its fields, target and choices, no
// task; what the lesson does not hold is taken from `current`.
SeriesState stateOf(const tavelo::Lesson& lesson, const SeriesState& current);
LessonView viewOf(const tavelo::Lesson& lesson);
