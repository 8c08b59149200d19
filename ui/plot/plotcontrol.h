#pragma once

#include "core/plot.h"

#include <QMetaType>
#include <QObject>
#include <QString>

class PictureBox;

// The plot as everything beside the window sees it: the one place that says
// whether a plot runs, a way to ask for one, and what the last one did. The
// window runs the plot and refuses a second one while one runs, whoever asks.
class PlotControl : public QObject {
    Q_OBJECT

public:
    PlotControl(PictureBox* area, QObject* parent);

    bool isRunning() const { return m_running; }
    // How many columns wide a plot is drawn.
    double width() const;

    // Asks for a plot, as «График» does; refused while one runs.
    void request() { emit requested(); }

    // Clears the plot area to what it shows before the first plot.
    void clear();

    // For the window, which runs the plot.
    void setRunning(bool running);
    void reportYield(double column) { emit yielded(column); }
    void reportResult(const tavelo::PlotResult& result);

    // What the last plot drew and found (its readout, figures and outcome);
    // an empty readout when the area was cleared or nothing was drawn yet.
    // While a plot runs, the one before it.
    const tavelo::PlotResult& lastResult() const { return m_lastResult; }

signals:
    void requested();
    void runningChanged(bool running);
    // A running plot is processing the pending events at this column; what a
    // receiver does here counts as done during that processing.
    void yielded(double column);
    void finished(const tavelo::PlotResult& result);
    void cleared();

private:
    PictureBox* m_area;
    QString m_designDescription;
    bool m_running = false;
    tavelo::PlotResult m_lastResult;
};

Q_DECLARE_METATYPE(tavelo::PlotResult)
