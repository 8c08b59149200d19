#include "ui/terms/termwriter.h"

#include "core/plotextent.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "core/waveforms.h"
#include "ui/window/plotcontrol.h"
#include "ui/window/seriesfields.h"

#include <algorithm>
#include <cmath>

TermWriter::TermWriter(SeriesFields* fields, PlotControl* plot, QObject* parent)
    : QObject(parent)
    , m_fields(fields)
    , m_plot(plot)
{
}

void TermWriter::writeWaveform(tavelo::Waveform waveform)
{
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(waveform, tavelo::kMaxTerms);
    m_fields->write({.sinBasis = terms.sinBasis,
                     .termCount = tavelo::waveformTermCount(m_fields->termCount()),
                     .A = terms.A,
                     .Fi = terms.Fi,
                     .H = terms.H,
                     .Amax = terms.Amax});
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
    tavelo::HarmonicParams drawn = m_fields->read();
    drawn.N = rows;
    drawn.A = table.A;
    drawn.Fi = table.Fi;
    if (const auto largest = tavelo::largestDrawnMagnitude(drawn, m_plot->width())) {
        if (const double covering = tavelo::coveringCoordinate(*largest); covering > 0)
            series.Amax = std::max(drawn.Amax, covering);
    }
    m_fields->write(series);
    m_plot->request();
}

void TermWriter::writeRandomPhases()
{
    std::uniform_int_distribution<int> thousandths(0, 1999);
    std::vector<double> phases(static_cast<std::size_t>(m_fields->termCount()) + 1, 0.0);
    for (std::size_t i = 1; i < phases.size(); ++i)
        phases[i] = thousandths(m_random) / 1000.0;
    m_fields->write({.Fi = phases});
    m_plot->request();
}

void TermWriter::writeShape(const tavelo::Shape& shape, ShapeSource::Kind source)
{
    const tavelo::ShapeTerms terms = tavelo::analyseShape(shape.samples, m_fields->sinBasis());
    ShapeSource origin{source, static_cast<int>(shape.samples.size()), std::nullopt, {}};
    if (terms.meanMatters())
        origin.droppedMean = terms.mean;
    writeShape(shape, terms, origin);
}

void TermWriter::writeShape(const tavelo::Shape& shape, const tavelo::ShapeTerms& terms, ShapeSource source)
{
    auto centred = std::make_shared<tavelo::Shape>(shape);
    double largestValue = 0;
    for (double& v : centred->samples) {
        v -= terms.mean;
        largestValue = std::max(largestValue, std::abs(v));
    }
    const double largestTerm = *std::max_element(terms.A.begin() + 1, terms.A.end());
    SeriesWrite series{.termCount = tavelo::waveformTermCount(m_fields->termCount()), .A = terms.A, .Fi = terms.Fi};
    const double H = tavelo::coveringCoordinate(largestTerm);
    if (H > 0)
        series.H = std::max(m_fields->spectrumInput().H, H);
    const double Amax = tavelo::coveringCoordinate(largestValue);
    if (Amax > 0)
        series.Amax = std::max(m_fields->read().Amax, Amax);
    m_fields->write(series);
    emit shapeWritten(centred, source);
    m_plot->request();
}
