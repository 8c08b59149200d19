#pragma once

#include "core/harmonicparams.h"
#include "core/plot.h"

#include <QObject>
#include <QString>
#include <QStringList>

class PartsPlotter;
class PictureBox;
class PlotControl;
class SeriesModel;

// The series written as the textbook writes it: under the plot's corner
// figures, on as many terms as two lines hold, for the series the plot was
// drawn from; copied whole to the clipboard as text and as MathML; said to a
// listener in words. The decimal mark is the user's locale's.
class FormulaView : public QObject {
    Q_OBJECT

public:
    // Either area says what is done with the formula when it has the focus.
    FormulaView(PictureBox* plot, PictureBox* spectrum, const SeriesModel* model, const PlotControl* control,
                const PartsPlotter* parts, QObject* parent);

    bool isShown() const { return m_shown; }
    // Shown from the next plot on; a listener hears the formula at once.
    void setShown(bool shown);
    // The series as the fields hold it, every term, on the clipboard.
    void copy() const;

    // The lines written under the figures of the last plot; empty when hidden.
    const QStringList& lines() const { return m_lines; }
    // The whole series as the fields hold it, as text.
    QString text() const;

private:
    void plotFinished(const tavelo::PlotResult& result);
    void announce(const QString& text) const;
    QStringList layOut(const tavelo::HarmonicParams& params, double width) const;

    PictureBox* m_plot;
    PictureBox* m_spectrum;
    const SeriesModel* m_model;
    const PartsPlotter* m_parts;
    bool m_shown = false;
    // What the running or last plot was drawn from.
    tavelo::HarmonicParams m_plotted;
    QStringList m_lines;
};

// What a listener hears of a formula: π said as «пи».
QString spokenFormula(const QString& formula);
