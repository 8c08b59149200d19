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
// in two, four or eight seconds, its height as pitch, a quiet noise below 0
// and a click at each zero crossing, from the left ear to the right with the
// time, the cursor's line moving with the sound; and each step of the
// reading cursor by key as a short tone at the pitch there, with a click
// where it passed a crossing of zero. The sounds go through the program's
// one player, so any other sound stops the trace, as does a new plot; asking
// for it again or Esc stops it too, and the point heard becomes the
// cursor's, so that the reading goes on from there.
class GraphTrace : public QObject {
    Q_OBJECT

public:
    GraphTrace(PictureBox* plot, const PlotControl* control, PlotCursor* cursor, SoundPlayer* player,
               QObject* parent);

    static constexpr double kStartSeconds = 4;
    static constexpr double kStepToneSeconds = 0.12;

    bool isTracing() const { return m_tracing; }
    double seconds() const { return m_seconds; }
    // Plays the trace of the last plot, or stops the one that plays at the
    // point heard.
    void toggle();
    // Stops the trace, the cursor left at the point heard.
    void stopHere();
    // The trace's length across the plot; during a trace, the rest of the
    // curve plays at the new speed from the point heard.
    void setSeconds(double seconds);
    // The short tone of the value at column x of the last plot.
    void playColumn(int x, bool click = false);
    // A target's values at the columns of the last plot (a task's), played
    // after the curve; empty: none.
    using TargetColumns = std::function<std::vector<double>()>;
    void setTarget(TargetColumns target) { m_target = std::move(target); }

private:
    void play(int fromColumn);
    void stop();
    // The column the trace plays now: of the curve, or of the target after it.
    int columnHeard() const;
    // How long the curve's pass lasts.
    double curveMilliseconds() const;
    void follow();
    void ended();

    PictureBox* m_plot;
    const PlotControl* m_control;
    PlotCursor* m_cursor;
    SoundPlayer* m_player;
    TargetColumns m_target;
    int m_passes = 1; // the curve, and the target after it
    double m_seconds = kStartSeconds;
    int m_fromColumn = 0; // where the curve's pass began
    bool m_tracing = false;
    QTimer m_follower;
    QElapsedTimer m_clock;
};
