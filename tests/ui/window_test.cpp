#include "formtesting.h"

#include "core/core.h"
#include "ui/widgets/messages.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace formtesting;

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void startUpState();
    void aboutPromptIsExact();
    void aboutBoxShowsNineLines();
    void enterAndEscapeRouting_data();
    void enterAndEscapeRouting();
    void enterReachesTheFieldDuringAPlot();
    void enterInTheAboutBoxStaysThere();
    void plotDrawsTheStartValues_data();
    void plotDrawsTheStartValues();
    void cancelStopsAtTheNextTwentiethColumn();
    void cancelWhileIdleDoesNotStopTheNextPlot();
    void numericFaultStopsAndExplains_data();
    void numericFaultStopsAndExplains();
    void spectrumWorkedExample();
    void drawingSurvivesRepaints();
    void screenShowsTheWholePlot();
    void partialPaintDoesNotSwallowAStroke();
    void closingDuringAPlotDrawsNothingMore();
    void aboutDuringAPlotHoldsTheDrawing();
    void aPlotAskedForDuringAPlotIsRefused();
    void closesWithADrawingAreaFocused();
};

void WindowTest::startUpState()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    QVERIFY(ui.Option1_0->isChecked());
    QVERIFY(!ui.Option1_1->isChecked());
    QCOMPARE(ui.Counti->text(), "1");
    QCOMPARE(ui.Hei->text(), "1");
    QCOMPARE(ui.Amax->text(), "1");
    QCOMPARE(ui.Tmax->text(), "2");
    QCOMPARE(ui.ANum->text(), "A ( i ), i = 1");
    QCOMPARE(ui.FNum->text(), "Fi ( i ), i = 1");
    QCOMPARE(form->aa(), 1);
    QCOMPARE(form->ff(), 1);
    QCOMPARE(form->tdk(), 0);
    QCOMPARE(form->AAA(1)->text(), "1");
    QCOMPARE(form->FFF(1)->text(), "0");
    QVERIFY(form->AAA(1)->isVisible());
    QVERIFY(form->FFF(1)->isVisible());
    for (int i = 2; i <= 250; ++i) {
        QVERIFY(form->AAA(i)->isHidden());
        QVERIFY(form->FFF(i)->isHidden());
        QCOMPARE(form->AAA(i)->text(), "0");
        QCOMPARE(form->FFF(i)->text(), "0");
        QCOMPARE(form->AAA(i)->parentWidget(), ui.Frame5);
        QCOMPARE(form->AAA(i)->geometry(), form->AAA(1)->geometry());
        QCOMPARE(form->FFF(i)->geometry(), form->FFF(1)->geometry());
        QCOMPARE(form->AAA(i)->font(), form->AAA(1)->font());
    }
    for (const QScrollBar* bar : {ui.VScroll2, ui.VScroll3}) {
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 1);
        QCOMPARE(bar->value(), 1);
    }
    QVERIFY(ui.Command1->isEnabled());
    // The spectrum of the start values stands in the area before any plot.
    QVERIFY(!rowsOf(ui.Picture2->image(), qRound(3155 / 15.0), kBarOlive).isEmpty());
}

void WindowTest::aboutPromptIsExact()
{
    const QString prompt = aboutPrompt();
    QVERIFY(prompt.startsWith("Построение графиков негармонических колебаний.\r"));
    QVERIFY(prompt.contains("\r\r\r\tДанная программа предназначена для иллюстрации того, как любая периодическая "
                            "функция может быть представлена в виде ряда Фурье. Возможно задание до 250 "
                            "гармонических слагаемых.\r\tДля получения информации по какому-либо элементу "
                            "интерфейса наведите на него мышью."));
    QVERIFY(prompt.endsWith("мышью."));
    QVERIFY(!prompt.contains('\n'));
    QCOMPARE(prompt.count('\r'), 8);
    QCOMPARE(prompt.count('\t'), 2);
}

void WindowTest::aboutBoxShowsNineLines()
{
    const auto form = startedForm();
    QString shownText;
    QString title;
    bool onlyOk = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shownText = box->text();
        title = box->windowTitle();
        icon = box->icon();
        onlyOk = box->buttons().size() == 1 && box->button(QMessageBox::Ok)
                 && box->button(QMessageBox::Ok)->text() == "ОК"; // Cyrillic
        box->close();
    });
    controlsOf(*form).Command3->click();
    QCOMPARE(title, "Tavelo");
    QCOMPARE(icon, QMessageBox::Information);
    QVERIFY(onlyOk);
    QCOMPARE(shownText.split('\n').size(), 9);
    QVERIFY(shownText.contains("\n\t"));
    QCOMPARE(controlsOf(*form).Counti->text(), "1");
}

void WindowTest::enterAndEscapeRouting_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("plots");
    QTest::addColumn<bool>("cancels");
    QTest::addRow("Enter in a field plots") << "Counti" << int(Qt::Key_Return) << true << false;
    QTest::addRow("keypad Enter in a field plots") << "Tmax" << int(Qt::Key_Enter) << true << false;
    QTest::addRow("Enter in the spectrum area plots") << "Picture2" << int(Qt::Key_Return) << true << false;
    QTest::addRow("Enter on Cancel presses Cancel") << "Command4" << int(Qt::Key_Return) << false << true;
    QTest::addRow("Enter on Plot plots") << "Command1" << int(Qt::Key_Return) << true << false;
    QTest::addRow("Escape in a field cancels") << "Amax" << int(Qt::Key_Escape) << false << true;
    QTest::addRow("Escape on Plot cancels") << "Command1" << int(Qt::Key_Escape) << false << true;
}

void WindowTest::enterAndEscapeRouting()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, plots);
    QFETCH(bool, cancels);
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto* target = form->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    QSignalSpy cancelled(controlsOf(*form).Command4, &QPushButton::clicked);
    QSignalSpy fieldSawEnter(controlsOf(*form).Counti, &QLineEdit::returnPressed);
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(plotted.size(), plots ? 1 : 0);
    QCOMPARE(cancelled.size(), cancels ? 1 : 0);
    QCOMPARE(fieldSawEnter.size(), 0);
}

void WindowTest::enterReachesTheFieldDuringAPlot()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    controlsOf(*form).Counti->setFocus();
    QSignalSpy fieldSawEnter(controlsOf(*form).Counti, &QLineEdit::returnPressed);
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 20)
            QTest::keyClick(controlsOf(*form).Counti, Qt::Key_Return);
    });
    controlsOf(*form).Command1->click();
    QCOMPARE(plotted.size(), 1); // the Enter started no second plot
    QCOMPARE(fieldSawEnter.size(), 1);
}

void WindowTest::enterInTheAboutBoxStaysThere()
{
    const auto form = startedForm();
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    controlsOf(*form).Command3->click();
    QCOMPARE(plotted.size(), 0);
    QVERIFY(!QApplication::activeModalWidget());
}

void WindowTest::plotDrawsTheStartValues_data()
{
    QTest::addColumn<bool>("sine");
    QTest::addRow("SIN") << true;
    QTest::addRow("COS") << false;
}

void WindowTest::plotDrawsTheStartValues()
{
    QFETCH(bool, sine);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    (sine ? ui.Option1_0 : ui.Option1_1)->click();
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.Command1->click();
    QCOMPARE(plotted.size(), 1);
    QCOMPARE(outcomeOf(plotted.first().first()).end, tavelo::PlotEnd::Completed);
    QVERIFY(ui.Command1->isEnabled());
    QCOMPARE(form->tdk(), -1);
    QCOMPARE(form->o1v(), sine ? -1 : 0);

    const QImage image = ui.Picture1->image();
    // The first point: the top edge for the cosine, mid-height for the sine.
    const QList<int> firstRows = rowsOf(image, 0, kCurveBlue);
    QVERIFY(!firstRows.isEmpty());
    QVERIFY(sine ? (firstRows.contains(168) || firstRows.contains(169)) : firstRows.first() == 0);
    // Every column holds the curve where the series puts it.
    for (int x = 1; x < 657; ++x) {
        const double f = sine ? std::sin(6.283 * x * 2 / 657) : std::cos(6.283 * x * 2 / 657);
        const int y = int(std::floor(tavelo::ColumnY(f, 337, 1)));
        const QList<int> rows = rowsOf(image, x, kCurveBlue);
        QVERIFY2(rows.contains(y) || rows.contains(y - 1) || rows.contains(y + 1), qPrintable(QString::number(x)));
    }
    if (sine) {
        QVERIFY(rowsOf(image, 82, kCurveBlue).contains(0)); // the first crest reaches the top edge
    }
}

void WindowTest::cancelStopsAtTheNextTwentiethColumn()
{
    // A click made after the yield of column 40 (while column 47 is computed,
    // say) is processed at the yield of column 60, which is not drawn.
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 40) {
            const QPoint centre = ui.Command4->rect().center();
            QCoreApplication::postEvent(ui.Command4, new QMouseEvent(QEvent::MouseButtonPress, centre,
                                                                      ui.Command4->mapToGlobal(centre), Qt::LeftButton,
                                                                      Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(ui.Command4, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                                      ui.Command4->mapToGlobal(centre), Qt::LeftButton,
                                                                      Qt::NoButton, Qt::NoModifier));
        }
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.Command1->click();
    QCOMPARE(plotted.size(), 1);
    const auto outcome = outcomeOf(plotted.first().first());
    QCOMPARE(outcome.end, tavelo::PlotEnd::Cancelled);
    QCOMPARE(outcome.column, 60.0);
    QVERIFY(ui.Command1->isEnabled());
    QCOMPARE(form->tdk(), 0);
    // Columns 0..59 of the sine rise from 0 towards, not to, its crest.
    const QString described = ui.Picture1->accessibleDescription();
    QVERIFY2(described.startsWith("Построение графика отменено в столбце 60. Наименьшее значение суммы 0 м, "
                                  "наибольшее 0.9"),
             qPrintable(described));
    const QImage image = ui.Picture1->image();
    QVERIFY(!rowsOf(image, 59, kCurveBlue).isEmpty());
    for (int x = 60; x < image.width(); ++x)
        QVERIFY2(rowsOf(image, x, kCurveBlue).isEmpty(), qPrintable(QString::number(x)));
}

void WindowTest::cancelWhileIdleDoesNotStopTheNextPlot()
{
    const auto form = startedForm();
    controlsOf(*form).Command4->click();
    QCOMPARE(form->tdk(), 0);
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    controlsOf(*form).Command1->click();
    QCOMPARE(outcomeOf(plotted.first().first()).end, tavelo::PlotEnd::Completed);
}

void WindowTest::numericFaultStopsAndExplains_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("advice");
    QTest::addRow("amplitudes overflow") << "AAA_2" << "1e308" << 0 << "Уменьшите амплитуды";
    QTest::addRow("time term overflows") << "Tmax" << "1e306" << 15 << "Уменьшите количество периодов";
    QTest::addRow("phase times pi overflows") << "FFF_1" << "1e308" << 0 << "Уменьшите начальную фазу";
    QTest::addRow("coordinate overflows") << "AAA_1" << "1e308" << 0 << "увеличьте максимальную видимую координату";
}

void WindowTest::numericFaultStopsAndExplains()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, column);
    QFETCH(QString, advice);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Option1_1->click(); // cosine: the first point adds the amplitudes as they are
    ui.Counti->setText("2");
    form->findChild<QLineEdit*>(field)->setText(text);
    if (field == "AAA_2")
        form->AAA(1)->setText("1e308");
    ui.Amax->setText("1"); // a raised Amax would hide the coordinate's overflow
    QString message;
    onNextModal([&](QWidget* modal) {
        message = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.Command1->click();
    const auto outcome = outcomeOf(plotted.first().first());
    QCOMPARE(outcome.end, tavelo::PlotEnd::NumericFault);
    QCOMPARE(outcome.column, double(column));
    QVERIFY(ui.Command1->isEnabled());
    QVERIFY2(message.contains(advice), qPrintable(message));
    const QString described = ui.Picture1->accessibleDescription();
    const QString expected = column == 0 ? "остановлено в начальной точке: числа вышли за пределы, с которыми может "
                                           "работать программа. Ничего не нарисовано."
                                         : QString("остановлено в столбце %1: ").arg(column);
    QVERIFY2(described.contains(expected), qPrintable(described));
    // What was drawn stays, and nothing after the fault.
    const QImage image = ui.Picture1->image();
    if (column > 1) {
        QVERIFY(!rowsOf(image, column - 2, kCurveBlue).isEmpty());
    }
    for (int x = qMax(column, 1); x < image.width(); ++x)
        QVERIFY(rowsOf(image, x, kCurveBlue).isEmpty());

    // The next plot with sane values runs to its end.
    for (const char* name : {"AAA_1", "AAA_2", "FFF_1"})
        form->findChild<QLineEdit*>(name)->setText("1");
    ui.Tmax->setText("2");
    ui.Command1->click();
    QCOMPARE(outcomeOf(plotted.last().first()).end, tavelo::PlotEnd::Completed);
}

void WindowTest::spectrumWorkedExample()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Counti->setText("3");
    form->AAA(2)->setText("0.5");
    form->AAA(3)->setText("0.25");
    QCOMPARE(ui.Hei->text(), "1");
    form->spectrs();
    // Twips over 15 inside a 2-pixel border: bars at x = 70.1, 140.2 and 210.3
    // pixels, rising from below the lower edge to y = 0, 68.5 and 102.75.
    const QImage image = ui.Picture2->image();
    QCOMPARE(image.height(), 133);
    struct Bar {
        int x;
        int top;
    };
    for (const Bar bar : {Bar{70, 0}, Bar{140, 69}, Bar{210, 103}}) {
        const QList<int> rows = rowsOf(image, bar.x, kBarOlive);
        QVERIFY2(!rows.isEmpty(), qPrintable(QString::number(bar.x)));
        QVERIFY2(qAbs(rows.first() - bar.top) <= 1, qPrintable(QString::number(rows.first())));
        QCOMPARE(rows.last(), 132);
        QCOMPARE(rows.size(), 133 - rows.first());
    }
    for (int x = 0; x < image.width(); ++x) {
        if (x != 70 && x != 140 && x != 210)
            QVERIFY2(rowsOf(image, x, kBarOlive).isEmpty(), qPrintable(QString::number(x)));
    }
}

void WindowTest::drawingSurvivesRepaints()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    controlsOf(*form).Command1->click();
    const QImage before = controlsOf(*form).Picture1->grab().toImage();
    form->hide();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    controlsOf(*form).Picture1->repaint();
    QCOMPARE(controlsOf(*form).Picture1->grab().toImage(), before);
    // The zero line stands in front of the curve and survives clearing.
    controlsOf(*form).Picture1->Cls();
    const QImage cleared = controlsOf(*form).Picture1->grab().toImage();
    QCOMPARE(QColor(cleared.pixel(300, 168)), QColor(0, 192, 0));
    QCOMPARE(QColor(cleared.pixel(300, 100)), QColor(Qt::white));
}

// What the window system was given: the backing store, not a fresh render.
static QImage onScreen(QWidget* widget)
{
    const QPoint origin = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), origin.x(), origin.y(), widget->width(), widget->height())
        .toImage();
}

void WindowTest::screenShowsTheWholePlot()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const auto& ui = controlsOf(*form);
    ui.Command1->click();
    const QImage drawn = ui.Picture1->image();
    int curvePixels = 0;
    // Every pixel of the curve reaches the screen once the last strip is
    // repainted; only the zero line covers it.
    const auto firstMissingPixel = [&] {
        const QImage shown = onScreen(ui.Picture1);
        if (shown.size() != drawn.size())
            return QStringLiteral("screen size %1x%2").arg(shown.width()).arg(shown.height());
        curvePixels = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (QColor(drawn.pixel(x, y)) != kCurveBlue)
                    continue;
                ++curvePixels;
                const QColor screen(shown.pixel(x, y));
                if (screen != kCurveBlue && screen != QColor(0, 192, 0))
                    return QStringLiteral("%1,%2").arg(x).arg(y);
            }
        }
        return QString();
    };
    QTRY_COMPARE(firstMissingPixel(), QString());
    QVERIFY(curvePixels > 657);
}

void WindowTest::partialPaintDoesNotSwallowAStroke()
{
    PictureBox box;
    box.resize(200, 150);
    box.setForeColor(kCurveBlue);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.Line(150, 20, 150, 120);
    box.repaint(0, 0, 10, 10); // an uncovered corner, before the stroke's own repaint
    QTRY_VERIFY(rowsOf(onScreen(&box), 150, kCurveBlue).size() >= 100);
}

void WindowTest::closingDuringAPlotDrawsNothingMore()
{
    const auto form = startedForm();
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 40)
            form->close();
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    controlsOf(*form).Command1->click();
    QCOMPARE(outcomeOf(plotted.first().first()).column, 40.0);
    QVERIFY(!rowsOf(controlsOf(*form).Picture1->image(), 39, kCurveBlue).isEmpty());
    QVERIFY(rowsOf(controlsOf(*form).Picture1->image(), 40, kCurveBlue).isEmpty());
}

void WindowTest::aboutDuringAPlotHoldsTheDrawing()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    bool held = false;
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column != 20)
            return;
        onNextModal([&](QWidget* modal) {
            // While the box is open the plot stands still before column 20.
            held = !rowsOf(ui.Picture1->image(), 19, kCurveBlue).isEmpty()
                   && rowsOf(ui.Picture1->image(), 21, kCurveBlue).isEmpty();
            modal->close();
        });
        ui.Command3->click();
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.Command1->click();
    QVERIFY(held);
    QCOMPARE(outcomeOf(plotted.first().first()).end, tavelo::PlotEnd::Completed);
    QVERIFY(!rowsOf(ui.Picture1->image(), 656, kCurveBlue).isEmpty());
}

void WindowTest::aPlotAskedForDuringAPlotIsRefused()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    QList<double> yields;
    bool enabledDuringThePlot = false;
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        yields << column;
        // Two callers that do not look whether a plot runs, each once: the
        // handler itself, and an addition asking for its plot.
        if (column == 40 && yields.count(40) == 1)
            form->Command1_Click();
        if (column == 60 && yields.count(60) == 1)
            form->plot().request();
        enabledDuringThePlot = enabledDuringThePlot || ui.Command1->isEnabled();
    });
    ui.Command1->click();
    QCOMPARE(plotted.size(), 1);
    QList<double> everyTwentieth;
    for (double column = 20; column <= 657; column += 20)
        everyTwentieth << column;
    QCOMPARE(yields, everyTwentieth);
    QVERIFY(!enabledDuringThePlot);
    QVERIFY(ui.Command1->isEnabled());
    QVERIFY(!form->plot().isRunning());
}

// A drawing area is destroyed with the focus on it and its reading line
// showing, as when the program ends while the window is still active: the
// area's filters hear it give up the focus while it is still whole (the
// sanitizers' build checks that).
void WindowTest::closesWithADrawingAreaFocused()
{
    for (const char* area : {"Picture1", "Picture2"}) {
        const auto form = startedForm();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        controlsOf(*form).Command1->click();
        auto* box = form->findChild<PictureBox*>(area);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Right);
        QVERIFY(box->hasFocus());
        delete box;
        QVERIFY(form->focusWidget() != box);
    }
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
