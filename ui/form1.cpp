#include "ui/form1.h"

#include "core/core.h"
#include "ui/dialogkeys.h"
#include "ui/fieldtext.h"
#include "ui/messages.h"
#include "ui/partsplotter.h"
#include "ui/termfieldcolumn.h"
#include "ui/termkeys.h"
#include "ui/vectorstate.h"
#include "ui/windowadditions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace {

// The labels' captions "A ( i ), i =" and "Fi ( i ), i =" stand before the
// index they name.
constexpr qsizetype kAmplitudeLabelPrefix = 12;
constexpr qsizetype kPhaseLabelPrefix = 13;

// A font with every attribute set, so that a child does not take its
// frame's font in place of the window's.
QFont explicitFont(const QFont& font)
{
    QFont copy = font;
    copy.setFamilies(font.families());
    copy.setPointSizeF(font.pointSizeF());
    copy.setWeight(font.weight());
    copy.setItalic(false);
    copy.setUnderline(false);
    copy.setStrikeOut(false);
    return copy;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    ui.setupUi(this);
    applyFonts();
    m_amplitudes = new TermFieldColumn(ui.AAA_1, ui.VScroll3, ui.ANum, kAmplitudeLabelPrefix,
                                       QStringLiteral("Амплитуда гармоники %1, м"), this);
    m_phases = new TermFieldColumn(ui.FFF_1, ui.VScroll2, ui.FNum, kPhaseLabelPrefix,
                                   QStringLiteral("Начальная фаза гармоники %1, в долях числа пи"), this);
    for (AutoSizeLabel* label : {ui.Label1, ui.Label2, ui.Label3, ui.ANum, ui.FNum})
        label->adjustSize();
    ui.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Unnamed, a frame is announced by the caption of the frame around it.
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setAccessibleName(frame->title());
    new DialogKeys(this, ui.Command1, ui.Command4);
    new TermKeys({m_amplitudes, m_phases}, this);
    connectHandlers();
    m_additions = new WindowAdditions(this);
}

const PictureMenus& Form1::pictureMenus() const
{
    return *m_additions->pictureMenus();
}

TextField* Form1::AAA(int index) const
{
    return m_amplitudes->field(index);
}

TextField* Form1::FFF(int index) const
{
    return m_phases->field(index);
}

void Form1::applyFonts()
{
    // Designer stores whole point sizes only.
    for (QWidget* widget : std::initializer_list<QWidget*>{ui.Frame2, ui.Frame4, ui.Frame5, ui.Option1_0,
                                                            ui.Option1_1, ui.Label1, ui.Label2}) {
        QFont font = widget->font();
        font.setPointSizeF(9.75);
        widget->setFont(font);
    }
    // Controls without a font of their own keep the window's, not their frame's.
    const QFont windowFont = explicitFont(font());
    for (QWidget* widget : std::initializer_list<QWidget*>{ui.Hei, ui.Counti, ui.AAA_1, ui.FFF_1, ui.VScroll2,
                                                            ui.VScroll3, ui.Picture2})
        widget->setFont(windowFont);
}

void Form1::connectHandlers()
{
    connect(ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui.Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui.Counti, &QLineEdit::textChanged, this, &Form1::Counti_Change);
    connect(ui.Hei, &QLineEdit::textChanged, this, &Form1::Hei_Change);
    connect(ui.Amax, &QLineEdit::textChanged, this, &Form1::Amax_Change);
    connect(ui.Tmax, &QLineEdit::textChanged, this, &Form1::Tmax_Change);
    connect(ui.VScroll3, &QScrollBar::valueChanged, this, &Form1::VScroll3_Change);
    connect(ui.VScroll2, &QScrollBar::valueChanged, this, &Form1::VScroll2_Change);
    connect(m_amplitudes, &TermFieldColumn::textChanged, this, &Form1::AAA_Change);
    connect(m_amplitudes, &TermFieldColumn::keyPressed, this, &Form1::AAA_KeyPress);
}

void Form1::Form_Load()
{
    m_ff = 1;
    m_aa = 1;
    m_amplitudes->createCopies(WholeToText(0));
    m_phases->createCopies(WholeToText(0));

    const auto phaseTerms = static_cast<qint16>(termCount());
    ui.VScroll2->setMaximum(phaseTerms);
    ui.VScroll2->setMinimum(1);
    const auto amplitudeTerms = static_cast<qint16>(termCount());
    ui.VScroll3->setMaximum(amplitudeTerms);
    ui.VScroll3->setMinimum(1);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    ui.Picture2->setFocus();
}

int Form1::termCount() const
{
    return tavelo::termsToRead(NumberFromField(ui.Counti));
}

void Form1::Command3_Click()
{
    // The message box breaks lines at line feeds, not at lone carriage returns.
    QString shown = aboutPrompt();
    shown.replace(QChar(13), QChar(10));
    showMessage(QMessageBox::Information, shown, this);
}

void Form1::Command2_Click()
{
    m_ending = true;
    hide();
    QCoreApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event)
{
    m_ending = true;
    QWidget::closeEvent(event);
}

void Form1::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    clearUpperVectorState(); // painting ran in there; the plot's arithmetic resumes
}

void Form1::Command4_Click()
{
    m_tdk = 0;
}

tavelo::HarmonicParams Form1::ReadHarmonicParams()
{
    tavelo::HarmonicParams params;
    const int n = termCount();
    params.N = n;
    params.P = NumberFromField(ui.Tmax);
    params.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Amax = NumberFromField(ui.Amax);
    m_o1v = ui.Option1_0->isChecked() ? -1 : 0;
    params.sinBasis = m_o1v != 0;
    for (int i = 1; i <= n; ++i) {
        params.A[static_cast<std::size_t>(i)] = NumberFromField(AAA(i));
        params.Fi[static_cast<std::size_t>(i)] = NumberFromField(FFF(i));
    }
    return params;
}

void Form1::Command1_Click()
{
    setPlotRunning(true);
    m_tdk = -1;
    spectrs();
    ui.Picture1->Cls();
    const tavelo::HarmonicParams params = ReadHarmonicParams();
    const double W = ui.Picture1->ScaleWidth();
    const double Hs = ui.Picture1->ScaleHeight();
    clearUpperVectorState();

    const tavelo::PlotOutcome outcome = m_additions->partsPlotter()->draw(params, W, Hs, [this](double column) {
        DoEvents();
        emit plotYielded(column);
        return !m_ending && m_tdk != 0;
    });

    setPlotRunning(false);
    if (!m_ending)
        ui.Picture1->setAccessibleDescription(plotDescription(outcome) + m_additions->partsPlotter()->finish(outcome));
    if (outcome.end == tavelo::PlotEnd::NumericFault && !m_ending)
        showMessage(QMessageBox::Warning, plotFaultMessage(outcome), this);
    emit plotFinished(outcome);
}

void Form1::setPlotRunning(bool running)
{
    m_plotRunning = running;
    ui.Command1->setEnabled(!running);
    emit plotRunningChanged(running);
}

void Form1::spectrs()
{
    ui.Picture2->Cls();
    const double N = std::floor(NumberFromField(ui.Counti));
    const int fields = tavelo::termsToRead(N);
    std::vector<double> A(static_cast<std::size_t>(fields) + 1, 0.0);
    for (int i = 1; i <= fields; ++i)
        A[static_cast<std::size_t>(i)] = NumberFromField(AAA(i));
    const double H = NumberFromField(ui.Hei);
    for (const tavelo::SpectrumBar& bar : tavelo::spectrumBars(N, A, H, ui.Picture2->Width(), ui.Picture2->Height())) {
        // A bar that does not fit single precision cannot be drawn; the others can.
        if (tavelo::isDrawable(bar))
            ui.Picture2->Line(bar.barX, bar.baseY, bar.barX, bar.baseY + bar.deltaY);
    }
    emit spectrumRedrawn();
}

void Form1::Counti_Change()
{
    const int terms = tavelo::validTermCount(NumberFromField(ui.Counti));
    ui.Counti->setText(WholeToText(terms));
    ui.VScroll2->setMaximum(terms);
    ui.VScroll2->setMinimum(1);
    ui.VScroll3->setMaximum(terms);
    ui.VScroll3->setMinimum(1);
    spectrs();
}

void Form1::AAA_Change(int Index)
{
    spectrs();
    if (NumberFromField(ui.Hei) < NumberFromField(AAA(Index)))
        ui.Hei->setText(RealToText(NumberFromField(AAA(Index))));

    double S = 0;
    const int n = termCount();
    for (int i = 1; i <= n; ++i)
        S = S + NumberFromField(AAA(i));
    // A sum beyond the double range has no text; the plot explains the overflow.
    if (std::isfinite(S) && NumberFromField(ui.Amax) < S)
        ui.Amax->setText(RealToText(S));
}

void Form1::Hei_Change()
{
    if (NumberFromField(ui.Hei) == 0)
        ui.Hei->setText(WholeToText(2));
    spectrs();
}

void Form1::Amax_Change()
{
    if (NumberFromField(ui.Amax) == 0)
        ui.Amax->setText(WholeToText(2));
}

void Form1::Tmax_Change()
{
    if (NumberFromField(ui.Tmax) == 0)
        ui.Tmax->setText(WholeToText(1));
}

void Form1::VScroll3_Change()
{
    m_amplitudes->showField(m_aa, ui.VScroll3->value());
    m_aa = static_cast<qint16>(ui.VScroll3->value());
}

void Form1::VScroll2_Change()
{
    m_phases->showField(m_ff, ui.VScroll2->value());
    m_ff = static_cast<qint16>(ui.VScroll2->value());
}

void Form1::AAA_KeyPress(int Index, int KeyAscii)
{
    Q_UNUSED(Index);
    const int v = ui.VScroll3->value();
    const int m = ui.VScroll3->maximum();
    if (!(v < m && KeyAscii == 13))
        return;
    ui.VScroll3->setValue(v + 1);
    m_amplitudes->focusWholeText(ui.VScroll3->value());
}
