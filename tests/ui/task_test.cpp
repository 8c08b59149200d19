// Tasks: a hidden series to find for its shape, checked, shown and ended,
// played at every level with a fixed seed.

#include "formtesting.h"

#include "core/task.h"
#include "ui/tasks/tasksession.h"
#include "ui/window/picturemenus.h"

#include <QAction>
#include <QtTest>

using namespace formtesting;

namespace {

const QColor kTargetGrey(96, 96, 96);
constexpr std::uint64_t kSeed = 20261208;

QString description(const Form1& form)
{
    return controlsOf(form).Picture1->accessibleDescription();
}

} // namespace

class TaskTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void aTaskOfEachLevelIsPlayed_data();
    void aTaskOfEachLevelIsPlayed();
    void theAnswerCountsNothingAndTheEndLeavesTheFields();
};

void TaskTest::aTaskOfEachLevelIsPlayed_data()
{
    QTest::addColumn<int>("level");
    for (int level = 1; level <= tavelo::kTaskLevels; ++level)
        QTest::addRow("level %d", level) << level;
}

void TaskTest::aTaskOfEachLevelIsPlayed()
{
    QFETCH(int, level);
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const auto& ui = controlsOf(*form);
    ui.Option1_1->click(); // the task sets the sine basis
    const auto& menus = form->pictureMenus();
    QVERIFY(!menus.taskCheckAction()->isEnabled());
    form->tasks().start(level, kSeed);
    const tavelo::Task task = tavelo::makeTask(level, kSeed);

    // The task as it starts: N the terms in play, all 0, H 1, the target
    // drawn behind the sum and the task's words.
    QVERIFY(ui.Option1_0->isChecked());
    QCOMPARE(ui.Counti->text(), QString::number(task.terms));
    QCOMPARE(ui.Hei->text(), "1");
    for (int n = 1; n <= task.terms; ++n)
        QCOMPARE(form->AAA(n)->text(), "0");
    QVERIFY(!pixelsOf(ui.Picture1->image(), kTargetGrey).isEmpty());
    const QString words = QString("Задание, уровень %1: подберите %2 слагаемых 1..%3.")
                              .arg(level)
                              .arg(level == 6 ? "амплитуды и фазы" : "амплитуды")
                              .arg(task.terms);
    QVERIFY2(description(*form).contains(" " + words + " Среднеквадратичное отклонение: "),
             qPrintable(description(*form)));
    for (QAction* item : {menus.taskCheckAction(), menus.taskAnswerAction(), menus.taskTargetAction(),
                          menus.taskEndAction()})
        QVERIFY(item->isEnabled());

    // A wrong answer: the first hidden term a tenth too high. The terms
    // right are those the fields already hold, 0.
    int first = 1;
    while (task.A[std::size_t(first)] == 0)
        ++first;
    int zeros = 0;
    for (int n = 1; n <= task.terms; ++n)
        zeros += task.A[std::size_t(n)] == 0;
    form->AAA(first)->setText(QString::number(task.A[std::size_t(first)] + 0.1));
    menus.taskCheckAction()->trigger();
    QVERIFY2(description(*form).contains(QString(" Пока нет: отклонение ")) &&
                 description(*form).contains(QString(" Верных слагаемых: %1 из %2.").arg(zeros).arg(task.terms)),
             qPrintable(description(*form)));
    QCOMPARE(form->tasks().round().solved(), 0);

    // The right answer: typed into the fields, or on level 3 given on the
    // spectrum with its keys (Home, then Right to each term and Up in
    // twentieths of H = 1), and checked with Ctrl+Enter.
    form->AAA(first)->setText("0");
    if (level == 3) {
        PictureBox* spectrum = ui.Picture2;
        spectrum->setFocus();
        QTest::keyClick(spectrum, Qt::Key_Home);
        for (int n = 1; n <= task.terms; ++n) {
            for (int step = 0; step < int(std::lround(task.A[std::size_t(n)] * 20)); ++step)
                QTest::keyClick(spectrum, Qt::Key_Up);
            QTest::keyClick(spectrum, Qt::Key_Right);
        }
    } else {
        for (int n = 1; n <= task.terms; ++n) {
            form->AAA(n)->setText(QString::number(task.A[std::size_t(n)]));
            form->FFF(n)->setText(QString::number(task.Fi[std::size_t(n)]));
        }
    }
    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(form->tasks().round().solved(), 1);
    QVERIFY2(description(*form).contains(" Верно! Решено заданий: 1. " + words), qPrintable(description(*form)));
    // The next task of the level, from 0 again.
    for (int n = 1; n <= task.terms; ++n)
        QCOMPARE(form->AAA(n)->text(), "0");
    QVERIFY(form->tasks().isOn());
    QCOMPARE(form->tasks().round().task().level, level);
    // The result was said with its plot; the next plot says only the task.
    ui.Command1->click();
    QVERIFY(!description(*form).contains("Верно!"));
}

void TaskTest::theAnswerCountsNothingAndTheEndLeavesTheFields()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    const auto& menus = form->pictureMenus();
    form->tasks().start(6, kSeed);
    const tavelo::Task task = tavelo::makeTask(6, kSeed);
    menus.taskAnswerAction()->trigger();
    for (int n = 1; n <= task.terms; ++n) {
        QCOMPARE(form->AAA(n)->text(), QString::number(task.A[std::size_t(n)]));
        QCOMPARE(form->FFF(n)->text(), QString::number(task.Fi[std::size_t(n)]));
    }
    QVERIFY2(description(*form).contains("Среднеквадратичное отклонение: "), qPrintable(description(*form)));
    menus.taskCheckAction()->trigger();
    QVERIFY2(description(*form).contains("Верно! Решено заданий: 0."), qPrintable(description(*form)));
    QCOMPARE(form->tasks().round().solved(), 0);

    // The plot cursor reads the target beside the sum.
    ui.Command1->click();
    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_Home);
    QVERIFY2(ui.Picture1->accessibleDescription().contains(", цель: "), qPrintable(ui.Picture1->accessibleDescription()));

    // During a plot the task waits: its items are off, and ending it there
    // changes nothing (the plot draws the target it began with).
    bool tried = false;
    const auto duringPlot = connect(&form->plot(), &PlotControl::yielded, this, [&](double column) {
        if (column == 20 && !tried) {
            tried = true;
            QVERIFY(!menus.taskEndAction()->isEnabled() && !menus.taskCheckAction()->isEnabled());
            QVERIFY(menus.taskTargetAction()->isEnabled());
            form->tasks().end();
            QVERIFY(form->tasks().isOn());
        }
    });
    ui.Command1->click();
    disconnect(duringPlot);
    QVERIFY(tried);
    QVERIFY(!pixelsOf(ui.Picture1->image(), kTargetGrey).isEmpty());

    // Ended: the fields stay, the target goes, the items are off.
    ui.Counti->setFocus();
    form->AAA(1)->setText("0.7");
    const QString counti = ui.Counti->text();
    menus.taskEndAction()->trigger();
    QCOMPARE(form->AAA(1)->text(), "0.7");
    QCOMPARE(ui.Counti->text(), counti);
    QVERIFY(pixelsOf(ui.Picture1->image(), kTargetGrey).isEmpty());
    QVERIFY(!description(*form).contains("Задание"));
    QVERIFY(!menus.taskCheckAction()->isEnabled());
    QVERIFY(!form->pictureMenus().limitAction()->isChecked());
}

QTEST_MAIN(TaskTest)
#include "task_test.moc"
