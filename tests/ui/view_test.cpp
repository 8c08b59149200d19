// What a class is shown beside the plot: the series written as a formula
// under the corner figures and copied whole, and the sum kept as the target
// that a changed series is compared with.

#include "formtesting.h"

#include "ui/plot/formulaview.h"
#include "ui/window/keyshelp.h"
#include "ui/window/picturemenus.h"

#include <QClipboard>
#include <QDialog>
#include <QLocale>
#include <QMimeData>
#include <QSet>
#include <QtTest>

#include <cmath>

using namespace formtesting;

namespace {

const QString kSquare = "Прямоугольные колебания (меандр)";

// The square wave's terms 1..N, plotted.
void plotSquareWave(Form1& form, int N)
{
    const auto& ui = controlsOf(form);
    menuItem(ui.Picture2, kSquare)->trigger();
    ui.Counti->setText(QString::number(N));
    ui.Command1->click();
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void formulaShowsWhatTwoLinesHoldAndCopiesEveryTerm_data();
    void formulaShowsWhatTwoLinesHoldAndCopiesEveryTerm();
    void keptSumIsTheTargetOfTheSeriesChangedAfterwards();
    void f1ListsEveryKeyOfTheWindow();
};

void ViewTest::formulaShowsWhatTwoLinesHoldAndCopiesEveryTerm_data()
{
    QTest::addColumn<int>("N");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("start");
    QTest::addRow("N = 15, Russian") << 15 << "ru_RU" << "f(t) = 1 sin(2πt/T) + 0,333 sin(3·2πt/T) + 0,2 sin(5·2πt/T)";
    QTest::addRow("N = 250, English") << 250 << "en_US" << "f(t) = 1 sin(2πt/T) + 0.333 sin(3·2πt/T) + 0.2 sin(5·2πt/T)";
}

void ViewTest::formulaShowsWhatTwoLinesHoldAndCopiesEveryTerm()
{
    QFETCH(int, N);
    QFETCH(QString, locale);
    QFETCH(QString, start);
    QLocale::setDefault(QLocale(locale));
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    plotSquareWave(*form, N);
    const QImage withoutFormula = ui.Picture1->image();
    const auto* formula = form->findChild<FormulaView*>();
    QVERIFY(formula);

    // F on the plot area ticks «Показать формулу» and plots again.
    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_F);
    QVERIFY(form->pictureMenus().formulaAction()->isChecked());
    const QStringList lines = formula->lines();
    QVERIFY2(lines.size() >= 1 && lines.size() <= 2, qPrintable(lines.join('|')));
    QVERIFY2(lines.first().startsWith(start), qPrintable(lines.first()));
    const QFontMetricsF metrics(form->font());
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= ui.Picture1->ScaleWidth(), qPrintable(line));
    const int odd = (N + 1) / 2;
    const qsizetype shown = lines.join(' ').count("sin(");
    if (shown < odd)
        QVERIFY2(lines.last().endsWith(QString("… ещё %1 слагаемых").arg(odd - shown)), qPrintable(lines.last()));
    else
        QCOMPARE(lines.join(' '), formula->text());
    // Written over the plot, under no figures: the top left changed.
    const QImage withFormula = ui.Picture1->image();
    QVERIFY(withFormula.copy(0, 0, 200, 30) != withoutFormula.copy(0, 0, 200, 30));

    // The clipboard gets every term, as text and as MathML.
    form->pictureMenus().copyFormulaAction()->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text().count("sin("), odd);
    QVERIFY(copied->text().startsWith(start));
    QCOMPARE(QString::fromUtf8(copied->data("application/mathml+xml")).count("<mi>sin</mi>"), odd);

    // Taken away again, the plot is as it was without it.
    QTest::keyClick(ui.Picture1, Qt::Key_F);
    QVERIFY(formula->lines().isEmpty());
    QCOMPARE(ui.Picture1->image(), withoutFormula);
}

void ViewTest::keptSumIsTheTargetOfTheSeriesChangedAfterwards()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    const auto& menus = form->pictureMenus();
    QVERIFY(!menus.removeTargetAction()->isEnabled());
    plotSquareWave(*form, 15);
    const std::size_t steps = form->series().historySize();
    menus.keepSumAction()->trigger();
    QCOMPARE(form->series().historySize(), steps);
    QVERIFY(menus.removeTargetAction()->isEnabled());
    QString description = ui.Picture1->accessibleDescription();
    QVERIFY2(description.contains("Цель: запомненная сумма."), qPrintable(description));
    // The same sum, but for the target's samples being joined by straight lines.
    QVERIFY(*form->plot().lastResult().deviation < 1e-5);

    // Without the 15th term the sum is that far from the one kept.
    form->AAA(15)->setText("0");
    ui.Command1->click();
    const double expected = (1.0 / 15) / std::sqrt(2.0);
    const std::optional<double> deviation = form->plot().lastResult().deviation;
    QVERIFY(deviation);
    QVERIFY2(std::abs(*deviation - expected) < 1e-3 * expected, qPrintable(QString::number(*deviation)));
    // Undoing the change keeps the target: the series is back, at no distance.
    form->historyActions().undoAction()->trigger();
    QVERIFY(form->series().target().shape);
    ui.Command1->click();
    QVERIFY(*form->plot().lastResult().deviation < 1e-5);

    menus.removeTargetAction()->trigger();
    QVERIFY(!form->series().target().shape);
    QVERIFY(!menus.removeTargetAction()->isEnabled());
    // The square wave's own limit shape is what is left to compare with.
    description = ui.Picture1->accessibleDescription();
    QVERIFY2(!description.contains("Цель") && description.contains("меандр"), qPrintable(description));

    // A task's target is the student's: it is neither replaced nor removed.
    menus.taskLevelActions().first()->trigger();
    QVERIFY(!menus.keepSumAction()->isEnabled());
    QVERIFY(!menus.removeTargetAction()->isEnabled());
}

void ViewTest::f1ListsEveryKeyOfTheWindow()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    form->activateWindow(); // a key's shortcut works in the active window
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    ui.Counti->setFocus();
    QTest::keyClick(ui.Counti, Qt::Key_F1);
    const auto* help = form->findChild<KeysHelp*>();
    QVERIFY(help && help->dialog() && help->dialog()->isVisible());
    QCOMPARE(help->dialog()->windowTitle(), QString("Клавиши"));
    // Every key an item or the window answers to is named in a line.
    QSet<QString> listed;
    for (const QString& line : KeysHelp::lines()) {
        for (const QString& name : line.section(" — ", 0, 0).split(", "))
            listed.insert(name);
    }
    for (const QAction* action : form->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const QString name = key.toString(QKeySequence::NativeText);
            QVERIFY2(listed.contains(name), qPrintable(action->text() + ": " + name));
        }
    }
    help->dialog()->close();
}

QTEST_MAIN(ViewTest)
#include "view_test.moc"
