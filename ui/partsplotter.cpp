#include "ui/partsplotter.h"

#include "core/columnplot.h"
#include "core/limitshape.h"
#include "core/numbertext.h"
#include "core/plotparts.h"
#include "core/plotreadout.h"
#include "ui/fieldtext.h"
#include "ui/layeredplotsurface.h"
#include "ui/picturebox.h"

#include <algorithm>

namespace {

QString titleOf(tavelo::Waveform waveform)
{
    const std::string_view title = tavelo::waveformDefinition(waveform).title;
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

QString overshootText(double percent)
{
    return QStringLiteral("Выброс: %1 % скачка").arg(RealToText(tavelo::RoundedToDecimals(percent, 2)));
}

QString deviationText(double metres)
{
    return QStringLiteral("Среднеквадратичное отклонение: %1 м").arg(RealToText(tavelo::RoundedToSignificant(metres, 3)));
}

} // namespace

PartsPlotter::PartsPlotter(PictureBox* plot, const QFont& textFont, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_textFont(textFont)
    , m_readout(std::make_unique<tavelo::PlotReadout>())
{
}

PartsPlotter::~PartsPlotter() = default;

tavelo::PlotOutcome PartsPlotter::draw(const tavelo::HarmonicParams& params, double W, double Hs,
                                       const std::function<bool(double column)>& yield)
{
    m_readout->start(W, params.P);
    m_limitAsked = m_showsLimit;
    m_limit = m_showsLimit ? tavelo::recognizeWaveform(params, m_lastWaveform) : std::nullopt;
    m_termsDrawn = m_showsTerms ? static_cast<int>(std::count_if(params.A.begin() + 1, params.A.end(),
                                                                 [](double a) { return a != 0; }))
                                : 0;
    m_deviation.reset();
    m_overshoot.reset();

    if (!m_showsTerms && !m_limit) {
        tavelo::ColumnObserver* observers[] = {m_readout.get()};
        return tavelo::DrawColumns(params, W, Hs, *m_plot, yield, observers);
    }
    LayeredPlotSurface surface(m_plot);
    tavelo::PlotParts parts(params, W, Hs, {m_showsTerms, m_limit}, surface);
    tavelo::ColumnObserver* observers[] = {&parts, m_readout.get()};
    const tavelo::PlotOutcome outcome = tavelo::DrawColumns(params, W, Hs, surface, yield, observers);
    if (m_limit) {
        m_deviation = parts.deviation();
        m_overshoot = tavelo::overshootPercent(*m_limit, params);
    }
    return outcome;
}

QString PartsPlotter::finish(const tavelo::PlotOutcome& outcome)
{
    QString description;
    if (m_termsDrawn > 0)
        description += QStringLiteral(" Показаны слагаемые: %1.").arg(WholeToText(m_termsDrawn));
    if (m_limitAsked && !m_limit)
        description += QStringLiteral(" Предельная форма известна только для колебаний из меню спектра.");
    if (!m_limit)
        return description;
    description += QStringLiteral(" Предельная форма: %1.").arg(titleOf(*m_limit));
    if (outcome.end == tavelo::PlotEnd::NumericFault)
        return description;
    QStringList figures;
    if (m_overshoot)
        figures << overshootText(*m_overshoot);
    if (m_deviation)
        figures << deviationText(*m_deviation);
    if (figures.isEmpty())
        return description;
    m_plot->drawText(4, 2, figures.join(QLatin1Char('\n')), m_textFont, Qt::black);
    return description + QLatin1Char(' ') + figures.join(QStringLiteral(". ")) + QLatin1Char('.');
}
