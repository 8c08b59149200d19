#include "ui/sound/termsound.h"

#include "ui/series/seriesmodel.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/soundplayer.h"
#include "ui/sound/soundtexts.h"
#include "ui/terms/amplitudebarcontrol.h"
#include "ui/widgets/picturebox.h"

#include <algorithm>

TermSound::TermSound(AmplitudeBarControl* bars, SeriesModel* model, PlotSound* sound, PictureBox* spectrum,
                     QObject* parent)
    : QObject(parent)
    , m_bars(bars)
    , m_model(model)
    , m_sound(sound)
    , m_spectrum(spectrum)
{
    connect(m_bars, &AmplitudeBarControl::selectionChanged, this, [this] {
        if (isPlaying())
            stop();
    });
    connect(m_sound->player(), &SoundPlayer::playingChanged, this, [this](bool playing) {
        if (!playing)
            m_sounding.reset();
    });
}

bool TermSound::isPlaying() const
{
    return m_sounding && m_sound->player()->isPlaying();
}

void TermSound::stop()
{
    m_sounding.reset();
    m_sound->player()->stop();
}

void TermSound::play(bool alone)
{
    if (m_model->termCount() < 1)
        return;
    const int n = m_bars->chosenTerm();
    const Sounding asked{n, alone};
    if (isPlaying() && *m_sounding == asked) {
        stop();
        return;
    }
    tavelo::HarmonicParams terms = m_model->read();
    const auto index = static_cast<std::size_t>(n);
    if (alone) {
        const double A = terms.A[index];
        std::fill(terms.A.begin(), terms.A.end(), 0.0);
        terms.A[index] = A;
    } else {
        terms.A[index] = 0;
    }
    QString refusal;
    if (std::all_of(terms.A.begin(), terms.A.end(), [](double A) { return A == 0; }))
        refusal = alone ? silentTermText(n) : silentSumWithoutTermText(n);
    else if (alone && double(n) * m_sound->pitch() >= PlotSound::kSampleRate / 2.0)
        refusal = inaudibleTermText(n, double(n) * m_sound->pitch());
    if (!refusal.isEmpty()) {
        m_spectrum->announce(refusal);
        return;
    }
    m_sound->playTerms(terms);
    m_sounding = asked;
    m_spectrum->announce(alone ? termAloneText(n) : sumWithoutTermText(n));
}
