#include "ui/terms/termwriter.h"

#include "core/termcount.h"
#include "core/termtable.h"
#include "core/waveforms.h"
#include "ui/window/plotcontrol.h"
#include "ui/window/seriesfields.h"

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
    // N first, so that each amplitude's rule sums the terms of the table.
    m_fields->write({.termCount = static_cast<int>(table.A.size()) - 1, .A = table.A, .Fi = table.Fi});
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
