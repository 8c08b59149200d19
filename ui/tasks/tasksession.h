#pragma once

#include "core/task.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class PlotControl;
class PlotSound;
class SeriesModel;
struct TaskState;

// A task on: a hidden series in the sine basis whose shape is the plot's
// target, drawn dashed behind the sum with the deviation from it, the task's
// words in the plot's corner. The student changes the terms in any way the
// window offers and asks for a check: a match counts, says so and starts the
// next task of the level; a miss says how far the sum is and how many terms
// are right. The answer can be shown (counting nothing) and the target
// heard; ending the task removes the target and leaves the fields. The task
// lives in the series' model: beginning, showing the answer and ending are
// steps of its history, and any series of the user's takes its place. A
// teacher's task, opened from a file, has a target and words and no series:
// a check compares the sum with the target, and there is no answer to show.
class TaskSession : public QObject {
    Q_OBJECT

public:
    TaskSession(SeriesModel* model, PlotControl* plot, PlotSound* sound, QObject* parent);

    bool isOn() const;
    const tavelo::TaskRound& round() const;

    // Starts a round at the level, from the clock's seed or the one given.
    void start(int level);
    void start(int level, std::uint64_t seed);
    void check();
    void showAnswer();
    void playTarget();
    void end();

    // The target's value at column x of a plot of W columns with P periods,
    // as the plot draws it; nothing when no task is on.
    std::optional<double> targetAt(double x, double W, double P) const;

private:
    void begin(TaskState state, const QString& stepName);
    void checkTeachers(TaskState state);
    void showTarget();

    SeriesModel* m_model;
    PlotControl* m_plot;
    PlotSound* m_sound;
    // The task whose answer was shown: solving it counts no point, even
    // after the showing is undone.
    std::optional<tavelo::Task> m_answered;
};
