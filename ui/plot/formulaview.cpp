#include "ui/plot/formulaview.h"

#include "core/seriesformula.h"
#include "ui/plot/partsplotter.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/picturebox.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>

#include <vector>

namespace {

constexpr double kMargin = 4; // pixels, as the corner figures stand
constexpr int kLines = 2;

char decimalSeparator()
{
    const QString mark = QLocale().decimalPoint();
    return mark == QStringLiteral(",") ? ',' : '.';
}

QString remainderText(std::size_t left)
{
    return QStringLiteral(" … ещё %1")
        .arg(CountToText(static_cast<long long>(left), QStringLiteral("слагаемое"), QStringLiteral("слагаемых"),
                         QStringLiteral("слагаемых")));
}

} // namespace

QString spokenFormula(const QString& formula)
{
    QString spoken = formula;
    spoken.replace(QStringLiteral("π"), QStringLiteral(" пи "));
    spoken.replace(QStringLiteral("·"), QStringLiteral(" на "));
    spoken.replace(QStringLiteral(" )"), QStringLiteral(")"));
    return spoken.simplified();
}

FormulaView::FormulaView(PictureBox* plot, PictureBox* spectrum, const SeriesModel* model,
                         const PlotControl* control, const PartsPlotter* parts, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_spectrum(spectrum)
    , m_model(model)
    , m_parts(parts)
{
    connect(control, &PlotControl::runningChanged, this, [this](bool running) {
        if (running)
            m_plotted = m_model->read();
    });
    connect(control, &PlotControl::finished, this, &FormulaView::plotFinished);
    connect(control, &PlotControl::cleared, this, [this] { m_lines.clear(); });
}

void FormulaView::setShown(bool shown)
{
    m_shown = shown;
    announce(shown ? spokenFormula(text()) : QStringLiteral("Формула скрыта"));
}

void FormulaView::announce(const QString& text) const
{
    for (PictureBox* area : {m_plot, m_spectrum})
        area->announce(text);
}

QString FormulaView::text() const
{
    const tavelo::HarmonicParams params = m_model->read();
    return QString::fromStdString(
        tavelo::formulaText(tavelo::formulaTerms(params), params.sinBasis, decimalSeparator()));
}

void FormulaView::copy() const
{
    const tavelo::HarmonicParams params = m_model->read();
    const std::vector<tavelo::FormulaTerm> terms = tavelo::formulaTerms(params);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(tavelo::formulaText(terms, params.sinBasis, decimalSeparator())));
    const std::string mathML = tavelo::formulaMathML(terms, params.sinBasis, decimalSeparator());
    data->setData(QStringLiteral("application/mathml+xml"), QByteArray::fromStdString(mathML));
    QGuiApplication::clipboard()->setMimeData(data);
    announce(QStringLiteral("Формула скопирована"));
}

void FormulaView::plotFinished(const tavelo::PlotResult& result)
{
    m_lines.clear();
    if (!m_shown || result.readout.isEmpty())
        return;
    const double pixels = m_plot->pixelsPerUnit();
    m_lines = layOut(m_plotted, m_plot->ScaleWidth() * pixels - 2 * kMargin);
    // Under the figures the plot wrote in its corner, as that text stands.
    const QStringList figures = m_parts->figures(result);
    const QFontMetricsF metrics(m_plot->font());
    const double top = 2 * pixels
                       + (figures.isEmpty() ? 0.0
                                            : metrics.boundingRect(QRectF(0, 0, 1e4, 1e4), Qt::AlignLeft | Qt::AlignTop,
                                                                   figures.join(QLatin1Char('\n')))
                                                  .height());
    m_plot->drawText(float(kMargin / pixels), float(top / pixels), m_lines.join(QLatin1Char('\n')),
                      m_plot->font(), Qt::black);
}

QStringList FormulaView::layOut(const tavelo::HarmonicParams& params, double width) const
{
    const std::vector<tavelo::FormulaTerm> terms = tavelo::formulaTerms(params);
    const char mark = decimalSeparator();
    if (terms.empty())
        return {QString::fromStdString(tavelo::formulaText(terms, params.sinBasis, mark))};
    const QFontMetricsF metrics(m_plot->font());
    QStringList pieces;
    std::vector<double> widths;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        QString piece = QString::fromStdString(tavelo::formulaTermText(terms[i], i == 0, params.sinBasis, mark));
        if (i == 0)
            piece.prepend(QString::fromStdString(tavelo::formulaStart()));
        widths.push_back(metrics.horizontalAdvance(piece));
        pieces << piece;
    }
    const std::vector<std::size_t> ends = tavelo::formulaLineEnds(
        widths, width, kLines, [&](std::size_t left) { return metrics.horizontalAdvance(remainderText(left)); });
    QStringList lines;
    std::size_t start = 0;
    for (const std::size_t end : ends) {
        QString line;
        for (std::size_t i = start; i < end; ++i)
            line += pieces.at(qsizetype(i));
        lines << line.trimmed();
        start = end;
    }
    if (start < terms.size())
        lines.last() += remainderText(terms.size() - start);
    return lines;
}
