#include "ui/sound/plotsound.h"

#include "core/tone.h"
#include "ui/sound/soundplayer.h"
#include "ui/sound/soundtexts.h"
#include "ui/widgets/picturebox.h"
#include "ui/widgets/messages.h"
#include "ui/series/seriesmodel.h"

PlotSound::PlotSound(SeriesModel* model, PictureBox* plot, std::shared_ptr<SoundDevices> devices, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
    , m_player(new SoundPlayer(std::move(devices), this))
    , m_pitch(kStartPitch)
{
    connect(m_player, &SoundPlayer::failed, this, [this](const SoundFailure& failure) {
        showMessage(QMessageBox::Warning, soundFailureText(failure, SoundDirection::Playing), m_plot);
    });
}

void PlotSound::toggle()
{
    if (m_player->isPlaying())
        m_player->stop();
    else
        play();
}

void PlotSound::play()
{
    playTerms(m_model->read());
}

void PlotSound::playTerms(const tavelo::HarmonicParams& terms)
{
    tavelo::Tone tone = tavelo::toneSamples(terms, m_pitch, kSampleRate, kSeconds);

    QString description = m_plot->accessibleDescription();
    if (!m_note.isEmpty() && description.endsWith(m_note))
        description.chop(m_note.size());
    m_note = tone.termsLeftOut == 0 ? QString() : termsNotHeardText(kSampleRate, tone.termsLeftOut);
    m_plot->setAccessibleDescription(description + m_note);
    if (!m_note.isEmpty())
        m_plot->announce(m_note.trimmed());
    m_player->play(std::move(tone.samples), kSampleRate);
}
