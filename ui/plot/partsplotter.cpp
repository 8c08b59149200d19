#include "ui/plot/partsplotter.h"

#include "ui/files/filetexts.h"
#include "ui/plot/picturecanvas.h"
#include "ui/plot/plottexts.h"
#include "ui/series/seriesmodel.h"
#include "ui/widgets/picturebox.h"

PartsPlotter::PartsPlotter(PictureBox* plot, const SeriesModel* model, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_model(model)
{
}

tavelo::PlotResult PartsPlotter::draw(const tavelo::HarmonicParams& params, double W, double Hs,
                                      const tavelo::PlotYield& yield)
{
    PictureCanvas canvas(m_plot);
    const SeriesTarget& target = m_model->target();
    const tavelo::PlotChoice choice{.terms = m_showsTerms,
                                    .limit = m_model->limitShown(),
                                    .lastWaveform = m_model->lastWaveform(),
                                    .shape = target.shape};
    m_drawnShape = choice.shape ? std::optional<ShapeSource>(target.source) : std::nullopt;
    return tavelo::DrawPlot(params, W, Hs, choice, canvas, yield);
}

QString PartsPlotter::describe(const tavelo::PlotResult& result) const
{
    const QString parts = partsDescription(result, drawnShape());
    return m_fileName.isEmpty() ? parts : QLatin1Char(' ') + fileFigure(m_fileName) + QLatin1Char('.') + parts;
}

QStringList PartsPlotter::figures(const tavelo::PlotResult& result) const
{
    QStringList figures = cornerFigures(result, drawnShape());
    if (!m_fileName.isEmpty())
        figures.prepend(fileFigure(m_fileName));
    return figures;
}

void PartsPlotter::showFigures(const tavelo::PlotResult& result) const
{
    const QStringList figures = this->figures(result);
    if (!figures.isEmpty())
        m_plot->drawText(4, 2, figures.join(QLatin1Char('\n')), m_plot->font(), Qt::black);
}
