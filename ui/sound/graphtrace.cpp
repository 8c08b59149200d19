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
        stop();
    else
        play();
}

void GraphTrace::stop()
{
    if (m_tracing)
        m_player->stop();
}

void GraphTrace::play()
{
    const tavelo::PlotReadout& readout = m_control->lastResult().readout;
    if (m_control->isRunning() || readout.isEmpty())
        return;
    std::vector<float> samples =
        tavelo::audioTrace(readout.values(), readout.Amax(), PlotSound::kSampleRate, kSeconds);
    m_passes = 1;
    if (const std::vector<double> target = m_target ? m_target() : std::vector<double>(); !target.empty()) {
        const std::vector<float> after = tavelo::audioTrace(target, readout.Amax(), PlotSound::kSampleRate, kSeconds);
        samples.insert(samples.end(), after.begin(), after.end());
        m_passes = 2;
    }
    m_player->play(std::move(samples), PlotSound::kSampleRate);
    m_tracing = true;
    m_clock.start();
    m_follower.start();
    follow();
}

void GraphTrace::playColumn(int x)
{
    const tavelo::PlotReadout& readout = m_control->lastResult().readout;
    if (m_control->isRunning() || x < 0 || x > readout.lastColumn())
        return;
    m_player->play(tavelo::valueTone(readout.value(x), readout.Amax(), PlotSound::kSampleRate, kStepToneSeconds),
                   PlotSound::kSampleRate, SoundPlayer::Failure::Unreported);
}

void GraphTrace::follow()
{
    // Each pass goes across the plot from its left edge.
    const double passes = std::min(double(m_passes), double(m_clock.elapsed()) / (kSeconds * 1000));
    const double across = passes >= m_passes ? 1.0 : passes - std::floor(passes);
    m_plot->setMarker(across * m_control->lastResult().readout.lastColumn());
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
