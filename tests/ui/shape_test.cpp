// A shape drawn with the mouse, pasted as a spreadsheet's column or recorded
// as a sound becomes the terms in the fields, and the target the sum is
// drawn against.

#include "formtesting.h"

#include "ui/plot/shapedrawing.h"

#include "ui/sound/soundrecording.h"
#include "ui/window/picturemenus.h"

#include <QAction>
#include <QClipboard>
#include <QMessageBox>
#include <QtTest>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace formtesting;

namespace {

// The point of the plot area over column x at the value v, with the largest
// visible coordinate Amax.
QPoint pointOf(PictureBox* plot, double x, double v, double Amax)
{
    const double Hs = plot->ScaleHeight();
    const QRect area = plot->contentsRect();
    const double y = Hs / 2 - v * Hs / (2 * Amax);
    return QPoint(area.left() + int(std::lround(x * plot->pixelsPerUnit())),
                  area.top() + int(std::lround(y * plot->pixelsPerUnit())));
}

double fieldValue(const QLineEdit* field)
{
    return field->text().toDouble();
}

// The difference of two phases in units of pi, round the circle.
double phaseDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2.0);
    return std::min(d, 2 - d);
}

const QColor kTargetGrey(96, 96, 96);

// A second as the microphone would give it: harmonics 1..5 of amplitude
// gain / n, or white noise of that spread.
std::vector<float> recordedSecond(double hertz, double gain)
{
    std::vector<float> samples(SoundRecording::kSampleRate);
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, gain);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        double v = 0;
        for (int n = 1; n <= 5 && hertz > 0; ++n)
            v += gain / n * std::sin(2 * std::numbers::pi * n * hertz * double(k) / SoundRecording::kSampleRate);
        samples[k] = float(std::clamp(hertz > 0 ? v : noise(random), -1.0, 1.0));
    }
    return samples;
}

} // namespace

class ShapeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void drawnTriangleBecomesItsTerms_data();
    void drawnTriangleBecomesItsTerms();
    void drawingLeftWithNothingDrawnChangesNothing_data();
    void drawingLeftWithNothingDrawnChangesNothing();
    void drawingTakesEnterAndEscWhereverTheFocusIs();
    void pastedShapeBecomesItsTerms();
    void faultyShapeChangesNothing_data();
    void faultyShapeChangesNothing();
    void recordedSoundBecomesItsTermsAndItsPitch();
    void recordingThatGivesNoTermsChangesNothing_data();
    void recordingThatGivesNoTermsChangesNothing();
};

void ShapeTest::drawnTriangleBecomesItsTerms_data()
{
    QTest::addColumn<bool>("touch");
    QTest::addRow("with the mouse") << false;
    // Qt turns a touch that the area does not take itself into the mouse's events.
    QTest::addRow("with a finger") << true;
}

void ShapeTest::drawnTriangleBecomesItsTerms()
{
    QFETCH(bool, touch);
    static QPointingDevice* const screen = QTest::createTouchDevice();
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    PictureBox* plot = ui.Picture1;
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    menuItem(plot, "Нарисовать форму")->trigger();
    QCOMPARE(ui.Tmax->text(), "1");
    QCOMPARE(plot->cursor().shape(), Qt::CrossCursor);

    // A triangle rising through 0 at the period's start, peaking at 0.6 a
    // quarter on, in three strokes at 20 columns a move; the first overshoots
    // the peak and comes back over the columns it drew.
    const double W = 657;
    struct Corner {
        double column;
        double value;
    };
    const Corner corners[] = {{0, 0}, {W / 4 + 50, 0.6 * (W / 4 + 50) / (W / 4)}, {W / 4, 0.6}, {3 * W / 4, -0.6},
                              {W - 1, -0.6 / (W / 4)}};
    if (touch) {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    const auto press = [&](QPoint at) {
        if (touch)
            QTest::touchEvent(plot, screen).press(0, at);
        else
            QTest::mousePress(plot, Qt::LeftButton, {}, at);
    };
    const auto move = [&](QPoint to) {
        if (touch)
            QTest::touchEvent(plot, screen).move(0, to);
        else
            QTest::mouseMove(plot, to);
    };
    const auto release = [&](QPoint at) {
        if (touch)
            QTest::touchEvent(plot, screen).release(0, at);
        else
            QTest::mouseRelease(plot, Qt::LeftButton, {}, at);
    };
    press(pointOf(plot, 0, 0, 1));
    for (std::size_t i = 1; i < std::size(corners); ++i) {
        const Corner from = corners[i - 1];
        const Corner to = corners[i];
        const int moves = std::max(1, int(std::abs(to.column - from.column) / 20));
        for (int m = 1; m <= moves; ++m) {
            const double along = double(m) / moves;
            move(pointOf(plot, from.column + (to.column - from.column) * along,
                         from.value + (to.value - from.value) * along, 1));
        }
    }
    QCOMPARE(plots, 0);
    release(pointOf(plot, corners[4].column, corners[4].value, 1));

    // The sine series of that triangle: (8 0.6 / pi^2) sum over odd n of
    // (-1)^((n-1)/2) sin(n theta) / n^2; the value under a pixel is within
    // half a pixel, 0.003 m.
    QCOMPARE(plots, 1);
    QCOMPARE(ui.Counti->text(), "15"); // 1 becomes 15, as for a waveform
    QVERIFY(ui.Option1_0->isChecked());
    for (int n = 1; n <= 9; ++n) {
        const double expected = n % 2 ? 8 * 0.6 / (std::numbers::pi * std::numbers::pi * n * n) : 0;
        QVERIFY2(std::abs(fieldValue(form->AAA(n)) - expected) < 0.01 * expected + 0.003,
                 qPrintable(QString("A(%1) = %2, not %3").arg(n).arg(form->AAA(n)->text()).arg(expected)));
        if (n % 2) {
            QVERIFY2(phaseDistance(fieldValue(form->FFF(n)), n % 4 == 1 ? 0 : 1) < 0.02,
                     qPrintable(QString("Fi(%1) = %2").arg(n).arg(form->FFF(n)->text())));
        }
    }
    // The target behind the sum, and how far the sum is from it.
    QVERIFY(form->pictureMenus().limitAction()->isChecked());
    QVERIFY(!pixelsOf(plot->image(), kTargetGrey).isEmpty());
    const QString description = plot->accessibleDescription();
    QVERIFY2(description.contains(" Слагаемые вычислены по нарисованной форме: 657 отсчётов. "
                                  "Среднеквадратичное отклонение: "),
             qPrintable(description));
    QVERIFY(!description.contains("Постоянная составляющая"));

    // The target stays while the student takes fewer terms, and the sum
    // moves away from it.
    const auto deviation = [plot] {
        const QString text = plot->accessibleDescription().section("Среднеквадратичное отклонение: ", 1);
        return text.section(' ', 0, 0).toDouble();
    };
    const double with15 = deviation();
    ui.Counti->setText("1");
    ui.Tmax->setText("3");
    ui.Command1->click();
    QVERIFY(plot->accessibleDescription().contains("по нарисованной форме"));
    QVERIFY2(deviation() > with15, qPrintable(plot->accessibleDescription()));
    QVERIFY(!pixelsOf(plot->image(), kTargetGrey).isEmpty());

    // A classic waveform takes the target's place with its own limit.
    menuItem(ui.Picture2, "Треугольные колебания")->trigger();
    QVERIFY2(plot->accessibleDescription().contains(" Предельная форма: Треугольные колебания."),
             qPrintable(plot->accessibleDescription()));
    QVERIFY(!plot->accessibleDescription().contains("форме:"));
}

void ShapeTest::drawingLeftWithNothingDrawnChangesNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addRow("Esc in the middle of a stroke") << true;
    QTest::addRow("a click") << false;
}

void ShapeTest::drawingLeftWithNothingDrawnChangesNothing()
{
    QFETCH(bool, escape);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    PictureBox* plot = ui.Picture1;
    ui.Command1->click();
    const QStringList before = seriesTexts(*form);
    const QImage drawn = plot->image();
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    menuItem(plot, "Нарисовать форму")->trigger();
    QVERIFY(plot->image() != drawn);
    QTest::mousePress(plot, Qt::LeftButton, {}, pointOf(plot, 100, 0.5, 1));
    if (escape) {
        QTest::mouseMove(plot, pointOf(plot, 300, -0.5, 1));
        QTest::keyClick(plot, Qt::Key_Escape);
    }
    QTest::mouseRelease(plot, Qt::LeftButton, {}, pointOf(plot, escape ? 300 : 100, escape ? -0.5 : 0.5, 1));
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(plot->image(), drawn);
    QCOMPARE(plot->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(plots, 0);
    // The area's keys are its own again.
    QTest::keyClick(plot, Qt::Key_Home);
    QCOMPARE(plot->marker(), std::optional<double>(0));
}

void ShapeTest::drawingTakesEnterAndEscWhereverTheFocusIs()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const auto& ui = controlsOf(*form);
    PictureBox* plot = ui.Picture1;
    ui.Command1->click();
    const QImage drawn = plot->image();
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    auto* drawing = form->findChild<ShapeDrawing*>();
    menuItem(plot, "Нарисовать форму")->trigger();
    ui.Counti->setFocus();
    // Enter would plot over the drawing, from the main keyboard or the keypad.
    QTest::keyClick(ui.Counti, Qt::Key_Return);
    QTest::keyClick(ui.Counti, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(drawing->isDrawing());
    QCOMPARE(plots, 0);
    QTest::keyClick(ui.Counti, Qt::Key_Escape);
    QVERIFY(!drawing->isDrawing());
    QCOMPARE(plot->image(), drawn);
    // Enter is the window's default button's again.
    QTest::keyClick(ui.Counti, Qt::Key_Return);
    QTRY_COMPARE(plots, 1);
}

void ShapeTest::pastedShapeBecomesItsTerms()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Option1_1->click();
    ui.Counti->setText("40");
    // A thousand samples of 0.5 + 3 cos(theta) + 0.25 sin(5 theta), as a
    // spreadsheet in a Russian locale copies them under a header.
    QString table = "Значение\r\n";
    for (int k = 0; k < 1000; ++k) {
        const double theta = 2 * std::numbers::pi * k / 1000;
        table += QString::number(0.5 + 3 * std::cos(theta) + 0.25 * std::sin(5 * theta), 'g', 15).replace('.', ',')
                 + "\r\n";
    }
    QGuiApplication::clipboard()->setText(table);
    menuItem(ui.Picture1, "Вставить форму")->trigger();
    QCOMPARE(ui.Counti->text(), "40");
    QCOMPARE(form->AAA(1)->text(), "3");
    QCOMPARE(form->FFF(1)->text(), "0");
    QCOMPARE(form->AAA(5)->text(), "0.25");
    QCOMPARE(form->FFF(5)->text(), "1.5"); // sin x = cos(x + 3 pi / 2)
    for (const int n : {2, 3, 4, 6, 40, 250})
        QCOMPARE(form->AAA(n)->text(), "0");
    // The spectrum and the plot are raised to show the shape: its largest
    // term 3, its largest value 3.15 (at theta = 0.22) without the mean,
    // rounded up to two digits.
    QCOMPARE(ui.Hei->text(), "3");
    QCOMPARE(ui.Amax->text(), "3.2");
    // The sum is the shape but for the plot's 6.283 for 2 pi.
    const QString described = ui.Picture1->accessibleDescription().section(" Слагаемые", 1);
    QVERIFY2(described.startsWith(" вычислены по вставленной форме: 1000 отсчётов. Среднеквадратичное отклонение: ")
                 && described.endsWith(" м. Постоянная составляющая 0.5 м отброшена: в ряду Фурье программы её нет."),
             qPrintable(described));
    QVERIFY(described.section("отклонение: ", 1).section(' ', 0, 0).toDouble() < 1e-4);
}

void ShapeTest::faultyShapeChangesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message");
    QTest::addRow("too few rows") << "1\n2\n3\n" << "В таблице строк с числами: 3, а нужно не меньше 4.";
    QTest::addRow("time going back") << "t;f\n0;1\n0,5;2\n0,25;3\n1;4\n"
                                     << "Строка 4, ячейка 1: «0,25» — время не больше, чем в предыдущей строке";
    QTest::addRow("not a number") << "1\n2\nтри\n4\n" << "Строка 3, ячейка 1: «три» — не число.";
    QTest::addRow("beyond 1e15") << "1\n-2e15\n3\n4\n" << "Строка 2, ячейка 1: «-2e15» — число вне пределов";
    QTest::addRow("too many rows") << QString("0\n").repeated(100001)
                                   << "Строка 100001: в таблице больше 100000 строк с числами";
    QTest::addRow("no text") << "" << "В буфере обмена нет текста. Скопируйте в электронной таблице столбец значений";
}

void ShapeTest::faultyShapeChangesNothing()
{
    QFETCH(QString, table);
    QFETCH(QString, message);
    const auto form = startedForm();
    controlsOf(*form).Command1->click();
    const QStringList before = seriesTexts(*form);
    const QImage drawn = controlsOf(*form).Picture1->image();
    QGuiApplication::clipboard()->setText(table);
    QString shown;
    onNextModal([&shown](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    menuItem(controlsOf(*form).Picture1, "Вставить форму")->trigger();
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QVERIFY(shown.endsWith("Форма не вставлена, поля остались прежними."));
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(controlsOf(*form).Picture1->image(), drawn);
}

void ShapeTest::recordedSoundBecomesItsTermsAndItsPitch()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    auto* recording = form->findChild<SoundRecording*>();
    QVERIFY(recording);
    recording->analyse(recordedSecond(196.3, 0.2), SoundRecording::kSampleRate);
    QCOMPARE(ui.Counti->text(), "15");
    QCOMPARE(form->AAA(1)->text(), "1");
    QCOMPARE(form->FFF(1)->text(), "0");
    QVERIFY2(std::abs(fieldValue(form->AAA(2)) - 0.5) < 0.005, qPrintable(form->AAA(2)->text()));
    QVERIFY2(fieldValue(form->AAA(6)) < 1e-5, qPrintable(form->AAA(6)->text()));
    const QString described = ui.Picture1->accessibleDescription();
    QVERIFY2(described.contains(" Слагаемые вычислены по записанному звуку: 44100 отсчётов. Записано: основной тон "
                                "196.3 Гц, отношение сигнал/шум "),
             qPrintable(described));
    QVERIFY2(described.contains(" Среднеквадратичное отклонение: "), qPrintable(described));

    // The series plays at the recorded pitch; a new recording's pitch takes the item's place.
    const auto recordedPitch = [&form] {
        const QList<QAction*> pitches = form->pictureMenus().pitchActions();
        return pitches.last()->text() + (pitches.last()->isChecked() ? "*" : "") + " of "
               + QString::number(pitches.size());
    };
    QCOMPARE(recordedPitch(), "Как записано: 196.3 Гц* of 5");
    form->pictureMenus().pitchActions().first()->trigger();
    recording->analyse(recordedSecond(440, 0.2), SoundRecording::kSampleRate);
    QCOMPARE(recordedPitch(), "Как записано: 440 Гц* of 5");
}

void ShapeTest::recordingThatGivesNoTermsChangesNothing_data()
{
    QTest::addColumn<double>("hertz");
    QTest::addColumn<double>("gain");
    QTest::addColumn<QString>("message");
    QTest::addRow("silence") << 196.0 << 0.001 << "Звук слишком тихий";
    QTest::addRow("clipped") << 196.0 << 1.5 << "Звук слишком громкий";
    QTest::addRow("noise") << 0.0 << 0.1 << "В записи нет периодического звука";
}

void ShapeTest::recordingThatGivesNoTermsChangesNothing()
{
    QFETCH(double, hertz);
    QFETCH(double, gain);
    QFETCH(QString, message);
    const auto form = startedForm();
    controlsOf(*form).Command1->click();
    const QStringList before = seriesTexts(*form);
    const QImage drawn = controlsOf(*form).Picture1->image();
    QString shown;
    onNextModal([&shown](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    form->findChild<SoundRecording*>()->analyse(recordedSecond(hertz, gain), SoundRecording::kSampleRate);
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(controlsOf(*form).Picture1->image(), drawn);
    QCOMPARE(form->pictureMenus().pitchActions().size(), 4);
}

QTEST_MAIN(ShapeTest)
#include "shape_test.moc"
