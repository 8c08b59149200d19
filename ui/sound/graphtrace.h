#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

class PictureBox;
class PlotControl;
class PlotCursor;
class SoundPlayer;

// The plot heard: the curve as drawn played from the left edge to the right
// in four seconds, its height as pitch, a quiet noise below 0 and a click at
// each zero crossing, the cursor's line moving with the sound; and each step
// of the reading cursor by key as a short tone at the pitch there. The
// sounds go through the program's one player, so any other sound stops the
// trace, as does asking for it again, Esc or a new plot.
class GraphTrace : public QObject {
    Q_OBJECT

public:
    GraphTrace(PictureBox* plot, const PlotControl* control, PlotCursor* cursor, SoundPlayer* player,
               QObject* parent);

    static constexpr double kSeconds = 4;
    static constexpr double kStepToneSeconds = 0.12;

    bool isTracing() const { return m_tracing; }
    // Plays the trace of the last plot, or stops the one that plays.
    void toggle();
    void stop();
    // The short tone of the value at column x of the last plot.
    void playColumn(int x);
    // A target's values at the columns of the last plot (a task's), played
    // after the curve; empty: none.
    using TargetColumns = std::function<std::vector<double>()>;
    void setTarget(TargetColumns target) { m_target = std::move(target); }

private:
    void play();
    void follow();
    void ended();

    PictureBox* m_plot;
    const PlotControl* m_control;
    PlotCursor* m_cursor;
    SoundPlayer* m_player;
    TargetColumns m_target;
    int m_passes = 1; // the curve, and the target after it
    bool m_tracing = false;
    QTimer m_follower;
    QElapsedTimer m_clock;
};
