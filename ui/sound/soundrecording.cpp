#include "ui/sound/soundrecording.h"

#include "ui/sound/soundplayer.h"
#include "ui/sound/soundrecorder.h"
#include "ui/sound/soundtexts.h"
#include "ui/widgets/picturebox.h"
#include "ui/widgets/messages.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"

SoundRecording::SoundRecording(SeriesModel* model, PlotControl* plot, PictureBox* area, SoundPlayer* player,
                               std::shared_ptr<SoundDevices> devices, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
    , m_area(area)
    , m_player(player)
    , m_recorder(new SoundRecorder(std::move(devices), this))
{
    connect(m_recorder, &SoundRecorder::recordingChanged, this, &SoundRecording::recordingChanged);
    connect(m_recorder, &SoundRecorder::recorded, this,
            [this](const std::vector<float>& samples, int sampleRate) { analyse(samples, sampleRate); });
    connect(m_recorder, &SoundRecorder::failed, this, [this](const SoundFailure& failure) {
        showMessage(QMessageBox::Warning, soundFailureText(failure, SoundDirection::Recording), m_area);
    });
    connect(m_plot, &PlotControl::runningChanged, this, &SoundRecording::analyseWaiting);
}

bool SoundRecording::isRecording() const
{
    return m_recorder->isRecording();
}

void SoundRecording::start()
{
    if (m_recorder->isRecording() || m_plot->isRunning())
        return;
    m_player->stop();
    m_area->announce(recordingText());
    m_recorder->record(kSeconds, kSampleRate);
}

void SoundRecording::analyse(const std::vector<float>& samples, int sampleRate, const QString& source)
{
    if (m_plot->isRunning()) {
        m_waiting.emplace(samples, sampleRate, source);
        return;
    }
    const auto result = tavelo::analyseRecording(samples, sampleRate, m_model->sinBasis());
    if (const auto* fault = std::get_if<tavelo::RecordingFault>(&result)) {
        showMessage(QMessageBox::Warning, source + recordingFaultText(*fault), m_area);
        return;
    }
    emit soundAnalysed(std::get<tavelo::RecordedSound>(result), static_cast<int>(samples.size()));
}

void SoundRecording::analyseWaiting(bool plotRunning)
{
    if (plotRunning || !m_waiting)
        return;
    const auto [samples, sampleRate, source] = std::move(*m_waiting);
    m_waiting.reset();
    analyse(samples, sampleRate, source);
}
