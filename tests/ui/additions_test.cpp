// What the window offers beyond its design: classic waveforms from the
// spectrum's menu, Up and Down between terms, copying the drawing areas.

#include "formtesting.h"

#include "core/numbertext.h"
#include "ui/widgets/fieldtext.h"
#include "ui/window/picturemenus.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace formtesting;

using TermRule = std::function<double(int)>;
Q_DECLARE_METATYPE(TermRule)

class AdditionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void menusHoldTheirItemsInOrder();
    void waveformFillsTheFieldsAndPlots_data();
    void waveformFillsTheFieldsAndPlots();
    void arrowKeysWalkTheTermsAndStopAtTheEnds();
    void copyPutsTheAreaOnTheClipboard_data();
    void copyPutsTheAreaOnTheClipboard();
    void partsAppearOnlyWhenTickedAndLeaveTheSumAlone();
    void limitIsKnownOnlyForTheMenusWaveforms();
    void cursorReadsThePlotWithTheKeyboard();
    void copiedTermsPasteBackAndPlot();
    void randomPhasesChangeOnlyThePhases();
    void pastedTableFitsThePlot_data();
    void pastedTableFitsThePlot();
    void faultyTableChangesNothing_data();
    void faultyTableChangesNothing();
};

void AdditionsTest::menusHoldTheirItemsInOrder()
{
    const auto form = startedForm();
    const auto itemsOf = [](const QWidget* area) {
        QStringList items;
        for (QAction* action : area->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return items;
    };
    QCOMPARE(itemsOf(controlsOf(*form).Picture2),
             QStringList({"Файл", "-", "Отменить", "Повторить", "-", "Прямоугольные колебания (меандр)",
                          "Пилообразные колебания", "Треугольные колебания", "Одна гармоника", "Случайные фазы",
                          "-", "Копировать слагаемые", "Вставить слагаемые", "-", "Прослушать гармонику",
                          "Прослушать сумму без гармоники", "-", "Вид", "Копировать рисунок"}));
    QCOMPARE(itemsOf(controlsOf(*form).Picture1),
             QStringList({"Файл", "-", "Отменить", "Повторить", "-", "Прослушать", "Озвучить график", "Частота основного тона",
                          "Записать звук", "-", "Нарисовать форму", "Вставить форму", "Преобразовать", "Задание", "-",
                          "Показать слагаемые", "Показать предельную форму", "Запомнить сумму", "Убрать цель", "-",
                          "Вид", "Копировать рисунок"}));
    QStringList pitches;
    for (const QAction* pitch : form->pictureMenus().pitchActions())
        pitches << pitch->text() + (pitch->isChecked() ? "*" : "");
    QCOMPARE(pitches, QStringList({"110 Гц", "220 Гц*", "440 Гц", "880 Гц"}));
    for (const QAction* part : {form->pictureMenus().termsAction(), form->pictureMenus().limitAction()})
        QVERIFY(part->isCheckable() && !part->isChecked());

    // The keyboard opens the spectrum's menu too.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
        qsizetype shownItems = 0;
        QTimer::singleShot(50, [&] {
            if (auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                shownItems = shown->actions().size();
                shown->close();
            }
        });
        controlsOf(*form).Picture2->setFocus();
        QTest::keyClick(controlsOf(*form).Picture2, key, modifiers);
        QTRY_COMPARE(shownItems, 19);
    }
}

void AdditionsTest::waveformFillsTheFieldsAndPlots_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("basis"); // 1 sine, 0 cosine, -1 unchanged (cosine chosen before)
    QTest::addColumn<TermRule>("amplitude");
    QTest::addColumn<TermRule>("phase");
    QTest::addColumn<QString>("amax");
    QTest::addColumn<QString>("countBefore");
    QTest::addColumn<QString>("countAfter");
    const auto odd = [](int n) { return n % 2 == 1; };
    const TermRule zero = [](int) { return 0.0; };
    QTest::addRow("square") << "Прямоугольные колебания (меандр)" << 1
                            << TermRule([=](int n) { return odd(n) ? 1.0 / n : 0; }) << zero << "1" << "1" << "15";
    QTest::addRow("sawtooth") << "Пилообразные колебания" << 1 << TermRule([](int n) { return 1.0 / n; })
                              << TermRule([=](int n) { return odd(n) ? 0.0 : 1.0; }) << "2" << "1" << "15";
    QTest::addRow("triangle") << "Треугольные колебания" << 0
                              << TermRule([=](int n) { return odd(n) ? 1.0 / (double(n) * n) : 0; }) << zero
                              << "1.5" << "1" << "15";
    QTest::addRow("one harmonic, N kept") << "Одна гармоника" << -1
                                          << TermRule([](int n) { return n == 1 ? 1.0 : 0.0; }) << zero << "1"
                                          << "40" << "40";
}

void AdditionsTest::waveformFillsTheFieldsAndPlots()
{
    QFETCH(QString, item);
    QFETCH(int, basis);
    QFETCH(TermRule, amplitude);
    QFETCH(TermRule, phase);
    QFETCH(QString, amax);
    QFETCH(QString, countBefore);
    QFETCH(QString, countAfter);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Option1_1->click();
    ui.Counti->setText(countBefore);
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    menuItem(ui.Picture2, item)->trigger();
    QCOMPARE(plots, 1);
    QVERIFY(ui.Command1->isEnabled());
    QCOMPARE(ui.Option1_0->isChecked(), basis == 1);
    QCOMPARE(ui.Counti->text(), countAfter);
    QCOMPARE(ui.Hei->text(), "1");
    QCOMPARE(ui.Amax->text(), amax);
    for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
        QCOMPARE(form->AAA(n)->text(), RealToText(amplitude(n)));
        QCOMPARE(form->FFF(n)->text(), RealToText(phase(n)));
    }
    const QImage drawn = ui.Picture1->image();
    QVERIFY(!rowsOf(drawn, 300, kCurveBlue).isEmpty());

    // The same texts typed into a fresh window plot the same picture, and
    // raising N then plots the same partial sum in both: by two, since every
    // other term of some waveforms is zero.
    const auto typed = startedForm();
    const auto& typedUi = controlsOf(*typed);
    (basis == 1 ? typedUi.Option1_0 : typedUi.Option1_1)->click();
    for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
        typed->FFF(n)->setText(form->FFF(n)->text());
        typed->AAA(n)->setText(form->AAA(n)->text());
    }
    typedUi.Counti->setText(countAfter);
    typedUi.Hei->setText("1");
    typedUi.Amax->setText(amax);
    typedUi.Command1->click();
    QCOMPARE(typedUi.Picture1->image(), drawn);
    const QString raised = QString::number(countAfter.toInt() + 2);
    for (const auto* window : {form.get(), typed.get()}) {
        controlsOf(*window).Counti->setText(raised);
        controlsOf(*window).Command1->click();
    }
    QCOMPARE(ui.Picture1->image(), typedUi.Picture1->image());
    if (item != "Одна гармоника")
        QVERIFY(ui.Picture1->image() != drawn);
}

void AdditionsTest::arrowKeysWalkTheTermsAndStopAtTheEnds()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const auto& ui = controlsOf(*form);
    ui.Counti->setText("3");
    struct Walk {
        QScrollBar* bar;
        std::function<TextField*(int)> field;
    };
    for (const Walk& walk : {Walk{ui.VScroll3, [&](int i) { return form->AAA(i); }},
                             Walk{ui.VScroll2, [&](int i) { return form->FFF(i); }}}) {
        walk.field(2)->setText("0.5");
        const int expected[] = {2, 3, 3, 2, 1, 1};
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up};
        walk.field(1)->setFocus();
        int current = 1;
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(walk.field(current), keys[step]);
            current = expected[step];
            QCOMPARE(walk.bar->value(), expected[step]);
            TextField* shown = walk.field(expected[step]);
            QVERIFY(shown->isVisible());
            QCOMPARE(QApplication::focusWidget(), shown);
            QCOMPARE(shown->selectedText(), shown->text());
        }
        QVERIFY2(brokenInvariant(*form).isEmpty(), qPrintable(brokenInvariant(*form)));
    }
}

void AdditionsTest::copyPutsTheAreaOnTheClipboard_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<bool>("byKey");
    QTest::addRow("plot, menu") << "Picture1" << false;
    QTest::addRow("plot, Ctrl+C") << "Picture1" << true;
    QTest::addRow("spectrum, menu") << "Picture2" << false;
    QTest::addRow("spectrum, Ctrl+C") << "Picture2" << true;
}

void AdditionsTest::copyPutsTheAreaOnTheClipboard()
{
    QFETCH(QString, area);
    QFETCH(bool, byKey);
    const auto form = startedForm();
    controlsOf(*form).Command1->click();
    auto* box = form->findChild<PictureBox*>(area);
    QGuiApplication::clipboard()->clear();
    if (byKey) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    } else {
        menuItem(box, "Копировать рисунок")->trigger();
    }
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), box->contentsRect().size() * box->devicePixelRatioF());
    if (area == "Picture1") {
        QVERIFY(isColor(copied, 10, 168, QColor(0, 192, 0)));     // the zero line
        QVERIFY(!rowsOf(copied, 100, kCurveBlue).isEmpty());       // the curve
    } else {
        QVERIFY(!rowsOf(copied, 210, kBarOlive).isEmpty());        // the one bar
    }
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), box->picture().convertToFormat(QImage::Format_RGB32));
}

void AdditionsTest::partsAppearOnlyWhenTickedAndLeaveTheSumAlone()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    menuItem(ui.Picture2, "Прямоугольные колебания (меандр)")->trigger();
    const QImage bare = ui.Picture1->image();
    const QList<QPoint> sum = pixelsOf(bare, kCurveBlue);
    const QColor firstTerm(240, 128, 128);
    const QColor limitGrey(96, 96, 96);
    QVERIFY(pixelsOf(bare, firstTerm).isEmpty());

    // Each tick plots again, as «График» does.
    QAction* terms = form->pictureMenus().termsAction();
    QAction* limit = form->pictureMenus().limitAction();
    terms->trigger();
    QCOMPARE(plots, 2);
    const QImage withTerms = ui.Picture1->image();
    QCOMPARE(pixelsOf(withTerms, kCurveBlue), sum);
    QVERIFY(pixelsOf(withTerms, firstTerm).size() > 600);
    QVERIFY(pixelsOf(withTerms, limitGrey).isEmpty());
    QVERIFY(ui.Picture1->accessibleDescription().endsWith(" Показаны слагаемые: 8."));

    limit->trigger();
    QCOMPARE(plots, 3);
    const QImage withBoth = ui.Picture1->image();
    // The figures stand in the corner, on a ground of their own; the sum is untouched elsewhere.
    const auto belowCorner = [](QList<QPoint> pixels) {
        pixels.removeIf([](const QPoint& p) { return p.y() < 40; });
        return pixels;
    };
    QCOMPARE(belowCorner(pixelsOf(withBoth, kCurveBlue)), belowCorner(sum));
    QVERIFY(pixelsOf(withBoth, limitGrey).size() > 200);
    int darkInCorner = 0; // the figures, in dark text
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QColor c(withBoth.pixel(x, y));
            darkInCorner += c.red() < 100 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
        }
    }
    QVERIFY(darkInCorner > 100);
    const QString description = ui.Picture1->accessibleDescription();
    QVERIFY2(description.contains(" Предельная форма: Прямоугольные колебания (меандр). Выброс: 9.01 % скачка. "
                                  "Среднеквадратичное отклонение: 0.125 м."),
             qPrintable(description));

    terms->trigger();
    limit->trigger();
    QCOMPARE(plots, 5);
    QCOMPARE(ui.Picture1->image(), bare);

    // Ticked during a plot, an item waits for the next one.
    connect(&form->plot(), &PlotControl::yielded, this, [&](double column) {
        if (column == 20 && !terms->isChecked())
            terms->trigger();
    });
    ui.Command1->click();
    QCOMPARE(plots, 6);
    QCOMPARE(ui.Picture1->image(), bare);
}

void AdditionsTest::limitIsKnownOnlyForTheMenusWaveforms()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    ui.Counti->setText("3");
    form->AAA(3)->setText("0.3333"); // a square wave typed by hand, not as the menu writes it
    form->pictureMenus().limitAction()->trigger();
    QVERIFY(ui.Picture1->accessibleDescription().endsWith(
        " Предельная форма известна только для колебаний из меню спектра."));
    QVERIFY(pixelsOf(ui.Picture1->image(), QColor(96, 96, 96)).isEmpty());

    // The start values are one harmonic: its limit is the term itself, so
    // the sum is on it everywhere.
    form->AAA(3)->setText("0");
    ui.Counti->setText("1");
    ui.Command1->click();
    QVERIFY(ui.Picture1->accessibleDescription().endsWith(
        " Предельная форма: Одна гармоника. Среднеквадратичное отклонение: 0 м."));
}

void AdditionsTest::cursorReadsThePlotWithTheKeyboard()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    PictureBox* plot = controlsOf(*form).Picture1;
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_Right);
    QCOMPARE(plot->marker(), std::nullopt); // before the first plot there is none

    controlsOf(*form).Command1->click();
    const QString plotDescription = plot->accessibleDescription();
    const QImage drawn = plot->picture();
    plot->setFocus();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int column;
        QString heard;
    };
    // The start values: sin(6.283 x 2 / 657) at column x, 2 periods across.
    // The point's place is said after a move of more than a column.
    const Step steps[] = {
        {Qt::Key_Home, Qt::NoModifier, 0, "t = 0 T, f(t) = 0 м, точка 1 из 658"},
        {Qt::Key_Right, Qt::NoModifier, 1, "t = 0.003044 T, f(t) = 0.01913 м"},
        {Qt::Key_PageDown, Qt::NoModifier, 34, "t = 0.1035 T, f(t) = 0.6054 м, точка 35 из 658"},
        {Qt::Key_Left, Qt::NoModifier, 33, "t = 0.1005 T, f(t) = 0.5901 м"},
        {Qt::Key_PageUp, Qt::NoModifier, 0, "t = 0 T, f(t) = 0 м, точка 1 из 658"},
        {Qt::Key_End, Qt::NoModifier, 657, "t = 2 T, f(t) = -0.0003706 м, точка 658 из 658"},
        {Qt::Key_Right, Qt::NoModifier, 657, "t = 2 T, f(t) = -0.0003706 м"},
    };
    for (const Step& step : steps) {
        QTest::keyClick(plot, step.key, step.modifiers);
        QCOMPARE(plot->marker(), std::optional<double>(step.column));
        QCOMPARE(plot->accessibleDescription(), step.heard);
    }
    QCOMPARE(plot->picture(), drawn); // the line is not part of the picture

    controlsOf(*form).Counti->setFocus();
    QCOMPARE(plot->marker(), std::nullopt);
    QCOMPARE(plot->accessibleDescription(), plotDescription);
}

void AdditionsTest::copiedTermsPasteBackAndPlot()
{
    const auto source = startedForm();
    menuItem(controlsOf(*source).Picture2, "Пилообразные колебания")->trigger();
    controlsOf(*source).Counti->setText("40");
    PictureBox* spectrum = controlsOf(*source).Picture2;
    spectrum->setFocus();
    QTest::keyClick(spectrum, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    QCOMPARE(lines.size(), 42); // the header, 40 terms and the end of the last line
    QCOMPARE(lines[0], "Амплитуда, м\tНачальная фаза, в долях π");
    QCOMPARE(lines[2], "0.5\t1");

    const auto target = startedForm();
    // An older series beyond the table's rows: the table replaces it whole.
    target->FFF(41)->setText("0.25");
    target->AAA(41)->setText("0.5");
    int plots = 0;
    connect(&target->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    target->activateWindow(); // a key's shortcut works in the active window
    QVERIFY(QTest::qWaitForWindowActive(target.get()));
    controlsOf(*target).Picture2->setFocus();
    QTest::keyClick(controlsOf(*target).Picture2, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(plots, 1);
    QCOMPARE(controlsOf(*target).Counti->text(), "40");
    for (int n = 1; n <= 40; ++n) {
        QCOMPARE(target->AAA(n)->text(), source->AAA(n)->text());
        QCOMPARE(target->FFF(n)->text(), source->FFF(n)->text());
    }
    QCOMPARE(target->FFF(41)->text(), "0");
    QCOMPARE(target->AAA(41)->text(), "0");

    // A spreadsheet's table in a Russian locale.
    QGuiApplication::clipboard()->setText("A;Fi\r\n1;0\r\n0,5;1,5\r\n");
    menuItem(controlsOf(*target).Picture2, "Вставить слагаемые")->trigger();
    QCOMPARE(controlsOf(*target).Counti->text(), "2");
    QCOMPARE(target->AAA(2)->text(), "0.5");
    QCOMPARE(target->FFF(2)->text(), "1.5");
}

void AdditionsTest::randomPhasesChangeOnlyThePhases()
{
    const auto form = startedForm();
    menuItem(controlsOf(*form).Picture2, "Прямоугольные колебания (меандр)")->trigger();
    const QImage square = controlsOf(*form).Picture1->image();
    QStringList amplitudes;
    for (int n = 1; n <= tavelo::kMaxTerms; ++n)
        amplitudes << form->AAA(n)->text();
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    menuItem(controlsOf(*form).Picture2, "Случайные фазы")->trigger();
    QCOMPARE(plots, 1);
    QVERIFY(controlsOf(*form).Picture1->image() != square);
    static const QRegularExpression thousandths("^[01](\\.[0-9]{1,3})?$");
    QSet<QString> phases;
    for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
        QCOMPARE(form->AAA(n)->text(), amplitudes[n - 1]);
        if (n <= 15) {
            QVERIFY2(thousandths.match(form->FFF(n)->text()).hasMatch(), qPrintable(form->FFF(n)->text()));
            phases << form->FFF(n)->text();
        } else {
            QCOMPARE(form->FFF(n)->text(), "0"); // beyond N they stay
        }
    }
    QVERIFY(phases.size() > 10);
}

void AdditionsTest::pastedTableFitsThePlot_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("cosine");
    QTest::addColumn<QString>("amaxBefore");
    QTest::addColumn<QString>("amaxAfter");
    // The largest magnitude drawn, computed here, rounded up to two digits.
    const auto largestDrawn = [](const std::function<double(int)>& A, int terms, bool cosine) {
        double largest = 0;
        for (int x = 0; x <= 657; ++x) {
            double f = 0;
            for (int n = 1; n <= terms; ++n) {
                const double angle = n * 6.283 * x * 2 / 657;
                f += A(n) * (cosine ? std::cos(angle) : std::sin(angle));
            }
            largest = std::max(largest, std::abs(f));
        }
        return largest;
    };
    // A pulse train of duty 0.1 as a spreadsheet computes it: 15 digits.
    QString pulses;
    for (int n = 1; n <= 50; ++n)
        pulses += QString::number(std::sin(n * M_PI * 0.1) / n, 'g', 15) + '\n';
    const auto pulse = [](int n) { return QString::number(std::sin(n * M_PI * 0.1) / n, 'g', 15).toDouble(); };
    // The signed sum of the amplitudes is 1.48: the curve ran off the top.
    const double pulsesLargest = largestDrawn(pulse, 50, true);
    QVERIFY2(pulsesLargest > 1.5 && pulsesLargest < 1.6, qPrintable(QString::number(pulsesLargest)));
    QTest::addRow("pulse train, cosine") << pulses << true << "1" << "1.6";
    const double sineLargest = largestDrawn(pulse, 50, false);
    QVERIFY2(sineLargest > 2 && sineLargest < 2.1, qPrintable(QString::number(sineLargest)));
    QTest::addRow("the same in sine") << pulses << false << "1" << "2.1";
    // A sawtooth's 40 terms: the signed sum is 4.28, the curve reaches 1.8.
    QString sawtooth;
    for (int n = 1; n <= 40; ++n)
        sawtooth += QString::number(1.0 / n * (n % 2 ? 1 : -1), 'g', 15) + '\n';
    const double sawtoothLargest = largestDrawn([](int n) { return 1.0 / n * (n % 2 ? 1 : -1); }, 40, false);
    QTest::addRow("sawtooth, sine") << sawtooth << false << "1" << QString::number(std::ceil(sawtoothLargest * 10) / 10);
    QTest::addRow("a larger one is kept") << sawtooth << false << "10" << "10";
    QTest::addRow("silence changes nothing") << "0\n0\n" << false << "1" << "1";
}

void AdditionsTest::pastedTableFitsThePlot()
{
    QFETCH(QString, table);
    QFETCH(bool, cosine);
    QFETCH(QString, amaxBefore);
    QFETCH(QString, amaxAfter);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    (cosine ? ui.Option1_1 : ui.Option1_0)->click();
    ui.Amax->setText(amaxBefore);
    QGuiApplication::clipboard()->setText(table);
    menuItem(ui.Picture2, "Вставить слагаемые")->trigger();
    QCOMPARE(ui.Amax->text(), amaxAfter);
    // Nothing drawn runs off the plot: no curve on its top and bottom rows
    // but where the curve turns there.
    const QImage drawn = ui.Picture1->image();
    int onTheEdges = 0;
    for (int x = 0; x < drawn.width(); ++x)
        onTheEdges += isColor(drawn, x, 0, kCurveBlue) + isColor(drawn, x, drawn.height() - 1, kCurveBlue);
    QCOMPARE(onTheEdges, 0);
}

void AdditionsTest::faultyTableChangesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message");
    QTest::addRow("not a number") << "1\t0\n0.5\t1,5x\n" << "Строка 2, ячейка 2: «1,5x» — не число.";
    QTest::addRow("three cells") << "1;2;3\n" << "Строка 1: ячеек 3, а нужна одна (амплитуда) или две";
    QTest::addRow("too many rows") << QString("1\n").repeated(251) << "Строка 251: в таблице больше 250 строк";
    QTest::addRow("beyond a double") << "1e400\n" << "Строка 1, ячейка 1: «1e400» — число вне пределов";
    QTest::addRow("no text") << "" << "В буфере обмена нет текста.";
    QTest::addRow("a megabyte in one cell") << "1\n" + QString(1 << 20, 'x') << "Строка 2, ячейка 1: «xxxxx";
}

void AdditionsTest::faultyTableChangesNothing()
{
    QFETCH(QString, table);
    QFETCH(QString, message);
    const auto form = startedForm();
    controlsOf(*form).Counti->setText("3");
    const QStringList before = seriesTexts(*form);
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });
    QGuiApplication::clipboard()->setText(table);
    QString shown;
    onNextModal([&shown](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    menuItem(controlsOf(*form).Picture2, "Вставить слагаемые")->trigger();
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QVERIFY(shown.endsWith("Слагаемые не вставлены, поля остались прежними."));
    QVERIFY(shown.size() < 300);
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(plots, 0);
}

QTEST_MAIN(AdditionsTest)
#include "additions_test.moc"
