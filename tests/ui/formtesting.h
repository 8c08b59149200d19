#pragma once

#include "ui/application.h"
#include "ui/form1.h"
// moc cannot read <numbers>, which this brings in, before a Qt header.
#include "core/columnplot.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(tavelo::PlotOutcome)

namespace formtesting {

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
    setUpApplication();
    quietOffscreenWarnings();
    qRegisterMetaType<tavelo::PlotOutcome>();
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

inline const QColor kCurveBlue{0, 0, 255};
inline const QColor kBarOlive{128, 128, 0};

} // namespace formtesting

namespace formtesting {

// The navigation invariants; returns what is broken, or nothing.
inline QString brokenInvariant(const Form1& form)
{
    const auto& ui = form.controls();
    int visibleAmplitudes = 0;
    int visiblePhases = 0;
    for (int i = 1; i <= Form1::kMaxTerms; ++i) {
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

} // namespace formtesting
