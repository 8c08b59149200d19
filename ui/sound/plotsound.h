#pragma once

#include "core/harmonicparams.h"

#include "ui/sound/sounddevices.h"

#include <QObject>
#include <QString>

#include <memory>

class PictureBox;
class SeriesModel;
class SoundPlayer;

// The sum of the terms as the fields read now, in the basis chosen, played
// for two seconds at the chosen pitch of the fundamental. What cannot be
// heard, terms at or above half the sample rate, is left out, and the plot
// area's description says how many were.
class PlotSound : public QObject {
    Q_OBJECT

public:
    PlotSound(SeriesModel* model, PictureBox* plot, std::shared_ptr<SoundDevices> devices, QObject* parent);

    static constexpr int kSampleRate = kSoundSampleRate;
    static constexpr double kSeconds = 2;
    // The pitches of the fundamental to choose from, in hertz.
    static constexpr int kPitches[] = {110, 220, 440, 880};
    static constexpr int kStartPitch = 220;

    void setPitch(double hertz) { m_pitch = hertz; }
    double pitch() const { return m_pitch; }
    // Plays, or stops the sound that plays.
    void toggle();
    // Plays other terms than the fields hold (a task's target) the same way.
    void playTerms(const tavelo::HarmonicParams& terms);

    SoundPlayer* player() const { return m_player; }

private:
    void play();

    SeriesModel* m_model;
    PictureBox* m_plot;
    SoundPlayer* m_player;
    double m_pitch;
    QString m_note; // what the last sound added to the plot's description
};
