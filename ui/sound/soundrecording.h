#pragma once

#include "core/recordinganalysis.h"

#include "ui/sound/sounddevices.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

class PictureBox;
class PlotControl;
class SeriesModel;
class SoundPlayer;
class SoundRecorder;

// «Записать звук»: a second from the desktop's default input, its pitch and
// averaged period found in the basis chosen, and either the sound handed on
// for its terms or a message that says why it gives none, nothing else
// changed. A sound that plays is stopped first, so that the microphone does
// not hear it; a recording that ends during a plot waits for the plot.
class SoundRecording : public QObject {
    Q_OBJECT

public:
    SoundRecording(SeriesModel* model, PlotControl* plot, PictureBox* area, SoundPlayer* player,
                   std::shared_ptr<SoundDevices> devices, QObject* parent);

    static constexpr int kSampleRate = kSoundSampleRate;
    static constexpr double kSeconds = 1;

    bool isRecording() const;
    void start();
    // What a recording brought, analysed at once or after the running plot;
    // a fault's message begins with `source`, where the sound came from.
    void analyse(const std::vector<float>& samples, int sampleRate, const QString& source = {});

signals:
    void recordingChanged(bool recording);
    // A sound of `samples` samples whose terms can be written.
    void soundAnalysed(const tavelo::RecordedSound& sound, int samples);

private:
    void analyseWaiting(bool plotRunning);

    SeriesModel* m_model;
    PlotControl* m_plot;
    PictureBox* m_area;
    SoundPlayer* m_player;
    SoundRecorder* m_recorder;
    std::optional<std::tuple<std::vector<float>, int, QString>> m_waiting; // samples, their rate and source
};
