#include "ui/terms/termwriter.h"

#include "core/plotextent.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "core/waveforms.h"
#include "ui/series/seriesmodel.h"
#include "ui/plot/plottexts.h"
#include "ui/terms/termtexts.h"
#include "ui/plot/plotcontrol.h"

#include <algorithm>
#include <cmath>

namespace {

// A step's name: the title as a word within a sentence.
QString lowerFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

} // namespace

TermWriter::TermWriter(SeriesModel* model, PlotControl* plot, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
{
}

void TermWriter::writeWaveform(tavelo::Waveform waveform)
{
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(waveform, tavelo::kMaxTerms);
    m_model->change({lowerFirst(waveformTitle(waveform)), true}, [&] {
        m_model->setTask(std::nullopt);
        m_model->setTarget({});
        m_model->setLastWaveform(waveform);
        m_model->write({.sinBasis = terms.sinBasis,
                        .termCount = tavelo::waveformTermCount(m_model->termCount()),
                        .A = terms.A,
                        .Fi = terms.Fi,
                        .H = terms.H,
                        .Amax = terms.Amax});
    });
    m_plot->request();
}

void TermWriter::writeTable(const tavelo::TermTable& table)
{
    // The table is the whole series: the terms beyond its rows are 0, so
    // that raising N later does not bring back the terms of an older one.
    const int rows = static_cast<int>(table.A.size()) - 1;
    SeriesWrite series{.termCount = rows,
                       .A = std::vector<double>(tavelo::kMaxTerms + 1, 0.0),
                       .Fi = std::vector<double>(tavelo::kMaxTerms + 1, 0.0)};
    std::copy(table.A.begin(), table.A.end(), series.A.begin());
    std::copy(table.Fi.begin(), table.Fi.end(), series.Fi.begin());

    // The largest visible coordinate reaches as far as the sum that will be
    // drawn, found on the series itself: the amplitudes' signed sum, which
    // the fields' rule raises it to, can be far more or far less.
    tavelo::HarmonicParams drawn = m_model->read();
    drawn.N = rows;
    drawn.A = table.A;
    drawn.Fi = table.Fi;
    if (const auto largest = tavelo::largestDrawnMagnitude(drawn, m_plot->width())) {
        if (const double covering = tavelo::coveringCoordinate(*largest); covering > 0)
            series.Amax = std::max(drawn.Amax, covering);
    }
    m_model->change({QStringLiteral("вставка слагаемых"), true}, [&] { m_model->write(series); });
    m_plot->request();
}

void TermWriter::writeRandomPhases()
{
    std::uniform_int_distribution<int> thousandths(0, 1999);
    std::vector<double> phases(static_cast<std::size_t>(m_model->termCount()) + 1, 0.0);
    for (std::size_t i = 1; i < phases.size(); ++i)
        phases[i] = thousandths(m_random) / 1000.0;
    m_model->change({QStringLiteral("случайные фазы"), true}, [&] { m_model->write({.Fi = phases}); });
    m_plot->request();
}

void TermWriter::writeShape(const tavelo::Shape& shape, ShapeSource::Kind source)
{
    const tavelo::ShapeTerms terms = tavelo::analyseShape(shape.samples, m_model->sinBasis());
    ShapeSource origin{source, static_cast<int>(shape.samples.size()), std::nullopt, {}};
    if (terms.meanMatters())
        origin.droppedMean = terms.mean;
    writeShape(shape, terms, origin);
}

void TermWriter::writeShape(const tavelo::Shape& shape, const tavelo::ShapeTerms& terms, ShapeSource source)
{
    writeShapeStep(shapeStepName(source.kind), shape, terms, source, tavelo::waveformTermCount(m_model->termCount()));
}

void TermWriter::writeOperationResult(const QString& stepName, const tavelo::Shape& result,
                                      const tavelo::ShapeTerms& terms, ShapeSource source, bool exactTerms)
{
    const int N = m_model->termCount();
    writeShapeStep(stepName, result, terms, source, exactTerms ? N : tavelo::waveformTermCount(N));
}

void TermWriter::writeShapeStep(const QString& stepName, const tavelo::Shape& shape, const tavelo::ShapeTerms& terms,
                                ShapeSource source, int termCount)
{
    auto centred = std::make_shared<tavelo::Shape>(shape);
    double largestValue = 0;
    for (double& v : centred->samples) {
        v -= terms.mean;
        largestValue = std::max(largestValue, std::abs(v));
    }
    const double largestTerm = *std::max_element(terms.A.begin() + 1, terms.A.end());
    SeriesWrite series{.termCount = termCount, .A = terms.A, .Fi = terms.Fi};
    const double H = tavelo::coveringCoordinate(largestTerm);
    if (H > 0)
        series.H = std::max(m_model->spectrumInput().H, H);
    const double Amax = tavelo::coveringCoordinate(largestValue);
    if (Amax > 0)
        series.Amax = std::max(m_model->read().Amax, Amax);
    if (source.kind == ShapeSource::Kind::Drawn)
        series.P = ShapeSource::kDrawnPeriods;
    m_model->change({stepName, true}, [&] {
        m_model->setTask(std::nullopt);
        m_model->write(series);
        m_model->setTarget({centred, source});
        m_model->setLimitShown(true);
    });
    m_plot->request();
}
