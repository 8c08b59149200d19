// The spectrum as a control: terms chosen and their amplitudes changed with
// the keys and by dragging the bars, written through the amplitude rule and
// followed by the plot.

#include "formtesting.h"

#include "core/amplitudebars.h"

#include <QtTest>

using namespace formtesting;

namespace {

// The pixel of the spectrum area at its own units (x, y).
QPoint pixelAt(PictureBox* spectrum, double x, double y)
{
    return spectrum->contentsRect().topLeft()
           + QPoint(int(std::lround(x * spectrum->pixelsPerUnit())), int(std::lround(y * spectrum->pixelsPerUnit())));
}

double barX(PictureBox* spectrum, int n, int N)
{
    const std::vector<double> A(std::size_t(N) + 1, 0.0);
    return tavelo::spectrumBars(N, A, 1, spectrum->Width(), spectrum->Height()).at(std::size_t(n - 1)).barX;
}

} // namespace

class AmplitudeBarsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void keysChooseTermsAndStepTheirAmplitudes();
    void draggingABarSetsItsAmplitude();
    void aChangeDuringAPlotIsPlottedWhenItEnds();
};

void AmplitudeBarsTest::keysChooseTermsAndStepTheirAmplitudes()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    PictureBox* spectrum = ui.Picture2;
    ui.Counti->setText("15");
    form->AAA(3)->setText("0.333");
    ui.VScroll3->setValue(3);
    const QImage startUp = spectrum->picture();
    QCOMPARE(spectrum->highlight(), std::nullopt); // nothing framed until a term is chosen
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int term;
        QString amplitude;
        QString H;
        int plots;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 3, "0.333", "1", 0}, // the first press chooses the term on show
        {Qt::Key_Up, Qt::NoModifier, 3, "0.383", "1", 1},
        {Qt::Key_Up, Qt::ShiftModifier, 3, "0.393", "1", 2},
        {Qt::Key_PageDown, Qt::NoModifier, 3, "0.143", "1", 3},
        {Qt::Key_Down, Qt::NoModifier, 3, "0.093", "1", 4},
        {Qt::Key_PageDown, Qt::NoModifier, 3, "0", "1", 5}, // not below 0
        {Qt::Key_Left, Qt::NoModifier, 2, "0", "1", 5},
        {Qt::Key_Home, Qt::NoModifier, 1, "1", "1", 5},
        {Qt::Key_Left, Qt::NoModifier, 1, "1", "1", 5},
        {Qt::Key_PageUp, Qt::NoModifier, 1, "1.25", "1.25", 6}, // H follows as when typed
        {Qt::Key_Delete, Qt::NoModifier, 1, "0", "1.25", 7},
        {Qt::Key_End, Qt::NoModifier, 15, "0", "1.25", 7},
        {Qt::Key_Right, Qt::NoModifier, 15, "0", "1.25", 7},
        {Qt::Key_Down, Qt::ShiftModifier, 15, "0", "1.25", 8},
    };
    spectrum->setFocus();
    for (const Step& step : steps) {
        QTest::keyClick(spectrum, step.key, step.modifiers);
        const QString where = QString("after key %1 to term %2").arg(step.key).arg(step.term);
        QVERIFY2(form->aa() == step.term, qPrintable(where)); // the field on show follows
        QCOMPARE(form->AAA(step.term)->text(), step.amplitude);
        QCOMPARE(ui.Hei->text(), step.H);
        QCOMPARE(plots, step.plots);
        QCOMPARE(spectrum->highlight(), std::optional<double>(barX(spectrum, step.term, 15)));
        QCOMPARE(spectrum->accessibleDescription(),
                 QString("Гармоника %1 из 15: амплитуда %2 м, начальная фаза 0 π").arg(step.term).arg(step.amplitude));
    }
    // The largest visible coordinate followed the rule: the sum of the
    // amplitudes at its largest, 1 + 0.393.
    QCOMPARE(ui.Amax->text(), "1.393");
    // The frame is not part of the picture.
    form->AAA(1)->setText("1");
    form->AAA(3)->setText("0.333");
    ui.Hei->setText("1");
    QCOMPARE(spectrum->picture(), startUp);
    QCOMPARE(brokenInvariant(*form), QString());
}

void AmplitudeBarsTest::draggingABarSetsItsAmplitude()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    PictureBox* spectrum = ui.Picture2;
    ui.Counti->setText("5");
    ui.Hei->setText("2");
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    const double height = spectrum->Height();
    // A press a little left of bar 3 chooses it and changes nothing.
    QTest::mousePress(spectrum, Qt::LeftButton, {}, pixelAt(spectrum, barX(spectrum, 3, 5) - 40, height / 2));
    QCOMPARE(form->aa(), 3);
    QCOMPARE(form->AAA(3)->text(), "0");
    QCOMPARE(plots, 0);
    struct Move {
        double share; // of the height above the base line
        QString amplitude;
    };
    // Sideways moves keep the term; heights are rounded to a hundredth of H.
    const Move moves[] = {{0.4, "0.8"}, {0.25, "0.5"}, {1.3, "2"}, {-0.2, "0"}, {0.75, "1.5"}};
    int expectedPlots = 0;
    for (const Move& move : moves) {
        QTest::mouseMove(spectrum, pixelAt(spectrum, barX(spectrum, 4, 5), height * (1 - move.share)));
        QCOMPARE(form->AAA(3)->text(), move.amplitude);
        QCOMPARE(plots, ++expectedPlots);
    }
    QCOMPARE(ui.Hei->text(), "2");
    QVERIFY(spectrum->accessibleDescription().startsWith("Гармоника 3 из 5: амплитуда 1.5 м"));
    QTest::mouseRelease(spectrum, Qt::LeftButton, {}, pixelAt(spectrum, barX(spectrum, 4, 5), height * 0.25));
    QTest::mouseMove(spectrum, pixelAt(spectrum, barX(spectrum, 4, 5), height * 0.9));
    QCOMPARE(form->AAA(3)->text(), "1.5");
    QCOMPARE(plots, expectedPlots);
}

void AmplitudeBarsTest::aChangeDuringAPlotIsPlottedWhenItEnds()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    PictureBox* spectrum = ui.Picture2;
    QList<double> largest;
    connect(&form->plot(), &PlotControl::finished, this, [&largest](const tavelo::PlotResult& result) {
        largest << result.outcome.highest;
    });
    // Up twice in the middle of a plot: the running plot goes on as it
    // began, and one more plot follows with both changes (the second step
    // is a twentieth of H as the first raised it: 1.05 + 0.0525).
    bool pressed = false;
    connect(&form->plot(), &PlotControl::yielded, this, [&](double column) {
        if (column == 100 && !pressed) {
            pressed = true;
            QTest::keyClick(spectrum, Qt::Key_Up);
            QTest::keyClick(spectrum, Qt::Key_Up);
            QVERIFY(!ui.Command1->isEnabled());
        }
    });
    spectrum->setFocus();
    ui.Command1->click();
    QCOMPARE(form->AAA(1)->text(), "1.1025");
    QTRY_COMPARE(largest.size(), 2);
    QVERIFY(std::abs(largest[0] - 1) < 1e-3);
    QVERIFY(std::abs(largest[1] - 1.1025) < 1e-3);
    QTest::qWait(50);
    QCOMPARE(largest.size(), 2);

    // Changed again at column 100 and cancelled at 120: a cancelled plot is
    // not followed by another, and the change stays in the field.
    pressed = false;
    connect(&form->plot(), &PlotControl::yielded, this, [&](double column) {
        if (column == 120)
            ui.Command4->click();
    });
    ui.Command1->click();
    const QString changed = form->AAA(1)->text();
    QVERIFY(changed != "1.1025");
    QTest::qWait(50);
    QCOMPARE(largest.size(), 3);
    QCOMPARE(form->AAA(1)->text(), changed);
}

QTEST_MAIN(AmplitudeBarsTest)
#include "amplitudebars_test.moc"
