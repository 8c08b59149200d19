#include "ui/plotsound.h"

#include "core/harmonicparams.h"
#include "core/termcount.h"
#include "core/tone.h"
#include "ui/fieldtext.h"
#include "ui/form1.h"
#include "ui/messages.h"
#include "ui/picturemenus.h"
#include "ui/soundplayer.h"

PlotSound::PlotSound(Form1* form)
    : QObject(form)
    , m_form(form)
    , m_player(new SoundPlayer(this))
    , m_pitch(PictureMenus::kStartPitch)
{
    connect(m_player, &SoundPlayer::failed, this,
            [this](const QString& reason) { showMessage(QMessageBox::Warning, reason, m_form); });
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
    const auto& ui = m_form->controls();
    tavelo::HarmonicParams params;
    const int terms = tavelo::termsToRead(NumberFromField(ui.Counti));
    params.N = terms;
    params.sinBasis = ui.Option1_0->isChecked();
    params.A.assign(static_cast<std::size_t>(terms) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(terms) + 1, 0.0);
    for (int i = 1; i <= terms; ++i) {
        params.A[static_cast<std::size_t>(i)] = NumberFromField(m_form->AAA(i));
        params.Fi[static_cast<std::size_t>(i)] = NumberFromField(m_form->FFF(i));
    }
    tavelo::Tone tone = tavelo::toneSamples(params, m_pitch, kSampleRate, kSeconds);

    QString description = ui.Picture1->accessibleDescription();
    if (!m_note.isEmpty() && description.endsWith(m_note))
        description.chop(m_note.size());
    m_note = tone.termsLeftOut == 0
                 ? QString()
                 : QStringLiteral(" Звук: слагаемых, частота которых не ниже половины частоты дискретизации "
                                  "(%1 Гц), не слышно; пропущено %2.")
                       .arg(WholeToText(kSampleRate / 2), WholeToText(tone.termsLeftOut));
    ui.Picture1->setAccessibleDescription(description + m_note);
    m_player->play(std::move(tone.samples), kSampleRate);
}
