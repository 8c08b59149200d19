#pragma once

#include "core/termcount.h"
#include "ui/widgets/autosizelabel.h"
#include "ui/widgets/picturebox.h"
#include "ui/widgets/textfield.h"
#include "ui/window/application.h"
#include "ui/window/form1.h"
#include "ui/window/historyactions.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesfields.h"
#include "ui/sound/soundrecording.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace formtesting {

// The window's controls, found by the names the design gives them, as a
// tester (or a screen reader) finds them.
struct Controls {
    explicit Controls(const QWidget& form)
        : Counti(find<TextField>(form, "Counti"))
        , Hei(find<TextField>(form, "Hei"))
        , Amax(find<TextField>(form, "Amax"))
        , Tmax(find<TextField>(form, "Tmax"))
        , Option1_0(find<QRadioButton>(form, "Option1_0"))
        , Option1_1(find<QRadioButton>(form, "Option1_1"))
        , VScroll3(find<QScrollBar>(form, "VScroll3"))
        , VScroll2(find<QScrollBar>(form, "VScroll2"))
        , ANum(find<AutoSizeLabel>(form, "ANum"))
        , FNum(find<AutoSizeLabel>(form, "FNum"))
        , Picture1(find<PictureBox>(form, "Picture1"))
        , Picture2(find<PictureBox>(form, "Picture2"))
        , Risunok1(find<PictureBox>(form, "Risunok1"))
        , Command1(find<QPushButton>(form, "Command1"))
        , Command2(find<QPushButton>(form, "Command2"))
        , Command3(find<QPushButton>(form, "Command3"))
        , Command4(find<QPushButton>(form, "Command4"))
        , Frame1(find<QGroupBox>(form, "Frame1"))
        , Frame2(find<QGroupBox>(form, "Frame2"))
        , Frame5(find<QGroupBox>(form, "Frame5"))
    {
    }

    TextField* Counti;
    TextField* Hei;
    TextField* Amax;
    TextField* Tmax;
    QRadioButton* Option1_0;
    QRadioButton* Option1_1;
    QScrollBar* VScroll3;
    QScrollBar* VScroll2;
    AutoSizeLabel* ANum;
    AutoSizeLabel* FNum;
    PictureBox* Picture1;
    PictureBox* Picture2;
    PictureBox* Risunok1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame5;

private:
    template <typename T>
    static T* find(const QWidget& form, const char* name)
    {
        T* control = form.findChild<T*>(QLatin1String(name));
        Q_ASSERT(control);
        return control;
    }
};

inline Controls controlsOf(const QWidget& form)
{
    return Controls(form);
}

// What a finished plot told.
inline tavelo::PlotOutcome outcomeOf(const QVariant& result)
{
    return result.value<tavelo::PlotResult>().outcome;
}

// Message boxes on the offscreen platform warn that it cannot size them;
// that says nothing about the program, so it is kept out of the test logs.
inline void quietOffscreenWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, message);
    });
}

// What every window test does first: the program's application settings,
// and a plot's outcome usable in signal spies.
inline void setUpTestApplication()
{
    // Settings of this test's own (the window's kept size among them): never
    // the user's, nor another test's running beside it.
    static const QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    setUpApplication();
    quietOffscreenWarnings();
    qRegisterMetaType<tavelo::PlotResult>();
}

// A started window, as the program opens it.
inline std::unique_ptr<Form1> startedForm()
{
    auto form = std::make_unique<Form1>();
    form->Form_Load();
    return form;
}

// Runs `act` on the next modal window (a message box) as soon as it is open.
inline void onNextModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

inline void closeNextModal()
{
    onNextModal([](QWidget* modal) { modal->close(); });
}

// Replaces the whole text of a field by typing, one key at a time, and
// returns the text after each key.
inline QStringList typeOver(QLineEdit* field, const QString& keys)
{
    field->setFocus();
    field->selectAll();
    QStringList seen;
    if (keys.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Backspace);
        seen << field->text();
    }
    for (QChar key : keys) {
        QTest::keyClicks(field, QString(key));
        seen << field->text();
    }
    return seen;
}

// Replaces the whole text at once, as a paste does.
inline void paste(QLineEdit* field, const QString& text)
{
    field->selectAll();
    field->insert(text);
}

inline bool isColor(const QImage& image, int x, int y, QColor color)
{
    return image.valid(x, y) && QColor(image.pixel(x, y)) == color;
}

// Rows of column x that hold the given colour.
inline QList<int> rowsOf(const QImage& image, int x, QColor color)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (isColor(image, x, y, color))
            rows.append(y);
    }
    return rows;
}

// Every text of the series' fields: N, H, the largest visible coordinate,
// the periods, and every amplitude and phase.
inline QStringList seriesTexts(const Form1& form)
{
    const Controls ui(form);
    QStringList texts{ui.Counti->text(), ui.Hei->text(), ui.Amax->text(), ui.Tmax->text()};
    for (int n = 1; n <= tavelo::kMaxTerms; ++n)
        texts << form.AAA(n)->text() << form.FFF(n)->text();
    return texts;
}

// The item of a drawing area's context menu with the given text.
inline QAction* menuItem(QWidget* area, const QString& text)
{
    for (QAction* action : area->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Pixels of the image in the given colour.
inline QList<QPoint> pixelsOf(const QImage& image, QColor color)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)) == color)
                found.append({x, y});
        }
    }
    return found;
}

// A second of a sound of `terms` harmonics at `hertz`, as the microphone hands it over.
inline std::vector<float> recordedSecond(double hertz, int terms)
{
    const int rate = SoundRecording::kSampleRate;
    std::vector<float> samples(static_cast<std::size_t>(rate));
    for (std::size_t k = 0; k < samples.size(); ++k) {
        double v = 0;
        for (int n = 1; n <= terms; ++n)
            v += 0.3 / n * std::sin(2 * 3.141592653589793 * n * hertz * double(k) / rate + n);
        samples[k] = static_cast<float>(v);
    }
    return samples;
}

inline const QColor kCurveBlue{0, 0, 255};
inline const QColor kBarOlive{128, 128, 0};

} // namespace formtesting

namespace formtesting {

// The navigation invariants; returns what is broken, or nothing.
inline QString brokenInvariant(const Form1& form, const Controls& ui)
{
    int visibleAmplitudes = 0;
    int visiblePhases = 0;
    for (int i = 1; i <= tavelo::kMaxTerms; ++i) {
        visibleAmplitudes += form.AAA(i)->isHidden() ? 0 : 1;
        visiblePhases += form.FFF(i)->isHidden() ? 0 : 1;
    }
    if (visibleAmplitudes != 1 || form.AAA(form.aa())->isHidden())
        return QStringLiteral("amplitude field on show is not AAA(aa) alone");
    if (visiblePhases != 1 || form.FFF(form.ff())->isHidden())
        return QStringLiteral("phase field on show is not FFF(ff) alone");
    if (form.aa() != ui.VScroll3->value() || form.ff() != ui.VScroll2->value())
        return QStringLiteral("index differs from its scroll bar");
    if (ui.ANum->text() != QStringLiteral("A ( i ), i = %1").arg(form.aa())
        || ui.FNum->text() != QStringLiteral("Fi ( i ), i = %1").arg(form.ff()))
        return QStringLiteral("label does not name the index: ") + ui.ANum->text() + " / " + ui.FNum->text();
    bool isWhole = false;
    const int n = ui.Counti->text().toInt(&isWhole);
    if (!isWhole || n < 1 || n > 250 || ui.Counti->text() != QString::number(n))
        return QStringLiteral("N is not a whole number 1..250: ") + ui.Counti->text();
    for (const QScrollBar* bar : {ui.VScroll2, ui.VScroll3}) {
        if (bar->minimum() != 1 || bar->maximum() != n || bar->value() < 1 || bar->value() > n)
            return QStringLiteral("scroll bar range is not 1..N");
    }
    return {};
}

inline QString brokenInvariant(const Form1& form)
{
    return brokenInvariant(form, controlsOf(form));
}

} // namespace formtesting
