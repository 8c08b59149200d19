#pragma once

#include <QObject>
#include <QString>

#include <optional>

class AmplitudeBarControl;
class PictureBox;
class PlotSound;
class SeriesModel;

// The term chosen on the spectrum heard by itself, or the sum heard without
// it, at the chosen pitch and with the fades of the whole sum's sound; the
// fields stay as they are. The term sounding is the chosen, framed bar:
// choosing another stops it, and so does asking for the same sound again.
class TermSound : public QObject {
    Q_OBJECT

public:
    TermSound(AmplitudeBarControl* bars, SeriesModel* model, PlotSound* sound, PictureBox* spectrum,
              QObject* parent);

    void playAlone() { play(true); }
    void playWithout() { play(false); }

private:
    struct Sounding {
        int term = 0;
        bool alone = true;
        bool operator==(const Sounding&) const = default;
    };
    void play(bool alone);
    void stop();
    bool isPlaying() const;

    AmplitudeBarControl* m_bars;
    SeriesModel* m_model;
    PlotSound* m_sound;
    PictureBox* m_spectrum;
    std::optional<Sounding> m_sounding;
};
