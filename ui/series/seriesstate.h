#pragma once

#include "core/shape.h"
#include "core/task.h"
#include "core/termcount.h"
#include "core/waveforms.h"
#include "ui/series/shapesource.h"

#include <QString>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>

// The fields of the series as typed: N, H, the largest visible coordinate,
// the periods, every amplitude and phase, and the basis.
struct SeriesTexts {
    QString N;
    QString H;
    QString Amax;
    QString periods;
    std::array<QString, tavelo::kMaxTerms + 1> A; // index 0 unused
    std::array<QString, tavelo::kMaxTerms + 1> Fi;
    bool sinBasis = true;

    bool operator==(const SeriesTexts&) const = default;
};

// The shape the sum is compared with (a user's or a task's), its mean taken
// out, and its words; no shape: none.
struct SeriesTarget {
    std::shared_ptr<const tavelo::Shape> shape;
    ShapeSource source;
};

// A task on: the round, whether its answer was shown (it then counts no
// point) and the result of the last check, said with the plot it starts. A
// teacher's task has its words instead of a round: its target is all there
// is of it.
struct TaskState {
    tavelo::TaskRound round;
    bool answerShown = false;
    QString result;
    std::optional<QString> teacherWords;

    bool isTeachers() const { return teacherWords.has_value(); }
};

// Everything a step of the series' history puts back.
struct SeriesState {
    SeriesTexts texts;
    SeriesTarget target;
    bool limitShown = false;
    std::optional<tavelo::Waveform> lastWaveform;
    std::optional<TaskState> task;
    // Whether the plot area showed a plot of the series, and which amplitude
    // and phase fields were on show: put back, never a change.
    bool plotShown = false;
    int amplitudeOnShow = 1;
    int phaseOnShow = 1;
};

// Whether two states differ in anything a step changes.
bool sameSeries(const SeriesState& a, const SeriesState& b);

// What a step with these two states keeps in memory beyond what the window
// holds anyway: the texts it holds, and a shape it brought.
std::size_t stateBytes(const SeriesState& before, const SeriesState& after);
