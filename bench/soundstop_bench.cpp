// How quickly a sound falls silent when it is stopped: the player plays a
// tone through the platform's own output and is stopped in the middle, ten
// times. Printed: how long stop() took, and when, after it, the output had
// discarded what was queued and was closed. Run it with a sound server
// (bench/soundstop.sh starts one and runs it natively and under Wine).

#include "ui/sound/soundplayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// When the player's output did what, seen from the outside.
struct Moments {
    std::atomic<Clock::rep> discarded{0};
    std::atomic<Clock::rep> closed{0};
};

class TimedOutput : public SoundOutput {
public:
    TimedOutput(std::unique_ptr<SoundOutput> output, Moments& moments)
        : m_output(std::move(output))
        , m_moments(moments)
    {
    }
    ~TimedOutput() override
    {
        m_output.reset();
        m_moments.closed = Clock::now().time_since_epoch().count();
    }
    bool write(const float* samples, std::size_t count, SoundFailure& failure) override
    {
        return m_output->write(samples, count, failure);
    }
    void drain(const std::atomic<bool>& stopping) override { m_output->drain(stopping); }
    void discard() override
    {
        m_output->discard();
        m_moments.discarded = Clock::now().time_since_epoch().count();
    }

private:
    std::unique_ptr<SoundOutput> m_output;
    Moments& m_moments;
};

class TimedDevices : public SoundDevices {
public:
    Moments moments;

    std::unique_ptr<SoundOutput> openOutput(int sampleRate, int channels, SoundFailure& failure) override
    {
        auto output = m_platform->openOutput(sampleRate, channels, failure);
        return output ? std::make_unique<TimedOutput>(std::move(output), moments) : nullptr;
    }
    std::unique_ptr<SoundInput> openInput(int sampleRate, SoundFailure& failure) override
    {
        return m_platform->openInput(sampleRate, failure);
    }

private:
    std::shared_ptr<SoundDevices> m_platform = SoundDevices::platform();
};

double millisecondsBetween(Clock::rep from, Clock::rep to)
{
    return std::chrono::duration<double, std::milli>(Clock::duration(to - from)).count();
}

void printFigure(const char* what, std::vector<double> values)
{
    const std::vector<double> unsorted = values;
    std::sort(values.begin(), values.end());
    std::printf("%-52s median %7.2f ms, largest %7.2f ms (", what, values[values.size() / 2], values.back());
    for (double v : unsorted) std::printf(" %.1f", v);
    std::printf(")\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    constexpr int kRate = 44100;
    std::vector<float> tone(2 * kRate);
    for (std::size_t k = 0; k < tone.size(); ++k)
        tone[k] = 0.5f * float(std::sin(2 * std::numbers::pi * 220 * double(k) / kRate));

    auto devices = std::make_shared<TimedDevices>();
    SoundPlayer player(devices);
    std::vector<double> stopCalls;
    std::vector<double> discards;
    std::vector<double> closes;
    for (int run = 0; run < 10; ++run) {
        devices->moments.discarded = 0;
        devices->moments.closed = 0;
        player.play(tone, kRate);
        QThread::msleep(500);
        const auto stopped = Clock::now().time_since_epoch().count();
        player.stop();
        stopCalls.push_back(millisecondsBetween(stopped, Clock::now().time_since_epoch().count()));
        QElapsedTimer waiting;
        waiting.start();
        while (devices->moments.closed == 0 && waiting.elapsed() < 3000)
            QThread::msleep(1);
        if (devices->moments.closed == 0 || devices->moments.discarded == 0) {
            std::fprintf(stderr, "the sound was not discarded and closed within three seconds\n");
            return 1;
        }
        discards.push_back(millisecondsBetween(stopped, devices->moments.discarded));
        closes.push_back(millisecondsBetween(stopped, devices->moments.closed));
        QThread::msleep(200);
    }
    printFigure("stop() returned after", stopCalls);
    printFigure("the output discarded its queue after the stop", discards);
    printFigure("the output was closed after the stop", closes);
    return 0;
}
