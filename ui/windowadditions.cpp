#include "ui/windowadditions.h"

#include "ui/form1.h"
#include "ui/partsplotter.h"
#include "ui/picturemenus.h"
#include "ui/plotcursor.h"
#include "ui/plotsound.h"
#include "ui/soundplayer.h"
#include "ui/termclipboard.h"
#include "ui/termwriter.h"

WindowAdditions::WindowAdditions(Form1* form)
    : QObject(form)
{
    const Ui::Form1& ui = form->controls();
    m_pictureMenus = new PictureMenus(ui.Picture1, ui.Picture2, this);
    m_partsPlotter = new PartsPlotter(ui.Picture1, form->font(), this);
    auto* termWriter = new TermWriter(form);
    auto* termClipboard = new TermClipboard(form, termWriter);
    auto* cursor = new PlotCursor(ui.Picture1, m_partsPlotter->readout(), this);
    auto* sound = new PlotSound(form);

    // The plot that a waveform starts takes its fields for that waveform.
    connect(m_pictureMenus, &PictureMenus::waveformChosen, m_partsPlotter, &PartsPlotter::setLastWaveform);
    connect(m_pictureMenus, &PictureMenus::waveformChosen, termWriter, &TermWriter::writeWaveform);
    connect(m_pictureMenus, &PictureMenus::randomPhasesRequested, termWriter, &TermWriter::writeRandomPhases);
    connect(m_pictureMenus, &PictureMenus::listenRequested, sound, &PlotSound::toggle);
    connect(m_pictureMenus, &PictureMenus::pitchChosen, sound, &PlotSound::setPitch);
    connect(sound->player(), &SoundPlayer::playingChanged, m_pictureMenus, &PictureMenus::setSoundPlaying);
    connect(m_pictureMenus, &PictureMenus::copyTermsRequested, termClipboard, &TermClipboard::copyTerms);
    connect(m_pictureMenus, &PictureMenus::pasteTermsRequested, termClipboard, &TermClipboard::pasteTerms);
    connect(m_pictureMenus, &PictureMenus::termsToggled, m_partsPlotter, &PartsPlotter::setShowsTerms);
    connect(m_pictureMenus, &PictureMenus::limitToggled, m_partsPlotter, &PartsPlotter::setShowsLimit);
    for (auto toggled : {&PictureMenus::termsToggled, &PictureMenus::limitToggled}) {
        connect(m_pictureMenus, toggled, form, [form] {
            if (!form->isPlotRunning())
                form->Command1_Click();
        });
    }
    connect(form, &Form1::plotRunningChanged, m_pictureMenus, &PictureMenus::setPlotRunning);
    connect(form, &Form1::plotRunningChanged, cursor, &PlotCursor::setPlotRunning);
}
