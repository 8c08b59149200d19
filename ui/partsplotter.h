#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class PictureBox;

namespace tavelo {
class PlotReadout;
struct HarmonicParams;
struct PlotOutcome;
enum class Waveform;
}

// Runs the plot's column loop into the plot area with what the user asked to
// see beside the sum: its terms, and the shape a classic waveform's series
// approaches with how far the sum still is from it. Keeps the values drawn
// for the plot's cursor.
class PartsPlotter : public QObject {
    Q_OBJECT

public:
    PartsPlotter(PictureBox* plot, const QFont& textFont, QObject* parent);
    ~PartsPlotter() override;

    // Taken up by the next plot; a running one is not changed.
    void setShowsTerms(bool shows) { m_showsTerms = shows; }
    void setShowsLimit(bool shows) { m_showsLimit = shows; }
    // The waveform the spectrum's menu wrote last: where the fields hold
    // several at once, this is the one they are taken for.
    void setLastWaveform(tavelo::Waveform waveform) { m_lastWaveform = waveform; }

    tavelo::PlotOutcome draw(const tavelo::HarmonicParams& params, double W, double Hs,
                             const std::function<bool(double column)>& yield);

    // After the plot: writes the figures of the limit shape in the plot's
    // corner and returns what the plot's description says of its parts.
    QString finish(const tavelo::PlotOutcome& outcome);

    const tavelo::PlotReadout& readout() const { return *m_readout; }

private:
    PictureBox* m_plot;
    QFont m_textFont;
    bool m_showsTerms = false;
    bool m_showsLimit = false;
    std::optional<tavelo::Waveform> m_lastWaveform;
    std::unique_ptr<tavelo::PlotReadout> m_readout;

    // What the plot that ran last showed, for finish().
    bool m_limitAsked = false;
    std::optional<tavelo::Waveform> m_limit;
    int m_termsDrawn = 0;
    std::optional<double> m_deviation;
    std::optional<double> m_overshoot;
};
