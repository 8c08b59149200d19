#include "ui/sound/graphtrace.h"

#include "core/audiotrace.h"
#include "ui/plot/plotcontrol.h"
#include "ui/plot/plotcursor.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/soundplayer.h"
#include "ui/widgets/picturebox.h"

#include <algorithm>
#include <cmath>

GraphTrace::GraphTrace(PictureBox* plot, const PlotControl* control, PlotCursor* cursor, SoundPlayer* player,
                       QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_control(control)
    , m_cursor(cursor)
    , m_player(player)
{
    // A new plot stops the trace of the one before.
    connect(m_control, &PlotControl::runningChanged, this, [this](bool running) {
        if (running)
            stop();
    });
    m_follower.setInterval(20);
    connect(&m_follower, &QTimer::timeout, this, &GraphTrace::follow);
    // Whatever silences the player, a new sound included, ends the trace.
    connect(m_player, &SoundPlayer::playingChanged, this, [this](bool playing) {
        if (!playing)
            ended();
    });
}

void GraphTrace::toggle()
{
    if (m_tracing)
        stopHere();
    else
        play(0);
}

void GraphTrace::stop()
{
    if (m_tracing)
        m_player->stop();
}

void GraphTrace::stopHere()
{
    if (!m_tracing)
        return;
    const int heard = columnHeard();
    stop();
    // Esc in a field stops the trace too; the line is for the area's reader.
    if (m_cursor->isReadable() && m_plot->hasFocus())
        m_cursor->placeAt(heard);
}

void GraphTrace::setSeconds(double seconds)
{
    m_seconds = seconds;
    if (m_tracing && m_clock.elapsed() < curveMilliseconds())
        play(columnHeard());
}

double GraphTrace::curveMilliseconds() const
{
    const int last = m_control->lastResult().readout.lastColumn();
    return last > 0 ? 1000 * m_seconds * double(last - m_fromColumn) / last : 1000 * m_seconds;
}

void GraphTrace::play(int fromColumn)
{
    const tavelo::PlotReadout& readout = m_control->lastResult().readout;
    if (m_control->isRunning() || readout.isEmpty())
        return;
    const int last = readout.lastColumn();
    m_fromColumn = std::clamp(fromColumn, 0, last);
    const double from = last > 0 ? double(m_fromColumn) / last : 0;
    const std::span<const double> rest = std::span<const double>(readout.values()).subspan(std::size_t(m_fromColumn));
    std::vector<float> samples = tavelo::stereoTrace(rest, readout.Amax(), PlotSound::kSampleRate,
                                                     m_seconds * (1 - from), from, 1);
    m_passes = 1;
    if (const std::vector<double> target = m_target ? m_target() : std::vector<double>(); !target.empty()) {
        const std::vector<float> after =
            tavelo::stereoTrace(target, readout.Amax(), PlotSound::kSampleRate, m_seconds);
        samples.insert(samples.end(), after.begin(), after.end());
        m_passes = 2;
    }
    m_player->play(std::move(samples), PlotSound::kSampleRate, SoundPlayer::Failure::Reported, 2);
    m_tracing = true;
    m_clock.start();
    m_follower.start();
    follow();
}

void GraphTrace::playColumn(int x, bool click)
{
    const tavelo::PlotReadout& readout = m_control->lastResult().readout;
    if (m_control->isRunning() || x < 0 || x > readout.lastColumn())
        return;
    m_player->play(
        tavelo::valueTone(readout.value(x), readout.Amax(), PlotSound::kSampleRate, kStepToneSeconds, click),
        PlotSound::kSampleRate, SoundPlayer::Failure::Unreported);
}

int GraphTrace::columnHeard() const
{
    const int last = m_control->lastResult().readout.lastColumn();
    const double elapsed = double(m_clock.elapsed());
    const double curve = curveMilliseconds();
    if (elapsed < curve || m_passes == 1) {
        const double along = curve > 0 ? std::min(1.0, elapsed / curve) : 1.0;
        return m_fromColumn + int(std::lround(along * (last - m_fromColumn)));
    }
    // The target's pass, from the left edge again.
    const double along = std::min(1.0, (elapsed - curve) / (1000 * m_seconds));
    return int(std::lround(along * last));
}

void GraphTrace::follow()
{
    m_plot->setMarker(columnHeard());
}

void GraphTrace::ended()
{
    if (!m_tracing)
        return;
    m_tracing = false;
    m_follower.stop();
    // The line goes back to where the reader left it, if anywhere.
    const std::optional<int> column = m_cursor->column();
    m_plot->setMarker(column ? std::optional<double>(*column) : std::nullopt);
}
