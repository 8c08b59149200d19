#include "ui/series/seriesfields.h"

#include "core/termcount.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/textfield.h"
#include "ui/series/termfieldcolumn.h"

#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

SeriesFields::SeriesFields(const Controls& controls, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_amplitudeBar(controls.amplitudes->scrollBar())
    , m_phaseBar(controls.phases->scrollBar())
{
    m_A[1] = NumberFromField(controls.amplitudes->field(1));
    m_Fi[1] = NumberFromField(controls.phases->field(1));
    // The phases have no rule; their numbers follow their texts here.
    connect(controls.phases, &TermFieldColumn::textChanged, this,
            [this](int index) { m_Fi[std::size_t(index)] = NumberFromField(phases().field(index)); });
}

int SeriesFields::termCount() const
{
    return tavelo::termsToRead(NumberFromField(m_controls.Counti));
}

bool SeriesFields::sinBasis() const
{
    return m_controls.sinOption->isChecked();
}

tavelo::HarmonicParams SeriesFields::read() const
{
    tavelo::HarmonicParams params;
    const int n = termCount();
    params.N = n;
    params.P = NumberFromField(m_controls.Tmax);
    params.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Amax = NumberFromField(m_controls.Amax);
    params.sinBasis = sinBasis();
    for (int i = 1; i <= n; ++i) {
        params.A[static_cast<std::size_t>(i)] = m_A[static_cast<std::size_t>(i)];
        params.Fi[static_cast<std::size_t>(i)] = m_Fi[static_cast<std::size_t>(i)];
    }
    return params;
}

SpectrumInput SeriesFields::spectrumInput() const
{
    SpectrumInput input;
    input.N = std::floor(NumberFromField(m_controls.Counti));
    const int fields = tavelo::termsToRead(input.N);
    input.A.assign(static_cast<std::size_t>(fields) + 1, 0.0);
    for (int i = 1; i <= fields; ++i)
        input.A[static_cast<std::size_t>(i)] = m_A[static_cast<std::size_t>(i)];
    input.H = NumberFromField(m_controls.Hei);
    return input;
}

QString SeriesFields::amplitudeText(int n) const
{
    return amplitudes().field(n)->text();
}

QString SeriesFields::phaseText(int n) const
{
    return phases().field(n)->text();
}

QString SeriesFields::periodsText() const
{
    return m_controls.Tmax->text();
}

void SeriesFields::setPeriodsText(const QString& text)
{
    m_controls.Tmax->setText(text);
}

void SeriesFields::write(const SeriesWrite& series)
{
    if (series.sinBasis)
        (*series.sinBasis ? m_controls.sinOption : m_controls.cosOption)->setChecked(true);
    if (series.termCount)
        m_controls.Counti->setText(WholeToText(tavelo::validTermCount(*series.termCount)));
    const std::size_t terms = std::min<std::size_t>(std::max(series.A.size(), series.Fi.size()), tavelo::kMaxTerms + 1);
    for (std::size_t i = 1; i < terms; ++i) {
        if (i < series.Fi.size())
            phases().field(int(i))->setText(RealToText(series.Fi[i]));
        if (i < series.A.size())
            amplitudes().field(int(i))->setText(RealToText(series.A[i]));
    }
    if (series.H)
        m_controls.Hei->setText(RealToText(*series.H));
    if (series.Amax)
        m_controls.Amax->setText(RealToText(*series.Amax));
    if (series.P)
        m_controls.Tmax->setText(RealToText(*series.P));
}

void SeriesFields::writeAmplitude(int n, double A)
{
    amplitudes().field(n)->setText(RealToText(A));
    m_amplitudeBar->setValue(n);
}

void SeriesFields::countRule()
{
    const int terms = tavelo::validTermCount(NumberFromField(m_controls.Counti));
    m_controls.Counti->setText(WholeToText(terms));
    m_phaseBar->setMaximum(terms);
    m_phaseBar->setMinimum(1);
    m_amplitudeBar->setMaximum(terms);
    m_amplitudeBar->setMinimum(1);
    spectrumRuleEnded();
}

void SeriesFields::amplitudeRule(int index)
{
    // Every change of an amplitude's text runs this rule first: its number
    // is read here, once, for every reader of the series.
    const double changed = NumberFromField(amplitudes().field(index));
    m_A[std::size_t(index)] = changed;
    spectrumRuleEnded();
    if (NumberFromField(m_controls.Hei) < changed)
        m_controls.Hei->setText(RealToText(changed));

    double S = 0;
    const int n = termCount();
    for (int i = 1; i <= n; ++i)
        S = S + m_A[std::size_t(i)];
    // A sum beyond the double range has no text; the plot explains the overflow.
    if (std::isfinite(S) && NumberFromField(m_controls.Amax) < S)
        m_controls.Amax->setText(RealToText(S));
}

void SeriesFields::heightRule()
{
    if (NumberFromField(m_controls.Hei) == 0)
        m_controls.Hei->setText(WholeToText(2));
    spectrumRuleEnded();
}

void SeriesFields::largestCoordinateRule()
{
    if (NumberFromField(m_controls.Amax) == 0)
        m_controls.Amax->setText(WholeToText(2));
}

void SeriesFields::periodsRule()
{
    if (NumberFromField(m_controls.Tmax) == 0)
        m_controls.Tmax->setText(WholeToText(1));
}

void SeriesFields::spectrumRuleEnded()
{
    if (m_batch > 0)
        m_spectrumPending = true;
    else
        emit spectrumChanged();
}

void SeriesFields::endBatch()
{
    if (--m_batch > 0 || !m_spectrumPending)
        return;
    m_spectrumPending = false;
    emit spectrumChanged();
}
