#pragma once

#include "core/plot.h"

#include <QFont>
#include <QObject>

class PictureBox;

// Draws the plot into the plot area with what the user asked to see beside
// the sum: its terms, and the shape a classic waveform's series approaches
// with how far the sum still is from it, whose figures stand in the corner.
class PartsPlotter : public QObject {
    Q_OBJECT

public:
    PartsPlotter(PictureBox* plot, const QFont& textFont, QObject* parent);

    // Taken up by the next plot; a running one is not changed.
    void setShowsTerms(bool shows) { m_choice.terms = shows; }
    void setShowsLimit(bool shows) { m_choice.limit = shows; }
    // The waveform the spectrum's menu wrote last: where the fields hold
    // several at once, this is the one they are taken for.
    void setLastWaveform(tavelo::Waveform waveform) { m_choice.lastWaveform = waveform; }

    tavelo::PlotResult draw(const tavelo::HarmonicParams& params, double W, double Hs,
                            const tavelo::PlotYield& yield) const;
    // Writes the figures of a finished plot in the plot's corner.
    void showFigures(const tavelo::PlotResult& result) const;

private:
    PictureBox* m_plot;
    QFont m_textFont;
    tavelo::PlotChoice m_choice;
};
