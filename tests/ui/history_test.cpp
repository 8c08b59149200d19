// The series' history as a user meets it: every gesture undone and redone
// with the window as it was, typing merged per field, and a random run of
// changes undone to the start-up window, pixel for pixel.

#include "formtesting.h"

#include "core/termtable.h"
#include "ui/series/seriesmodel.h"
#include "ui/sound/soundrecording.h"
#include "ui/tasks/tasksession.h"
#include "ui/window/picturemenus.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <cmath>
#include <random>
#include <vector>

using namespace formtesting;

namespace {

// Everything the user sees of the series: every field's text, the basis and the window's picture.
struct Seen {
    QStringList texts;
    QImage picture;

    bool operator==(const Seen&) const = default;
};

Seen seen(Form1& form)
{
    const Controls ui = controlsOf(form);
    Seen s;
    s.texts << ui.Counti->text() << ui.Hei->text() << ui.Amax->text() << ui.Tmax->text()
            << (ui.Option1_0->isChecked() ? "SIN" : "COS");
    for (int i = 1; i <= tavelo::kMaxTerms; ++i)
        s.texts << form.AAA(i)->text() << form.FFF(i)->text();
    s.picture = form.grab().toImage();
    return s;
}

QAction* undoItem(const Form1& form)
{
    return form.historyActions().undoAction();
}

QAction* redoItem(const Form1& form)
{
    return form.historyActions().redoAction();
}

void typeInto(TextField* field, const QString& keys)
{
    typeOver(field, keys);
}

// A zigzag drawn across the whole plot area, `height` pixels from low to high.
void drawZigzag(Form1& form, int height)
{
    PictureBox* plot = controlsOf(form).Picture1;
    form.pictureMenus().drawShapeAction()->trigger();
    const QRect area = plot->contentsRect();
    QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(area.left(), area.top() + 40));
    for (int x = 0; x < area.width(); x += 40)
        QTest::mouseMove(plot, QPoint(area.left() + x, area.top() + 40 + (x / 40 % 2) * height));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(area.right(), area.top() + 60));
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void eachGestureIsUndoneAndRedone_data();
    void eachGestureIsUndoneAndRedone();
    void typingIsOneStepUntilTheFieldLosesTheFocus();
    void aBurstOfSpectrumKeysIsOneStep();
    void aRunningPlotRefusesUndo();
    void anUndoBackToNoPlotTakesTheReadingLineAway();
    void randomChangesUndoneGiveTheStartUpWindowBack();
    void aTaskLeftForADrawingGivenUpStaysOn();
    void nothingFocusableIsNameless();
};

void HistoryTest::eachGestureIsUndoneAndRedone_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("name");
    QTest::addRow("waveform") << "waveform" << "прямоугольные колебания (меандр)";
    QTest::addRow("pasted terms") << "terms" << "вставка слагаемых";
    QTest::addRow("random phases") << "phases" << "случайные фазы";
    QTest::addRow("pasted shape") << "shape" << "вставка формы";
    QTest::addRow("drawn shape") << "drawn" << "рисование формы";
    QTest::addRow("recorded shape") << "recorded" << "запись звука";
    QTest::addRow("task begun") << "task" << "начало задания";
    QTest::addRow("task's answer") << "answer" << "ответ задания";
    QTest::addRow("task ended") << "end" << "конец задания";
}

void HistoryTest::eachGestureIsUndoneAndRedone()
{
    QFETCH(QString, gesture);
    QFETCH(QString, name);
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    const PictureMenus& menus = form->pictureMenus();
    // A series typed and plotted first, so that its undo draws it again.
    typeInto(ui.Counti, "3");
    form->AAA(1)->setText("0.5");
    ui.Command1->click();
    if (gesture == "answer" || gesture == "end")
        form->tasks().start(2, 11);
    // The focus on one button in every picture compared: no field's blinking
    // caret, and no focus a gesture took elsewhere.
    const auto look = [&] {
        ui.Command3->setFocus();
        return seen(*form);
    };
    const Seen before = look();

    if (gesture == "waveform")
        menus.waveformActions().first()->trigger();
    else if (gesture == "terms")
        QGuiApplication::clipboard()->setText("1\t0\n0.5\t0.25\n"), menus.pasteTermsAction()->trigger();
    else if (gesture == "phases")
        menus.randomPhasesAction()->trigger();
    else if (gesture == "shape")
        QGuiApplication::clipboard()->setText("0\n1\n0\n-1\n"), menus.pasteShapeAction()->trigger();
    else if (gesture == "task")
        form->tasks().start(3, 5);
    else if (gesture == "drawn")
        drawZigzag(*form, 200);
    else if (gesture == "recorded")
        form->findChild<SoundRecording*>()->analyse(recordedSecond(220, 12), SoundRecording::kSampleRate);
    else if (gesture == "answer")
        menus.taskAnswerAction()->trigger();
    else if (gesture == "end")
        menus.taskEndAction()->trigger();
    const Seen after = look();
    QVERIFY(after != before);
    QCOMPARE(undoItem(*form)->text(), QStringLiteral("Отменить: ") + name);
    QVERIFY(undoItem(*form)->isEnabled());

    undoItem(*form)->trigger();
    const Seen undone = look();
    QCOMPARE(undone.texts, before.texts);
    QVERIFY(undone.picture == before.picture);
    QCOMPARE(redoItem(*form)->text(), QStringLiteral("Повторить: ") + name);
    redoItem(*form)->trigger();
    const Seen redone = look();
    QCOMPARE(redone.texts, after.texts);
    QVERIFY(redone.picture == after.picture);
}

void HistoryTest::typingIsOneStepUntilTheFieldLosesTheFocus()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const Controls ui = controlsOf(*form);
    const Seen start = seen(*form);
    typeInto(form->AAA(1), "2.5"); // raises H and the largest visible coordinate
    QCOMPARE(undoItem(*form)->text(), QStringLiteral("Отменить: изменение амплитуды 1"));
    const Seen typed = seen(*form);
    typeInto(ui.Tmax, "3");
    QCOMPARE(undoItem(*form)->text(), QStringLiteral("Отменить: изменение количества периодов"));
    // Ctrl+Z in the field undoes its own typing first, then the steps.
    QTest::keyClick(ui.Tmax, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.Tmax->text(), QStringLiteral("2"));
    QTest::keyClick(ui.Tmax, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(seen(*form).texts, typed.texts);
    QCOMPARE(undoItem(*form)->text(), QStringLiteral("Отменить: изменение амплитуды 1"));
    QTest::keyClick(ui.Tmax, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(seen(*form).texts, start.texts);
    QTest::keyClick(ui.Tmax, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(seen(*form).texts, typed.texts);
    QCOMPARE(ui.Hei->text(), QStringLiteral("2.5"));
}

void HistoryTest::aBurstOfSpectrumKeysIsOneStep()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const Controls ui = controlsOf(*form);
    const QString before = form->AAA(1)->text();
    ui.Picture2->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(ui.Picture2, Qt::Key_Down);
    QVERIFY(form->AAA(1)->text() != before);
    QCOMPARE(undoItem(*form)->text(), QStringLiteral("Отменить: изменение спектра"));
    QTest::keyClick(ui.Picture2, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form->AAA(1)->text(), before);
    QVERIFY(!undoItem(*form)->isEnabled());
}

void HistoryTest::aRunningPlotRefusesUndo()
{
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    form->pictureMenus().waveformActions().first()->trigger();
    bool refused = false;
    QString texts;
    connect(&form->plot(), &PlotControl::yielded, this, [&] {
        texts = ui.Counti->text();
        refused = !undoItem(*form)->isEnabled();
        undoItem(*form)->trigger();
    });
    ui.Command1->click();
    QVERIFY(refused);
    QCOMPARE(ui.Counti->text(), texts);
}

void HistoryTest::anUndoBackToNoPlotTakesTheReadingLineAway()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const Controls ui = controlsOf(*form);
    const QString designed = ui.Picture1->accessibleDescription();
    form->pictureMenus().waveformActions().first()->trigger();
    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_Right);
    QVERIFY(ui.Picture1->marker());
    QTest::keyClick(ui.Picture1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.Counti->text(), QStringLiteral("1"));
    QVERIFY(!ui.Picture1->marker());
    QCOMPARE(ui.Picture1->accessibleDescription(), designed);
    QTest::keyClick(ui.Picture1, Qt::Key_Right);
    QVERIFY(!ui.Picture1->marker());
    QVERIFY(pixelsOf(ui.Picture1->image(), kCurveBlue).isEmpty());
    // Redone, the waveform is drawn again.
    QTest::keyClick(ui.Picture1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(ui.Counti->text(), QStringLiteral("15"));
    QVERIFY(!pixelsOf(ui.Picture1->image(), kCurveBlue).isEmpty());
}

void HistoryTest::randomChangesUndoneGiveTheStartUpWindowBack()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const Controls ui = controlsOf(*form);
    const PictureMenus& menus = form->pictureMenus();
    const Seen start = seen(*form);
    // A refused paste or a plot that overflows says so in a message box.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(5);
    std::mt19937 random(20261209);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const QStringList typed = {"3", "0.25", "-1", "12", "", "7abc", "1e3", "0"};
    int steps = 0;
    // As many changes as the history keeps steps: none is forgotten.
    for (int change = 0; change < int(SeriesModel::kMaxSteps); ++change) {
        switch (pick(14)) {
        case 0:
            typeInto(ui.Counti, typed[pick(typed.size())]);
            break;
        case 1:
            typeInto(ui.Hei, typed[pick(typed.size())]);
            break;
        case 2:
            typeInto(form->AAA(ui.VScroll3->value()), typed[pick(typed.size())]);
            break;
        case 3:
            typeInto(form->FFF(ui.VScroll2->value()), typed[pick(typed.size())]);
            break;
        case 4:
            typeInto(pick(2) ? ui.Amax : ui.Tmax, typed[pick(typed.size())]);
            break;
        case 5:
            (pick(2) ? ui.Option1_0 : ui.Option1_1)->click();
            break;
        case 6:
            menus.waveformActions().at(pick(int(menus.waveformActions().size())))->trigger();
            break;
        case 7:
            QGuiApplication::clipboard()->setText(pick(2) ? "1\n0.5\t0.5\n0.25\n" : "0\n2\n1\n-1\n0.5\n");
            (pick(2) ? menus.pasteTermsAction() : menus.pasteShapeAction())->trigger();
            break;
        case 8:
            menus.randomPhasesAction()->trigger();
            break;
        case 9:
            drawZigzag(*form, 20 + pick(250));
            break;
        case 10:
            form->findChild<SoundRecording*>()->analyse(recordedSecond(110 + pick(400), 1 + pick(30)),
                                                        SoundRecording::kSampleRate);
            break;
        case 11:
            // A burst of spectrum keys, one step.
            ui.Picture2->setFocus();
            for (int key = pick(6); key >= 0; --key)
                QTest::keyClick(ui.Picture2, pick(2) ? Qt::Key_Up : Qt::Key_Right);
            break;
        case 12:
            if (form->tasks().isOn())
                (pick(2) ? menus.taskAnswerAction() : menus.taskEndAction())->trigger();
            else
                form->tasks().start(1 + pick(tavelo::kTaskLevels), random());
            break;
        default:
            ui.VScroll3->setValue(1 + pick(ui.VScroll3->maximum()));
            ui.VScroll2->setValue(1 + pick(ui.VScroll2->maximum()));
            break;
        }
        ui.Command3->setFocus(); // each typing its own step
    }
    ui.Command1->click();
    const Seen end = seen(*form);
    while (undoItem(*form)->isEnabled()) {
        undoItem(*form)->trigger();
        ++steps;
    }
    QVERIFY(steps > 50);
    QVERIFY(steps <= int(SeriesModel::kMaxSteps));
    // What the user looks at stays where it was, as a caret does: the term
    // on show and the frame round the bar the spectrum's keys act on.
    ui.VScroll3->setValue(1);
    ui.VScroll2->setValue(1);
    ui.Picture2->setHighlight(std::nullopt);
    ui.Picture2->setFocus();
    const Seen undone = seen(*form);
    QCOMPARE(undone.texts, start.texts);
    QVERIFY2(undone.picture == start.picture, "the window after undoing everything is not the start-up window");
    while (redoItem(*form)->isEnabled())
        redoItem(*form)->trigger();
    ui.Command1->click();
    QCOMPARE(seen(*form).texts, end.texts);
}

void HistoryTest::aTaskLeftForADrawingGivenUpStaysOn()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const Controls ui = controlsOf(*form);
    const PictureMenus& menus = form->pictureMenus();
    form->tasks().start(1, 3);
    menus.drawShapeAction()->trigger();
    QTest::keyClick(ui.Picture1, Qt::Key_Escape);
    QVERIFY(form->tasks().isOn());
    QVERIFY(menus.taskCheckAction()->isEnabled());
    // A paste refused leaves it on too.
    QGuiApplication::clipboard()->setText("x");
    closeNextModal();
    menus.pasteShapeAction()->trigger();
    QVERIFY(form->tasks().isOn());
    // A shape pasted takes its place: the task and its words are gone.
    QGuiApplication::clipboard()->setText("0\n1\n0\n-1\n");
    menus.pasteShapeAction()->trigger();
    QVERIFY(!form->tasks().isOn());
    QVERIFY(!ui.Picture1->accessibleDescription().contains(QStringLiteral("Задание")));
}

void HistoryTest::nothingFocusableIsNameless()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QList<QAccessibleInterface*> open{QAccessible::queryAccessibleInterface(form.get())};
    int seenObjects = 0;
    while (!open.isEmpty()) {
        QAccessibleInterface* item = open.takeLast();
        ++seenObjects;
        if (item->state().focusable && !item->state().invisible)
            QVERIFY2(!item->text(QAccessible::Name).isEmpty(), qPrintable(QString::number(item->role())));
        for (int i = 0; i < item->childCount(); ++i) {
            if (QAccessibleInterface* child = item->child(i))
                open << child;
        }
    }
    QVERIFY(seenObjects > 20);
}

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
