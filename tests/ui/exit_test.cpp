#include "formtesting.h"

#include "core/columnplot.h"

#include <QSignalSpy>
#include <QtTest>

using namespace formtesting;

// Ending the program leaves the application unable to run another event loop,
// so each test here has a process of its own.
class ExitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // Each runs in a process of its own (the test is named on the command line).
    void exitDuringAPlotEndsAtOnceWithStatusZero();
    void closingDuringAPlotEndsWithStatusZero();
};

void ExitTest::exitDuringAPlotEndsAtOnceWithStatusZero()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 100)
            ui.Command2->click();
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    QTimer::singleShot(0, ui.Command1, &QPushButton::click);
    QCOMPARE(QCoreApplication::exec(), 0);

    QCOMPARE(plotted.size(), 1);
    QCOMPARE(outcomeOf(plotted.first().first()).end, tavelo::PlotEnd::Cancelled);
    QCOMPARE(outcomeOf(plotted.first().first()).column, 100.0);
    QVERIFY(!form->isVisible());
    QVERIFY(!rowsOf(ui.Picture1->image(), 99, kCurveBlue).isEmpty());
    for (int x = 100; x < 657; ++x)
        QVERIFY(rowsOf(ui.Picture1->image(), x, kCurveBlue).isEmpty());
}

void ExitTest::closingDuringAPlotEndsWithStatusZero()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 200)
            form->close();
    });
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    QTimer::singleShot(0, ui.Command1, &QPushButton::click);
    QCOMPARE(QCoreApplication::exec(), 0);

    QCOMPARE(plotted.size(), 1);
    QCOMPARE(outcomeOf(plotted.first().first()).column, 200.0);
    QVERIFY(!form->isVisible());
    for (int x = 200; x < 657; ++x)
        QVERIFY(rowsOf(ui.Picture1->image(), x, kCurveBlue).isEmpty());
}

QTEST_MAIN(ExitTest)
#include "exit_test.moc"
