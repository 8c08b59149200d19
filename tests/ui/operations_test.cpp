// What a circuit does to the sum, chosen from the plot's «Преобразовать»:
// the terms written, the result as the target with its line in the corner,
// one step of the history, and the refusals that change nothing.

#include "formtesting.h"

#include "ui/window/picturemenus.h"

#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>

#include <cmath>
#include <functional>
#include <numbers>

using namespace formtesting;

namespace {

constexpr double pi = std::numbers::pi;
const QColor kTargetGrey(96, 96, 96);

QAction* operationItem(const Form1& form, const QString& text)
{
    for (QAction* item : form.pictureMenus().operationActions()) {
        if (item->text() == text)
            return item;
    }
    return nullptr;
}

// Chooses the item; a dialog it opens is answered with `answer`, and a
// message it shows is closed, its text returned.
QString choose(const Form1& form, const QString& item, const QString& answer = {})
{
    QString message;
    QTimer answering;
    answering.setInterval(5);
    QObject::connect(&answering, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QInputDialog*>(modal)) {
            dialog->setTextValue(answer);
            dialog->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
            box->close();
        }
    });
    answering.start();
    QAction* action = operationItem(form, item);
    Q_ASSERT(action);
    action->trigger();
    return message;
}

using Amplitudes = std::function<double(int n)>;

} // namespace

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void eachOperationWritesItsResultAsOneStep_data();
    void eachOperationWritesItsResultAsOneStep();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void operationsWaitForNoTask();
};

void OperationsTest::eachOperationWritesItsResultAsOneStep_data()
{
    QTest::addColumn<QString>("waveform");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<Amplitudes>("amplitude"); // of terms 1..9
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QString>("corner");
    const QString sine = "Одна гармоника";
    const QString square = "Прямоугольные колебания (меандр)";
    const QString saw = "Пилообразные колебания";
    const auto odd = [](int n) { return n % 2 == 1; };
    QTest::addRow("half-wave") << sine << "Однополупериодное выпрямление" << ""
                               << Amplitudes([](int n) { return n == 1 ? 0.5 : n % 2 ? 0 : 2 / (pi * (n * n - 1)); })
                               << 1e-6
                               << "Однополупериодное выпрямление суммы. Среднеквадратичное отклонение: ";
    QTest::addRow("full-wave") << sine << "Двухполупериодное выпрямление" << ""
                               << Amplitudes([](int n) { return n % 2 ? 0 : 4 / (pi * (n * n - 1)); }) << 1e-6
                               << "Постоянная составляющая 0.637 м отброшена";
    QTest::addRow("clipped") << square << "Ограничить на уровне…" << "0.5"
                             << Amplitudes([=](int n) { return odd(n) ? 2 / (pi * n) : 0; }) << 0.03
                             << "Сумма ограничена на уровне ±0.5 м.";
    QTest::addRow("inverted") << square << "Инвертировать" << ""
                              << Amplitudes([=](int n) { return odd(n) ? 1.0 / n : 0; }) << 1e-12
                              << "Сумма инвертирована: −f(t).";
    QTest::addRow("reversed") << saw << "Обратить время" << ""
                              << Amplitudes([](int n) { return 1.0 / n; }) << 1e-12 << "Время обращено: f(−t).";
    QTest::addRow("odd kept") << saw << "Оставить нечётные" << ""
                              << Amplitudes([=](int n) { return odd(n) ? 1.0 / n : 0; }) << 1e-12
                              << "Оставлены нечётные гармоники.";
    QTest::addRow("even kept") << saw << "Оставить чётные" << ""
                               << Amplitudes([=](int n) { return odd(n) ? 0 : 1.0 / n; }) << 1e-12
                               << "Оставлены чётные гармоники.";
    QTest::addRow("quantized") << sine << "Квантовать…" << "2"
                               << Amplitudes([=](int n) { return odd(n) ? 4 / (pi * n) : 0; }) << 1e-3
                               << "Сумма квантована: 2 уровня.";
    QTest::addRow("sampled and held") << sine << "Выборка с запоминанием…" << "4"
                                      << Amplitudes([](int n) { return n == 1 ? 2 * std::sqrt(2.0) / pi : -1; })
                                      << 1e-3 << "Выборка с запоминанием: 4 отсчёта за период.";
}

void OperationsTest::eachOperationWritesItsResultAsOneStep()
{
    QFETCH(QString, waveform);
    QFETCH(QString, item);
    QFETCH(QString, answer);
    QFETCH(Amplitudes, amplitude);
    QFETCH(double, tolerance);
    QFETCH(QString, corner);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    menuItem(ui.Picture2, waveform)->trigger();
    const QStringList before = seriesTexts(*form);
    const QImage drawnBefore = ui.Picture1->image();
    const std::size_t steps = form->series().historySize();
    int plots = 0;
    connect(&form->plot(), &PlotControl::finished, this, [&plots] { ++plots; });

    QCOMPARE(choose(*form, item, answer), QString());
    QCOMPARE(plots, 1);
    QCOMPARE(form->series().historySize(), steps + 1);
    QVERIFY(form->historyActions().undoAction()->text().startsWith("Отменить: "));
    for (int n = 1; n <= 9; ++n) {
        if (amplitude(n) < 0)
            continue;
        const double A = form->AAA(n)->text().toDouble();
        QVERIFY2(std::abs(A - amplitude(n)) <= tolerance,
                 qPrintable(QString("A(%1) = %2, not %3").arg(n).arg(A).arg(amplitude(n))));
    }
    if (item == "Инвертировать" || item == "Обратить время") {
        // Amplitudes kept to the bit, phases half a turn on (the square
        // wave's 0s become 1s; the sawtooth's 0s and 1s swap under f(-t)).
        for (int n = 1; n <= tavelo::kMaxTerms; ++n)
            QCOMPARE(form->AAA(n)->text(), before.at(4 + 2 * (n - 1)));
        QCOMPARE(form->FFF(1)->text(), "1");
        QCOMPARE(form->FFF(2)->text(), item == "Инвертировать" ? "1" : "0");
    }
    const QString description = ui.Picture1->accessibleDescription();
    QVERIFY2(description.contains(corner), qPrintable(description));
    // The result is the target: beside a shape's terms, where the sum only
    // approaches it, its grey shows.
    QVERIFY2(description.contains("Среднеквадратичное отклонение: "), qPrintable(description));
    if (tolerance > 1e-12)
        QVERIFY(!pixelsOf(ui.Picture1->image(), kTargetGrey).isEmpty());
    QVERIFY(form->pictureMenus().limitAction()->isChecked());

    // Undo puts back the series and its picture as they were.
    form->historyActions().undoAction()->trigger();
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(ui.Picture1->image(), drawnBefore);
}

void OperationsTest::refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("setup"); // a waveform, or "zero" for all amplitudes 0
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    const QString square = "Прямоугольные колебания (меандр)";
    QTest::addRow("zero sum") << "zero" << "Инвертировать" << "" << "Сумма равна нулю: преобразовывать нечего.";
    QTest::addRow("zero sum, rectified") << "zero" << "Однополупериодное выпрямление" << ""
                                         << "Сумма равна нулю: преобразовывать нечего.";
    QTest::addRow("zero sum, nothing asked") << "zero" << "Квантовать…" << "неспрошенное"
                                             << "Сумма равна нулю: преобразовывать нечего.";
    QTest::addRow("level above the sum") << square << "Ограничить на уровне…" << "2"
                                         << "Сумма нигде не выходит за ±";
    QTest::addRow("level zero") << square << "Ограничить на уровне…" << "0" << "должен быть больше нуля";
    QTest::addRow("level not a number") << square << "Ограничить на уровне…" << "уровень" << "больше нуля";
    QTest::addRow("level with a comma") << square << "Ограничить на уровне…" << "0,5" << "отделяйте точкой: 0.5";
    QTest::addRow("one level") << square << "Квантовать…" << "1" << "Число уровней должно быть целым, от 2 до 64.";
    QTest::addRow("levels not whole") << square << "Квантовать…" << "2.5" << "от 2 до 64";
    QTest::addRow("too many samples") << square << "Выборка с запоминанием…" << "65"
                                      << "Число отсчётов за период должно быть целым, от 4 до 64.";
    QTest::addRow("no even terms") << square << "Оставить чётные" << "" << "В сумме нет чётных гармоник";
    QTest::addRow("only odd terms") << square << "Оставить нечётные" << "" << "и так только нечётные";
    QTest::addRow("held at the zeros") << "two" << "Выборка с запоминанием…" << "4" << "постоянная величина";
}

void OperationsTest::refusalsChangeNothing()
{
    QFETCH(QString, setup);
    QFETCH(QString, item);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    if (setup == "zero") {
        ui.Counti->setText("1");
        form->AAA(1)->setText("0");
    } else if (setup == "two") { // sin 2 theta: zero at every quarter period
        ui.Counti->setText("2");
        form->AAA(1)->setText("0");
        form->AAA(2)->setText("1");
    } else {
        menuItem(ui.Picture2, setup)->trigger();
    }
    ui.Command1->click();
    const QStringList before = seriesTexts(*form);
    const QImage drawn = ui.Picture1->image();
    const std::size_t steps = form->series().historySize();
    const QString said = choose(*form, item, answer);
    QVERIFY2(said.contains(message) && said.endsWith("Слагаемые не изменены."), qPrintable(said));
    QCOMPARE(seriesTexts(*form), before);
    QCOMPARE(ui.Picture1->image(), drawn);
    QCOMPARE(form->series().historySize(), steps);
}

void OperationsTest::operationsWaitForNoTask()
{
    const auto form = startedForm();
    const auto& menus = form->pictureMenus();
    QCOMPARE(menus.operationActions().size(), 9);
    for (const QAction* item : menus.operationActions())
        QVERIFY(item->isEnabled());
    // A task's target is the student's to reach: no operation replaces it.
    menus.taskLevelActions().first()->trigger();
    for (const QAction* item : menus.operationActions())
        QVERIFY2(!item->isEnabled(), qPrintable(item->text()));
    menus.taskEndAction()->trigger();
    for (const QAction* item : menus.operationActions())
        QVERIFY(item->isEnabled());
}

QTEST_MAIN(OperationsTest)
#include "operations_test.moc"
