#include "ui/form1.h"

#include "core/core.h"
#include "ui/dialogkeys.h"
#include "ui/plotdescription.h"
#include "ui/plotfaultmessage.h"
#include "ui/vectorstate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

double valueOf(const QLineEdit* field)
{
    // Field texts are short and mostly plain ASCII: those are read without
    // an allocation, since a plot and every keystroke read hundreds of them.
    const QString text = field->text();
    std::array<char, 32> ascii;
    if (text.size() <= qsizetype(ascii.size())) {
        qsizetype length = 0;
        for (const QChar c : text) {
            if (c.unicode() >= 0x80)
                break;
            ascii[static_cast<std::size_t>(length++)] = static_cast<char>(c.unicode());
        }
        if (length == text.size())
            return tavelo::NumberFromText(std::string_view(ascii.data(), static_cast<std::size_t>(length)));
    }
    const QByteArray utf8 = text.toUtf8();
    return tavelo::NumberFromText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString wholeText(long long n)
{
    return QString::fromStdString(tavelo::WholeToText(n));
}

// Raised values are written with the full stop, the one decimal point that
// reading accepts, so a value reads back as exactly what was written.
QString realText(double v)
{
    return QString::fromStdString(tavelo::RealToText(v, '.'));
}

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

// The program's message boxes: one OK button. Qt's Russian texts leave that
// button in Latin letters; the Russian one is written in Cyrillic.
void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    QMessageBox box(icon, QStringLiteral("Tavelo"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));
    box.exec();
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    ui.setupUi(this);
    applyFonts();
    m_AAA[1] = ui.AAA_1;
    m_FFF[1] = ui.FFF_1;
    describeFields(1);
    for (AutoSizeLabel* label : {ui.Label1, ui.Label2, ui.Label3, ui.ANum, ui.FNum})
        label->adjustSize();
    ui.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Unnamed, a frame is announced by the caption of the frame around it.
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setAccessibleName(frame->title());
    new DialogKeys(this, ui.Command1, ui.Command4);
    connectHandlers();
    createPictureMenus();
}

void Form1::createPictureMenus()
{
    const auto copyAction = [this](PictureBox* box) {
        auto* copy = new QAction(QStringLiteral("Копировать рисунок"), box);
        copy->setShortcut(QKeySequence::Copy);
        copy->setShortcutContext(Qt::WidgetShortcut);
        connect(copy, &QAction::triggered, this, [this, box] { copyPicture(box); });
        return copy;
    };
    const std::pair<const char*, tavelo::Waveform> waveforms[] = {
        {"Прямоугольные колебания (меандр)", tavelo::Waveform::Square},
        {"Пилообразные колебания", tavelo::Waveform::Sawtooth},
        {"Треугольные колебания", tavelo::Waveform::Triangle},
        {"Одна гармоника", tavelo::Waveform::OneHarmonic},
    };
    for (const auto& [text, waveform] : waveforms) {
        auto* action = new QAction(QString::fromUtf8(text), ui.Picture2);
        connect(action, &QAction::triggered, this, [this, waveform] { applyWaveform(waveform); });
        m_waveformActions.append(action);
    }
    ui.Picture2->addActions(m_waveformActions);
    auto* separator = new QAction(ui.Picture2);
    separator->setSeparator(true);
    ui.Picture2->addAction(separator);
    ui.Picture2->addAction(copyAction(ui.Picture2));
    ui.Picture1->addAction(copyAction(ui.Picture1));
    for (PictureBox* box : {ui.Picture1, ui.Picture2})
        box->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Form1::copyPicture(PictureBox* box)
{
    QGuiApplication::clipboard()->setImage(box->picture());
}

void Form1::applyWaveform(tavelo::Waveform waveform)
{
    // One plot at a time: while one runs the waveform items are disabled, and
    // a waveform chosen otherwise does nothing.
    if (!ui.Command1->isEnabled())
        return;
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(waveform, kMaxTerms);
    if (terms.sinBasis)
        (*terms.sinBasis ? ui.Option1_0 : ui.Option1_1)->setChecked(true);
    for (int i = 1; i <= kMaxTerms; ++i)
        FFF(i)->setText(realText(terms.Fi[static_cast<std::size_t>(i)]));
    for (int i = 1; i <= kMaxTerms; ++i)
        AAA(i)->setText(realText(terms.A[static_cast<std::size_t>(i)]));
    ui.Hei->setText(realText(terms.H));
    ui.Amax->setText(realText(terms.Amax));
    // A single term shows nothing of the shape; any other N is the user's choice.
    if (ui.Counti->text() == wholeText(1))
        ui.Counti->setText(wholeText(15));
    Command1_Click();
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
    connect(ui.AAA_1, &QLineEdit::textChanged, this, [this] { AAA_Change(1); });
    ui.AAA_1->installEventFilter(this);
    ui.FFF_1->installEventFilter(this);
}

TextField* Form1::createCopy(TextField* original)
{
    auto* copy = new TextField(original->parentWidget());
    copy->setObjectName(original->objectName());
    copy->setGeometry(original->geometry());
    copy->setFont(original->font());
    copy->setPalette(original->palette());
    copy->setToolTip(original->toolTip());
    copy->setHidden(true);
    return copy;
}

void Form1::Form_Load()
{
    m_ff = 1;
    m_aa = 1;

    QWidget* lastAmplitude = ui.AAA_1;
    QWidget* lastPhase = ui.FFF_1;
    for (int i = 2; i <= kMaxTerms; ++i) {
        TextField* amplitude = createCopy(ui.AAA_1);
        amplitude->setObjectName(QStringLiteral("AAA_%1").arg(i));
        m_AAA[static_cast<std::size_t>(i)] = amplitude;
        connect(amplitude, &QLineEdit::textChanged, this, [this, i] { AAA_Change(i); });
        amplitude->installEventFilter(this);
        amplitude->setText(wholeText(0));

        TextField* phase = createCopy(ui.FFF_1);
        phase->setObjectName(QStringLiteral("FFF_%1").arg(i));
        m_FFF[static_cast<std::size_t>(i)] = phase;
        phase->setText(wholeText(0));
        phase->installEventFilter(this);

        describeFields(i);

        // Only the field on show can take the focus, in the place of element 1.
        setTabOrder(lastAmplitude, amplitude);
        setTabOrder(lastPhase, phase);
        lastAmplitude = amplitude;
        lastPhase = phase;
    }

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

void Form1::describeFields(int index)
{
    // A screen reader names a field as its label does while the field is on show.
    const QString number = QString::fromStdString(tavelo::WholeToLabelText(index));
    AAA(index)->setAccessibleName(ui.ANum->text().left(12) + number);
    AAA(index)->setAccessibleDescription(QStringLiteral("Амплитуда гармоники %1, м").arg(index));
    FFF(index)->setAccessibleName(ui.FNum->text().left(13) + number);
    FFF(index)->setAccessibleDescription(QStringLiteral("Начальная фаза гармоники %1, в долях числа пи").arg(index));
}

int Form1::termCount() const
{
    // Clamped in double precision before the conversion, so no text can
    // overflow the integer; the field rule keeps it within 1..250 anyway.
    return static_cast<int>(std::clamp(std::floor(valueOf(ui.Counti)), 0.0, double{kMaxTerms}));
}

QString Form1::aboutPrompt()
{
    const QChar cr(13);
    const QChar tab(9);
    return QStringLiteral("Построение графиков негармонических колебаний.") + cr + QString() + cr + QString() + cr
           + QString() + cr + QString() + cr + cr + cr + tab
           + QStringLiteral("Данная программа предназначена для иллюстрации того, как любая периодическая функция "
                            "может быть представлена в виде ряда Фурье. Возможно задание до 250 гармонических "
                            "слагаемых.")
           + cr + tab + QStringLiteral("Для получения информации по какому-либо элементу интерфейса наведите на него мышью.");
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
    params.P = valueOf(ui.Tmax);
    params.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Amax = valueOf(ui.Amax);
    m_o1v = ui.Option1_0->isChecked() ? -1 : 0;
    params.sinBasis = m_o1v != 0;
    for (int i = 1; i <= n; ++i) {
        params.A[static_cast<std::size_t>(i)] = valueOf(AAA(i));
        params.Fi[static_cast<std::size_t>(i)] = valueOf(FFF(i));
    }
    return params;
}

void Form1::Command1_Click()
{
    setPlotStartable(false);
    m_tdk = -1;
    spectrs();
    ui.Picture1->Cls();
    const tavelo::HarmonicParams params = ReadHarmonicParams();
    const double W = ui.Picture1->ScaleWidth();
    const double Hs = ui.Picture1->ScaleHeight();
    clearUpperVectorState();

    const tavelo::PlotOutcome outcome = tavelo::DrawColumns(params, W, Hs, *ui.Picture1, [this](double column) {
        DoEvents();
        emit plotYielded(column);
        return !m_ending && m_tdk != 0;
    });

    setPlotStartable(true);
    if (!m_ending)
        ui.Picture1->setAccessibleDescription(plotDescription(outcome));
    if (outcome.end == tavelo::PlotEnd::NumericFault && !m_ending)
        reportFault(outcome);
    emit plotFinished(outcome);
}

void Form1::setPlotStartable(bool startable)
{
    ui.Command1->setEnabled(startable);
    for (QAction* action : std::as_const(m_waveformActions))
        action->setEnabled(startable);
}

void Form1::reportFault(const tavelo::PlotOutcome& outcome)
{
    showMessage(QMessageBox::Warning, plotFaultMessage(outcome), this);
}

void Form1::spectrs()
{
    ui.Picture2->Cls();
    const double N = std::floor(valueOf(ui.Counti));
    const int fields = static_cast<int>(std::clamp(N, 0.0, double{kMaxTerms}));
    std::vector<double> A(static_cast<std::size_t>(fields) + 1, 0.0);
    for (int i = 1; i <= fields; ++i)
        A[static_cast<std::size_t>(i)] = valueOf(AAA(i));
    const double H = valueOf(ui.Hei);
    for (const tavelo::SpectrumBar& bar : tavelo::spectrumBars(N, A, H, ui.Picture2->Width(), ui.Picture2->Height())) {
        // A bar that does not fit single precision cannot be drawn; the others can.
        if (tavelo::isDrawable(bar))
            ui.Picture2->Line(bar.barX, bar.baseY, bar.barX, bar.baseY + bar.deltaY);
    }
    emit spectrumRedrawn();
}

void Form1::Counti_Change()
{
    const double n = std::clamp(std::floor(valueOf(ui.Counti)), 1.0, double{kMaxTerms});
    const auto terms = static_cast<int>(n);
    ui.Counti->setText(wholeText(terms));
    ui.VScroll2->setMaximum(terms);
    ui.VScroll2->setMinimum(1);
    ui.VScroll3->setMaximum(terms);
    ui.VScroll3->setMinimum(1);
    spectrs();
}

void Form1::AAA_Change(int Index)
{
    spectrs();
    if (valueOf(ui.Hei) < valueOf(AAA(Index)))
        ui.Hei->setText(realText(valueOf(AAA(Index))));

    double S = 0;
    const int n = termCount();
    for (int i = 1; i <= n; ++i)
        S = S + valueOf(AAA(i));
    // A sum beyond the double range has no text; the plot explains the overflow.
    if (std::isfinite(S) && valueOf(ui.Amax) < S)
        ui.Amax->setText(realText(S));
}

void Form1::Hei_Change()
{
    if (valueOf(ui.Hei) == 0)
        ui.Hei->setText(wholeText(2));
    spectrs();
}

void Form1::Amax_Change()
{
    if (valueOf(ui.Amax) == 0)
        ui.Amax->setText(wholeText(2));
}

void Form1::Tmax_Change()
{
    if (valueOf(ui.Tmax) == 0)
        ui.Tmax->setText(wholeText(1));
}

void Form1::VScroll3_Change()
{
    ui.ANum->setCaption(ui.ANum->text().left(12) + QString::fromStdString(tavelo::WholeToLabelText(ui.VScroll3->value())));
    AAA(m_aa)->setVisible(false);
    AAA(ui.VScroll3->value())->setVisible(true);
    m_aa = static_cast<qint16>(ui.VScroll3->value());
}

void Form1::VScroll2_Change()
{
    ui.FNum->setCaption(ui.FNum->text().left(13) + QString::fromStdString(tavelo::WholeToLabelText(ui.VScroll2->value())));
    FFF(m_ff)->setVisible(false);
    FFF(ui.VScroll2->value())->setVisible(true);
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
    focusWholeText(AAA(ui.VScroll3->value()));
}

void Form1::focusWholeText(TextField* field)
{
    field->setSelection(0, static_cast<int>(field->text().length()));
    field->setFocus();
}

void Form1::stepTerm(QScrollBar* bar, const std::array<TextField*, kMaxTerms + 1>& fields, int step)
{
    const int target = bar->value() + step;
    if (target < bar->minimum() || target > bar->maximum())
        return;
    bar->setValue(target);
    focusWholeText(fields[static_cast<std::size_t>(bar->value())]);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Up and Down walk the terms from the field on show, as its scroll bar
        // does; at either end they do nothing.
        const bool upOrDown = keyEvent->key() == Qt::Key_Up || keyEvent->key() == Qt::Key_Down;
        if (upOrDown && (keyEvent->modifiers() & ~Qt::KeypadModifier) == 0) {
            const int step = keyEvent->key() == Qt::Key_Down ? 1 : -1;
            if (watched == AAA(m_aa)) {
                stepTerm(ui.VScroll3, m_AAA, step);
                return true;
            }
            if (watched == FFF(m_ff)) {
                stepTerm(ui.VScroll2, m_FFF, step);
                return true;
            }
        }
        int keyAscii = 0;
        if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter)
            keyAscii = 13;
        else if (!keyEvent->text().isEmpty())
            keyAscii = keyEvent->text().at(0).unicode();
        if (keyAscii != 0) {
            const auto found = std::find(m_AAA.begin() + 1, m_AAA.end(), watched);
            if (found != m_AAA.end())
                AAA_KeyPress(static_cast<int>(found - m_AAA.begin()), keyAscii);
        }
    }
    return QWidget::eventFilter(watched, event);
}
