#pragma once

#include "core/shape.h"
#include "core/task.h"
#include "ui/plot/shapesource.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class PlotControl;
class PlotSound;
class SeriesFields;

// A task on: a hidden series in the sine basis whose shape is the plot's
// target, drawn dashed behind the sum with the deviation from it, the task's
// words in the plot's corner. The student changes the terms in any way the
// window offers and asks for a check: a match counts, says so and starts the
// next task of the level; a miss says how far the sum is and how many terms
// are right. The answer can be shown (counting nothing) and the target
// heard; ending the task removes the target and leaves the fields.
class TaskSession : public QObject {
    Q_OBJECT

public:
    TaskSession(SeriesFields* fields, PlotControl* plot, PlotSound* sound, QObject* parent);

    bool isOn() const { return m_on; }
    const tavelo::TaskRound& round() const { return m_round; }

    // Starts a round at the level, from the clock's seed or the one given.
    void start(int level);
    void start(int level, std::uint64_t seed);
    void check();
    void showAnswer();
    void playTarget();
    void end();
    // Another target took the task's place: the task is off, the plot as it is.
    void leave();

    // The target's value at column x of a plot of W columns with P periods,
    // as the plot draws it; nothing when no task is on.
    std::optional<double> targetAt(double x, double W, double P) const;

signals:
    void onChanged(bool on);
    // The task's target, to be shown with the plot it starts.
    void targetSet(std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source);
    void targetRemoved();

private:
    void begin();
    void showTarget();
    void setOn(bool on);

    SeriesFields* m_fields;
    PlotControl* m_plot;
    PlotSound* m_sound;
    tavelo::TaskRound m_round;
    std::shared_ptr<const tavelo::Shape> m_target;
    bool m_on = false;
    bool m_answerShown = false; // this task's answer counts no point
    // The result of the last check, said with the plot it starts, then gone.
    QString m_result;
};
