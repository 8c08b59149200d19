#include "ui/window/form1.h"

#include "core/amplitudebars.h"
#include "ui/plot/partsplotter.h"
#include "ui/plot/plotcontrol.h"
#include "ui/plot/plottexts.h"
#include "ui/series/seriesfields.h"
#include "ui/series/seriesmodel.h"
#include "ui/series/termfieldcolumn.h"
#include "ui/terms/amplitudebarcontrol.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/messages.h"
#include "ui/window/additions.h"
#include "ui/window/dialogkeys.h"
#include "ui/window/picturemenus.h"
#include "ui/window/windowzoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

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
    auto* amplitudes = new TermFieldColumn(ui.AAA_1, ui.VScroll3, ui.ANum, kAmplitudeLabelPrefix,
                                           amplitudeFieldDescription(), this);
    auto* phases = new TermFieldColumn(ui.FFF_1, ui.VScroll2, ui.FNum, kPhaseLabelPrefix, phaseFieldDescription(), this);
    m_series = new SeriesFields({ui.Counti, ui.Hei, ui.Amax, ui.Tmax, ui.Option1_0, ui.Option1_1, amplitudes, phases},
                                this);
    m_plot = new PlotControl(ui.Picture1, this);
    for (AutoSizeLabel* label : {ui.Label1, ui.Label2, ui.Label3, ui.ANum, ui.FNum})
        label->adjustSize();
    ui.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The plot area is one stop of the focus: its holder only holds it.
    ui.Risunok1->setFocusPolicy(Qt::NoFocus);
    // Unnamed, a frame is announced by the caption of the frame around it.
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setAccessibleName(frame->title());
    new DialogKeys(this, ui.Command1, ui.Command4);
    connectHandlers();
    // After the handlers: typing's step is taken once the fields' rules have run.
    m_model = new SeriesModel(m_series, this, this);
    const Additions additions =
        createAdditions({ui.Picture1, ui.Picture2, ui.Command4, [this] { spectrs(); }}, m_model, m_plot, this);
    m_pictureMenus = additions.menus;
    m_historyActions = additions.history;
    m_partsPlotter = additions.partsPlotter;
    m_tasks = additions.tasks;
    m_zoom = additions.zoom;
    m_files = additions.files;
    connect(this, &Form1::spectrumRedrawn, additions.barControl, &AmplitudeBarControl::showSelection);
}

TextField* Form1::AAA(int index) const
{
    return m_series->amplitudes().field(index);
}

TextField* Form1::FFF(int index) const
{
    return m_series->phases().field(index);
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
    connect(&m_series->amplitudes(), &TermFieldColumn::textChanged, this, &Form1::AAA_Change);
    connect(&m_series->amplitudes(), &TermFieldColumn::keyPressed, this, &Form1::AAA_KeyPress);
    connect(m_series, &SeriesFields::spectrumChanged, this, &Form1::spectrs);
    connect(m_plot, &PlotControl::requested, this, &Form1::Command1_Click);
}

void Form1::Form_Load()
{
    m_ff = 1;
    m_aa = 1;
    m_series->amplitudes().createCopies(WholeToText(0));
    m_series->phases().createCopies(WholeToText(0));

    const auto phaseTerms = static_cast<qint16>(m_series->termCount());
    ui.VScroll2->setMaximum(phaseTerms);
    ui.VScroll2->setMinimum(1);
    const auto amplitudeTerms = static_cast<qint16>(m_series->termCount());
    ui.VScroll3->setMaximum(amplitudeTerms);
    ui.VScroll3->setMinimum(1);

    // The size the user kept, before the window is placed and shown.
    m_zoom->restore();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    ui.Picture2->setFocus();
    m_model->startHistory();
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
}

void Form1::Command4_Click()
{
    m_tdk = 0;
}

void Form1::Command1_Click()
{
    // One plot at a time, whoever asks for it: «График» is disabled while one
    // runs, and any other request, even one from inside its yield, is refused.
    if (m_plot->isRunning())
        return;
    setPlotRunning(true);
    m_tdk = -1;
    spectrs();
    ui.Picture1->Cls();
    const tavelo::HarmonicParams params = m_series->read();
    m_o1v = params.sinBasis ? -1 : 0;
    const double W = ui.Picture1->ScaleWidth();
    const double Hs = ui.Picture1->ScaleHeight();

    const tavelo::PlotResult result = m_partsPlotter->draw(params, W, Hs, [this](double column) {
        DoEvents();
        m_plot->reportYield(column);
        return !m_ending && m_tdk != 0;
    });

    setPlotRunning(false);
    if (!m_ending) {
        m_partsPlotter->showFigures(result);
        const QString description = plotDescription(result.outcome) + m_partsPlotter->describe(result);
        ui.Picture1->setAccessibleDescription(description);
        ui.Picture1->announce(description);
    }
    if (result.outcome.end == tavelo::PlotEnd::NumericFault && !m_ending)
        showMessage(QMessageBox::Warning, plotFaultMessage(result.outcome), this);
    m_plot->reportResult(result);
}

void Form1::setPlotRunning(bool running)
{
    ui.Command1->setEnabled(!running);
    m_plot->setRunning(running);
}

void Form1::spectrs()
{
    ui.Picture2->Cls();
    const SpectrumInput input = m_series->spectrumInput();
    for (const tavelo::SpectrumBar& bar :
         tavelo::spectrumBars(input.N, input.A, input.H, ui.Picture2->Width(), ui.Picture2->Height())) {
        // A bar that does not fit single precision cannot be drawn; the others can.
        if (tavelo::isDrawable(bar))
            ui.Picture2->Line(bar.barX, bar.baseY, bar.barX, bar.baseY + bar.deltaY);
    }
    emit spectrumRedrawn();
}

void Form1::Counti_Change()
{
    m_series->countRule();
}

void Form1::AAA_Change(int Index)
{
    m_series->amplitudeRule(Index);
}

void Form1::Hei_Change()
{
    m_series->heightRule();
}

void Form1::Amax_Change()
{
    m_series->largestCoordinateRule();
}

void Form1::Tmax_Change()
{
    m_series->periodsRule();
}

void Form1::VScroll3_Change()
{
    m_series->amplitudes().showField(m_aa, ui.VScroll3->value());
    m_aa = static_cast<qint16>(ui.VScroll3->value());
}

void Form1::VScroll2_Change()
{
    m_series->phases().showField(m_ff, ui.VScroll2->value());
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
    m_series->amplitudes().focusWholeText(ui.VScroll3->value());
}
