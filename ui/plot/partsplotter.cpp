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
    // The plot keeps what it began with: a part ticked or a target replaced
    // during its yields waits for the next plot, and the shape it draws
    // stays alive until it ends.
    const tavelo::PlotChoice choice = m_choice;
    return tavelo::DrawPlot(params, W, Hs, choice, canvas, yield);
}

void PartsPlotter::setLastWaveform(tavelo::Waveform waveform)
{
    m_choice.lastWaveform = waveform;
    m_choice.shape.reset();
}

void PartsPlotter::setShape(std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source)
{
    m_choice.shape = std::move(shape);
    m_shapeSource = source;
}

QString PartsPlotter::describe(const tavelo::PlotResult& result) const
{
    return partsDescription(result, m_choice.shape ? &m_shapeSource : nullptr);
}

void PartsPlotter::showFigures(const tavelo::PlotResult& result) const
{
    const QStringList figures = cornerFigures(result, m_choice.shape ? &m_shapeSource : nullptr);
    if (!figures.isEmpty())
        m_plot->drawText(4, 2, figures.join(QLatin1Char('\n')), m_textFont, Qt::black);
}
