// The graph read without sight: the plot area's jumps to extremes, zero
// crossings and jumps, the point's place, the spoken summary, and the
// spectrum's summary and jumps between its terms that are not 0.

#include "formtesting.h"

#include "ui/plot/plotreader.h"
#include "ui/sound/graphtrace.h"
#include "ui/tasks/tasksession.h"
#include "ui/window/picturemenus.h"

#include <QtTest>

using namespace formtesting;

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString heard;     // the start of what is said, or all of it
    double periods;    // where the cursor then stands, in periods; < 0: unmoved
};

// Presses the keys on the area in turn and checks what it says of each and
// where the line is.
void press(PictureBox* area, const QList<Key>& keys)
{
    for (const Key& key : keys) {
        const std::optional<double> before = area->marker();
        QTest::keyClick(area, key.key, key.modifiers);
        const QString said = area->accessibleDescription();
        QVERIFY2(said.startsWith(key.heard), qPrintable(said + " after " + QKeySequence(key.key | key.modifiers).toString()));
        if (key.periods < 0) {
            QCOMPARE(area->marker(), before);
        } else {
            QVERIFY(area->marker());
            // 657 columns show 2 periods: a column is 0.003 of one.
            QVERIFY2(std::abs(*area->marker() * 2 / 657 - key.periods) <= 0.0046, qPrintable(said));
        }
    }
}

} // namespace

class ReadingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void squareWaveIsReadByItsPlaces();
    void sineAndZeroSumHaveNoJumpsOrNoZeros();
    void taskIsSolvedByItsDeviation();
    void spectrumSaysItsTermsAndJumpsBetweenThem();
    void traceStoppedLeavesTheCursorWhereItWasHeard();
    void traceLengthIsChosenByKey();
};

void ReadingTest::squareWaveIsReadByItsPlaces()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    menuItem(ui.Picture2, "Прямоугольные колебания (меандр)")->trigger();
    QCOMPARE(ui.Counti->text(), "15");
    PictureBox* plot = ui.Picture1;
    plot->setFocus();
    press(plot, {
        {Qt::Key_Home, Qt::NoModifier, "t = 0 T, f(t) = 0 м, точка 1 из 658", 0},
        // The Gibbs peak after the rise, a 32nd of a period on.
        {Qt::Key_Right, Qt::ControlModifier, "максимум 0.926 м, t = 0.03 T, точка 11 из 658", 1.0 / 32},
        {Qt::Key_Left, Qt::ControlModifier, "раньше максимумов и минимумов нет", -1},
        {Qt::Key_Right, Qt::AltModifier, "ноль, вниз, t = 0.5 T, точка", 0.5},
        {Qt::Key_Right, Qt::AltModifier, "ноль, вверх, t = 1 T", 1},
        {Qt::Key_Right, Qt::AltModifier, "ноль, вниз, t = 1.5 T", 1.5},
        {Qt::Key_Right, Qt::AltModifier, "дальше нулей нет", -1},
        {Qt::Key_Left, Qt::ShiftModifier, "скачок вверх на 1.", 1},
        {Qt::Key_Left, Qt::ShiftModifier, "скачок вниз на 1.", 0.5},
        {Qt::Key_Left, Qt::ShiftModifier, "скачок вверх на ", 0},
        {Qt::Key_Left, Qt::ShiftModifier, "раньше скачков нет", -1},
        {Qt::Key_Left, Qt::AltModifier, "ноль, вверх, t = 0 T", 0},
        {Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier, "цели нет", -1},
    });
    QTest::keyClick(plot, Qt::Key_I);
    const QString summary = plot->accessibleDescription();
    QVERIFY2(summary.startsWith("8 ненулевых гармоник из 15, SIN, периодов: 2 на экране; наибольшее значение 0.927 м "
                                "при t = "),
             qPrintable(summary));
    QVERIFY2(summary.contains("; пересечений нуля за период: 2; среднеквадратичное значение 0.7"), qPrintable(summary));
    QVERIFY(!summary.contains("выброс"));
    // With the limit shape shown the overshoot joins it.
    form->pictureMenus().limitAction()->trigger();
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_I);
    QVERIFY2(plot->accessibleDescription().contains("; выброс 9.01 % скачка; среднеквадратичное отклонение от "
                                                    "предельной формы 0.125 м."),
             qPrintable(plot->accessibleDescription()));
}

void ReadingTest::sineAndZeroSumHaveNoJumpsOrNoZeros()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Command1->click(); // the start values: one sine over 2 periods
    PictureBox* plot = ui.Picture1;
    plot->setFocus();
    press(plot, {
        {Qt::Key_Right, Qt::ShiftModifier, "дальше скачков нет", -1},
        {Qt::Key_Right, Qt::ControlModifier, "максимум 1 м, t = 0.25 T", 0.25},
        {Qt::Key_Right, Qt::ControlModifier, "минимум -1 м, t = 0.749 T", 0.75},
        {Qt::Key_Left, Qt::AltModifier, "ноль, вниз, t = 0.5 T", 0.5},
        // A single step says no place; a page does.
        {Qt::Key_Right, Qt::NoModifier, "t = 0.5023 T, f(t) = -0.01425 м", 0.5023},
        {Qt::Key_PageDown, Qt::NoModifier, "t = 0.6027 T, f(t) = -0.6015 м, точка 199 из 658", 0.6027},
    });
    form->AAA(1)->setText("0");
    ui.Command1->click();
    plot->setFocus();
    press(plot, {
        {Qt::Key_Right, Qt::AltModifier, "нулей нет: сумма везде равна нулю", -1},
        {Qt::Key_Right, Qt::ControlModifier, "дальше максимумов и минимумов нет", -1},
    });
    QTest::keyClick(plot, Qt::Key_I);
    QVERIFY2(plot->accessibleDescription().startsWith("0 ненулевых гармоник из 1, SIN, периодов: 2 на экране; "
                                                      "сумма везде равна нулю."),
             qPrintable(plot->accessibleDescription()));
}

void ReadingTest::taskIsSolvedByItsDeviation()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    form->tasks().start(1, 7);
    PictureBox* plot = ui.Picture1;
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_Home);
    // The sum is 0 while the terms are not found: the deviation is the target's negative.
    QTest::keyClick(plot, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    const QString targetPeak = plot->accessibleDescription();
    QVERIFY2(targetPeak.startsWith("цель: максимум ") || targetPeak.startsWith("цель: минимум "), qPrintable(targetPeak));
    QTest::keyClick(plot, Qt::Key_Home);
    bool largestSaid = false;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(plot, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        const QString said = plot->accessibleDescription();
        QVERIFY2(said.startsWith("отклонение ") || said == "дальше наибольших отклонений от цели нет", qPrintable(said));
        largestSaid = largestSaid || said.startsWith("отклонение наибольшее ");
    }
    QVERIFY(largestSaid);
    QTest::keyClick(plot, Qt::Key_I);
    QVERIFY2(plot->accessibleDescription().contains("среднеквадратичное отклонение от цели"),
             qPrintable(plot->accessibleDescription()));
}

void ReadingTest::spectrumSaysItsTermsAndJumpsBetweenThem()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    menuItem(ui.Picture2, "Прямоугольные колебания (меандр)")->trigger();
    PictureBox* spectrum = ui.Picture2;
    spectrum->setFocus();
    QTest::keyClick(spectrum, Qt::Key_I);
    QCOMPARE(spectrum->accessibleDescription(), "Ненулевые гармоники: 1, 3, 5 … 15; наибольшая 1-я, 1 м");
    QTest::keyClick(spectrum, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(spectrum->accessibleDescription().startsWith("Гармоника 1 из 15"));
    QTest::keyClick(spectrum, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(spectrum->accessibleDescription().startsWith("Гармоника 3 из 15"));
    QTest::keyClick(spectrum, Qt::Key_End);
    QTest::keyClick(spectrum, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(spectrum->accessibleDescription(), "дальше ненулевых гармоник нет");
    QTest::keyClick(spectrum, Qt::Key_Left, Qt::ControlModifier);
    QVERIFY(spectrum->accessibleDescription().startsWith("Гармоника 13 из 15"));
    // Terms scattered: no run to shorten.
    form->AAA(3)->setText("0");
    form->AAA(2)->setText("2");
    QTest::keyClick(spectrum, Qt::Key_I);
    QCOMPARE(spectrum->accessibleDescription(), "Ненулевые гармоники: 1, 2, 5, 7, 9 … 15; наибольшая 2-я, 2 м");
}

void ReadingTest::traceStoppedLeavesTheCursorWhereItWasHeard()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Command1->click();
    auto* trace = form->findChild<GraphTrace*>();
    PictureBox* plot = ui.Picture1;
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_End);
    QTest::keyClick(plot, Qt::Key_H);
    QVERIFY(trace->isTracing());
    // Stopped at once, the trace was heard at its start, not where the
    // cursor stood before it.
    QTest::keyClick(plot, Qt::Key_H);
    QVERIFY(!trace->isTracing());
    QVERIFY(plot->marker());
    QVERIFY2(*plot->marker() < 30, qPrintable(plot->accessibleDescription()));
    QVERIFY2(plot->accessibleDescription().contains(", точка "), qPrintable(plot->accessibleDescription()));
}

void ReadingTest::traceLengthIsChosenByKey()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Command1->click();
    auto* trace = form->findChild<GraphTrace*>();
    QCOMPARE(trace->seconds(), 4.0);
    PictureBox* plot = ui.Picture1;
    plot->setFocus();
    for (const auto& [key, seconds, said] : {std::tuple{Qt::Key_1, 2.0, "озвучивание графика: 2 секунды"},
                                             {Qt::Key_3, 8.0, "озвучивание графика: 8 секунд"},
                                             {Qt::Key_2, 4.0, "озвучивание графика: 4 секунды"}}) {
        QTest::keyClick(plot, key);
        QCOMPARE(trace->seconds(), seconds);
        QCOMPARE(plot->accessibleDescription(), QString(said));
    }
}

QTEST_MAIN(ReadingTest)
#include "reading_test.moc"
