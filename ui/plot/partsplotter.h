#pragma once

#include "core/plot.h"
#include "ui/plot/shapesource.h"

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
    // several at once, this is the one they are taken for. It takes the
    // place of a shape of the user's.
    void setLastWaveform(tavelo::Waveform waveform);
    // A shape of the user's, its mean taken out, which its terms came from:
    // the shape shown in place of a limit shape until another takes its place.
    void setShape(std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source);

    tavelo::PlotResult draw(const tavelo::HarmonicParams& params, double W, double Hs,
                            const tavelo::PlotYield& yield) const;
    // Writes the figures of a finished plot in the plot's corner.
    void showFigures(const tavelo::PlotResult& result) const;
    // What a listener is told of the parts of a finished plot.
    QString describe(const tavelo::PlotResult& result) const;

private:
    PictureBox* m_plot;
    QFont m_textFont;
    tavelo::PlotChoice m_choice;
    ShapeSource m_shapeSource;
};
