#include "ui/plot/partsplotter.h"

#include "ui/plot/picturecanvas.h"
#include "ui/plot/plottexts.h"
#include "ui/widgets/picturebox.h"

PartsPlotter::PartsPlotter(PictureBox* plot, const QFont& textFont, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_textFont(textFont)
{
}

tavelo::PlotResult PartsPlotter::draw(const tavelo::HarmonicParams& params, double W, double Hs,
                                      const tavelo::PlotYield& yield) const
{
    PictureCanvas canvas(m_plot);
    return tavelo::DrawPlot(params, W, Hs, m_choice, canvas, yield);
}

void PartsPlotter::showFigures(const tavelo::PlotResult& result) const
{
    const QStringList figures = cornerFigures(result);
    if (!figures.isEmpty())
        m_plot->drawText(4, 2, figures.join(QLatin1Char('\n')), m_textFont, Qt::black);
}
