#pragma once

#include "core/plot.h"
#include "ui/series/shapesource.h"

#include <QObject>
#include <QString>

#include <optional>

class PictureBox;
class SeriesModel;

// Draws the plot into the plot area with what the user asked to see beside
// the sum: its terms, and the shape the series approaches (a classic
// waveform's limit, or the target of a shape of the user's or a task's) with
// how far the sum still is from it, whose figures stand in the corner.
class PartsPlotter : public QObject {
    Q_OBJECT

public:
    // The figures are written in the plot area's font, which follows the window's size.
    PartsPlotter(PictureBox* plot, const SeriesModel* model, QObject* parent);

    // Taken up by the next plot; a running one is not changed.
    void setShowsTerms(bool shows) { m_showsTerms = shows; }
    // The name of the lesson's file, said first in the corner; none: empty.
    void setFileName(const QString& name) { m_fileName = name; }

    // The plot keeps what it began with: a part ticked or a target replaced
    // during its yields waits for the next plot, and the shape it draws
    // stays alive until it ends.
    tavelo::PlotResult draw(const tavelo::HarmonicParams& params, double W, double Hs,
                            const tavelo::PlotYield& yield);
    // Writes the figures of the finished plot in the plot's corner.
    void showFigures(const tavelo::PlotResult& result) const;
    // Those figures, a line each.
    QStringList figures(const tavelo::PlotResult& result) const;
    // What a listener is told of the parts of the finished plot.
    QString describe(const tavelo::PlotResult& result) const;

private:
    const ShapeSource* drawnShape() const { return m_drawnShape ? &*m_drawnShape : nullptr; }

    PictureBox* m_plot;
    const SeriesModel* m_model;
    bool m_showsTerms = false;
    QString m_fileName;
    // Where the target of the last plot came from, when it had one.
    std::optional<ShapeSource> m_drawnShape;
};
