#include "ui/termwriter.h"

#include "core/termcount.h"
#include "core/termtable.h"
#include "core/waveforms.h"
#include "ui/fieldtext.h"
#include "ui/form1.h"

TermWriter::TermWriter(Form1* form)
    : QObject(form)
    , m_form(form)
{
}

void TermWriter::writeWaveform(tavelo::Waveform waveform)
{
    if (m_form->isPlotRunning())
        return;
    const auto& ui = m_form->controls();
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(waveform, tavelo::kMaxTerms);
    if (terms.sinBasis)
        (*terms.sinBasis ? ui.Option1_0 : ui.Option1_1)->setChecked(true);
    for (int i = 1; i <= tavelo::kMaxTerms; ++i)
        m_form->FFF(i)->setText(RealToText(terms.Fi[static_cast<std::size_t>(i)]));
    for (int i = 1; i <= tavelo::kMaxTerms; ++i)
        m_form->AAA(i)->setText(RealToText(terms.A[static_cast<std::size_t>(i)]));
    ui.Hei->setText(RealToText(terms.H));
    ui.Amax->setText(RealToText(terms.Amax));
    const int N = tavelo::termsToRead(NumberFromField(ui.Counti));
    ui.Counti->setText(WholeToText(tavelo::waveformTermCount(N)));
    m_form->Command1_Click();
}

void TermWriter::writeTable(const tavelo::TermTable& table)
{
    if (m_form->isPlotRunning())
        return;
    // N first, so that each amplitude's rule sums the terms of the table.
    const auto terms = static_cast<int>(table.A.size()) - 1;
    m_form->controls().Counti->setText(WholeToText(tavelo::validTermCount(terms)));
    for (int i = 1; i <= terms; ++i) {
        m_form->FFF(i)->setText(RealToText(table.Fi[static_cast<std::size_t>(i)]));
        m_form->AAA(i)->setText(RealToText(table.A[static_cast<std::size_t>(i)]));
    }
    m_form->Command1_Click();
}

void TermWriter::writeRandomPhases()
{
    if (m_form->isPlotRunning())
        return;
    const int terms = tavelo::termsToRead(NumberFromField(m_form->controls().Counti));
    std::uniform_int_distribution<int> thousandths(0, 1999);
    for (int i = 1; i <= terms; ++i)
        m_form->FFF(i)->setText(RealToText(thousandths(m_random) / 1000.0));
    m_form->Command1_Click();
}
