#include "formtesting.h"


#include <QSignalSpy>
#include <QtTest>

using namespace formtesting;

class FieldRulesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void startUpRunsTheAmplitudeRuleInRisingOrder();
    void typingIntoCounti_data();
    void typingIntoCounti();
    void typingIntoTheMiddleKeepsTheCaret();
    void loweringNMovesTheFieldOnShow();
    void amplitudeEditsRaiseHAndAmax_data();
    void amplitudeEditsRaiseHAndAmax();
    void overflowingSumLeavesAmaxAlone();
    void zeroResets_data();
    void zeroResets();
    void scrollBarsWalkTheFields();
    void draggingChangesNothingUntilRelease();
    void enterDuringAPlotMovesToTheNextField();
    void editsDuringAPlotLeaveThePlotAlone();
    void invariantsHoldThroughALongSession();
};

void FieldRulesTest::startUpRunsTheAmplitudeRuleInRisingOrder()
{
    Form1 form;
    QList<int> fieldsAtRedraw;
    connect(&form, &Form1::spectrumRedrawn, &form, [&] {
        fieldsAtRedraw << controlsOf(form).Frame5->findChildren<TextField*>().size();
    });
    form.Form_Load();
    QCOMPARE(fieldsAtRedraw.size(), 249);
    for (int k = 0; k < 249; ++k)
        QCOMPARE(fieldsAtRedraw[k], k + 2); // the rule of field i ran once field i existed, before i + 1
    QCOMPARE(brokenInvariant(form), QString());
    QCOMPARE(controlsOf(form).Hei->text(), "1");
    QCOMPARE(controlsOf(form).Amax->text(), "1");
}

void FieldRulesTest::typingIntoCounti_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QStringList>("texts");
    QTest::addRow("digit by digit") << "300" << false << QStringList{"3", "30", "250"};
    QTest::addRow("three digits") << "125" << false << QStringList{"1", "12", "125"};
    QTest::addRow("clearing") << "" << false << QStringList{"1"};
    QTest::addRow("zero") << "0" << false << QStringList{"1"};
    QTest::addRow("minus") << "-" << false << QStringList{"1"};
    QTest::addRow("no fraction") << "2.5" << false << QStringList{"2", "2", "25"};
    QTest::addRow("7abc pasted") << "7abc" << true << QStringList{"7"};
    QTest::addRow("-5 pasted") << "-5" << true << QStringList{"1"};
    QTest::addRow("1e10 pasted") << "1e10" << true << QStringList{"250"};
    QTest::addRow("1e308 pasted") << "1e308" << true << QStringList{"250"};
    QTest::addRow("&HFFFFFFFFFF pasted") << "&HFFFFFFFFFF" << true << QStringList{"1"};
    QTest::addRow("12.9 pasted") << "12.9" << true << QStringList{"12"};
}

void FieldRulesTest::typingIntoCounti()
{
    QFETCH(QString, keys);
    QFETCH(bool, pasted);
    QFETCH(QStringList, texts);
    const auto form = startedForm();
    QLineEdit* counti = controlsOf(*form).Counti;
    QSignalSpy redraws(form.get(), &Form1::spectrumRedrawn);
    QStringList seen;
    if (pasted) {
        paste(counti, keys);
        seen << counti->text();
    } else {
        seen = typeOver(counti, keys);
    }
    QCOMPARE(seen, texts);
    const int n = texts.last().toInt();
    QCOMPARE(controlsOf(*form).VScroll3->maximum(), n);
    QCOMPARE(controlsOf(*form).VScroll2->maximum(), n);
    QCOMPARE(brokenInvariant(*form), QString());
    QVERIFY(redraws.size() >= 1);
}

void FieldRulesTest::typingIntoTheMiddleKeepsTheCaret()
{
    const auto form = startedForm();
    QLineEdit* counti = controlsOf(*form).Counti;
    paste(counti, "12");
    counti->setCursorPosition(1);
    QTest::keyClicks(counti, "5");
    QCOMPARE(counti->text(), "152");
    QCOMPARE(counti->cursorPosition(), 2);
    // A correction rewrites the text; the rule's own rewrite of "152" changes nothing.
    QTest::keyClicks(counti, "9");
    QCOMPARE(counti->text(), "250");
}

void FieldRulesTest::loweringNMovesTheFieldOnShow()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    paste(ui.Counti, "10");
    ui.VScroll3->setValue(7);
    ui.VScroll2->setValue(2);
    paste(ui.Counti, "4");
    QCOMPARE(ui.VScroll3->value(), 4);
    QCOMPARE(form->aa(), 4);
    QVERIFY(form->AAA(7)->isHidden());
    QVERIFY(!form->AAA(4)->isHidden());
    QCOMPARE(ui.ANum->text(), "A ( i ), i = 4");
    QCOMPARE(ui.VScroll2->value(), 2);
    QCOMPARE(form->ff(), 2);
    QCOMPARE(brokenInvariant(*form), QString());
}

void FieldRulesTest::amplitudeEditsRaiseHAndAmax_data()
{
    QTest::addColumn<QString>("N");
    QTest::addColumn<QString>("hei");
    QTest::addColumn<QString>("amax");
    QTest::addColumn<QStringList>("amplitudes"); // typed into fields 1, 2, ... in turn
    QTest::addColumn<QString>("expectedHei");
    QTest::addColumn<QString>("expectedAmax");
    QTest::addColumn<int>("redrawsOfTheLastKey");
    QTest::addRow("larger amplitude raises H and Amax") << "1" << "1" << "1" << QStringList{"3"} << "3" << "3" << 2;
    QTest::addRow("equal amplitude changes nothing") << "1" << "3" << "3" << QStringList{"3"} << "3" << "3" << 1;
    QTest::addRow("negative amplitude raises nothing") << "2" << "1" << "1" << QStringList{"1", "-5"} << "1" << "1" << 1;
    QTest::addRow("written as a number, not as typed") << "1" << "1" << "1" << QStringList{"1e3"} << "1000" << "1000" << 2;
    QTest::addRow("fraction with a full stop") << "1" << "1" << "1" << QStringList{"2.5"} << "2.5" << "2.5" << 2;
    QTest::addRow("sum above Amax") << "2" << "1" << "1" << QStringList{"1", "0.5"} << "1" << "1.5" << 1;
    QTest::addRow("fields above N do not count") << "1" << "1" << "1" << QStringList{"1", "0.5"} << "1" << "1" << 1;
    QTest::addRow("sum of zero over a negative Amax") << "1" << "1" << "-3" << QStringList{"0"} << "1" << "2" << 1;
    QTest::addRow("zero amplitude over a negative H") << "1" << "-1" << "1" << QStringList{"0"} << "2" << "1" << 3;
}

void FieldRulesTest::amplitudeEditsRaiseHAndAmax()
{
    QFETCH(QString, N);
    QFETCH(QString, hei);
    QFETCH(QString, amax);
    QFETCH(QStringList, amplitudes);
    QFETCH(QString, expectedHei);
    QFETCH(QString, expectedAmax);
    QFETCH(int, redrawsOfTheLastKey);
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    paste(ui.Counti, N);
    paste(ui.Hei, hei);
    paste(ui.Amax, amax);
    paste(ui.Tmax, "2");
    for (int i = 0; i < amplitudes.size() - 1; ++i)
        paste(form->AAA(i + 1), amplitudes[i]);
    // Re-apply H and Amax after the earlier fields, then type the last amplitude key by key.
    paste(ui.Hei, hei);
    paste(ui.Amax, amax);
    QLineEdit* last = form->AAA(int(amplitudes.size()));
    last->selectAll();
    const QString keys = amplitudes.last();
    QTest::keyClicks(last, keys.left(keys.size() - 1));
    QSignalSpy redraws(form.get(), &Form1::spectrumRedrawn);
    QTest::keyClicks(last, keys.right(1));
    QCOMPARE(last->text(), keys);
    QCOMPARE(ui.Hei->text(), expectedHei);
    QCOMPARE(ui.Amax->text(), expectedAmax);
    QCOMPARE(redraws.size(), redrawsOfTheLastKey);
}

void FieldRulesTest::overflowingSumLeavesAmaxAlone()
{
    const auto form = startedForm();
    paste(controlsOf(*form).Counti, "2");
    paste(form->AAA(1), "1e308");
    QCOMPARE(controlsOf(*form).Amax->text(), "1E+308");
    paste(form->AAA(2), "1e308");
    QCOMPARE(controlsOf(*form).Amax->text(), "1E+308");
    QCOMPARE(controlsOf(*form).Hei->text(), "1E+308");
}

void FieldRulesTest::zeroResets_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("expected");
    for (const char* field : {"Hei", "Amax", "Tmax"}) {
        const QString reset = QString(field) == "Tmax" ? "1" : "2";
        for (const char* text : {"0", "", "-", ".", "abc", "-0", "0e5"})
            QTest::addRow("%s '%s' pasted", field, text) << field << text << false << reset;
        // A value below 1 cannot be typed from its first key on: its "0" is replaced at once.
        QTest::addRow("%s 0.5 typed", field) << field << "0.5" << true << reset + ".5";
        QTest::addRow("%s 0.5 pasted", field) << field << "0.5" << false << "0.5";
    }
}

void FieldRulesTest::zeroResets()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    QFETCH(QString, expected);
    const auto form = startedForm();
    auto* target = form->findChild<QLineEdit*>(field);
    if (typed)
        typeOver(target, text);
    else
        paste(target, text);
    QCOMPARE(target->text(), expected);
    // A negative value made by typing "-" before the existing digits stays.
    target->setCursorPosition(0);
    QTest::keyClicks(target, "-");
    QCOMPARE(target->text(), "-" + expected);
}

void FieldRulesTest::scrollBarsWalkTheFields()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    paste(ui.Counti, "250");
    paste(form->AAA(1), "7");
    ui.VScroll3->setFocus();
    QTest::keyClick(ui.VScroll3, Qt::Key_Down); // an arrow moves by one
    QCOMPARE(form->aa(), 2);
    QCOMPARE(ui.ANum->text(), "A ( i ), i = 2");
    paste(form->AAA(2), "3");
    ui.VScroll3->triggerAction(QAbstractSlider::SliderPageStepAdd); // so does the trough
    QCOMPARE(form->aa(), 3);
    ui.VScroll3->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(form->AAA(2)->text(), "3"); // a hidden field keeps its text
    ui.VScroll2->setValue(250);
    QCOMPARE(ui.FNum->text(), "Fi ( i ), i = 250");
    QCOMPARE(form->ff(), 250);
    QCOMPARE(form->aa(), 2);
    QVERIFY(ui.FNum->width() >= ui.FNum->sizeHint().width());
    QCOMPARE(brokenInvariant(*form), QString());
    // The scroll bars select no text and leave the focus where it was.
    QCOMPARE(QApplication::focusWidget(), ui.VScroll3);
    QVERIFY(!form->AAA(2)->hasSelectedText());
}

void FieldRulesTest::draggingChangesNothingUntilRelease()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    paste(ui.Counti, "50");
    ui.VScroll3->setSliderDown(true);
    ui.VScroll3->setSliderPosition(30);
    QCOMPARE(form->aa(), 1);
    QCOMPARE(ui.ANum->text(), "A ( i ), i = 1");
    ui.VScroll3->setSliderDown(false);
    QCOMPARE(form->aa(), 30);
    QCOMPARE(brokenInvariant(*form), QString());
}

void FieldRulesTest::enterDuringAPlotMovesToTheNextField()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    paste(ui.Counti, "5");
    paste(form->AAA(3), "0.25");
    ui.VScroll3->setValue(2);
    QStringList steps;
    const auto walk = connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 20) {
            form->AAA(2)->setFocus();
            QTest::keyClick(form->AAA(2), Qt::Key_Return);
            steps << QString("%1 %2 %3").arg(form->aa()).arg(QApplication::focusWidget()->objectName(),
                                                            form->AAA(3)->selectedText());
        } else if (column == 40) {
            ui.VScroll3->setValue(5);
            form->AAA(5)->setFocus();
            QTest::keyClick(form->AAA(5), Qt::Key_Return);
            steps << QString("%1 %2").arg(form->aa()).arg(QApplication::focusWidget()->objectName());
        }
    });
    ui.Command1->click();
    disconnect(walk);
    QCOMPARE(steps, (QStringList{"3 AAA_3 0.25", "5 AAA_5"}));
    QCOMPARE(ui.ANum->text(), "A ( i ), i = 5");
    QCOMPARE(brokenInvariant(*form), QString());

    // Outside a plot, Enter in a field plots and shows the same field.
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.VScroll3->setValue(2);
    form->AAA(2)->setFocus();
    QTest::keyClick(form->AAA(2), Qt::Key_Return);
    QCOMPARE(plotted.size(), 1);
    QCOMPARE(form->aa(), 2);
}

void FieldRulesTest::editsDuringAPlotLeaveThePlotAlone()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    int redrawsDuringPlot = 0;
    connect(&form->plot(), &PlotControl::yielded, form.get(), [&](double column) {
        if (column == 20) {
            QSignalSpy redraws(form.get(), &Form1::spectrumRedrawn);
            paste(form->AAA(1), "0.5");
            ui.Option1_1->click();
            paste(ui.Tmax, "7");
            redrawsDuringPlot = int(redraws.size());
        }
    });
    ui.Command1->click();
    QCOMPARE(redrawsDuringPlot, 1);
    QCOMPARE(form->o1v(), -1);
    // The curve went on as it started: a full sine of amplitude 1, two periods.
    const QList<int> crest = rowsOf(ui.Picture1->image(), 82, kCurveBlue);
    QVERIFY(crest.contains(0));
    // The spectrum shows the new amplitude at once: half height.
    const QList<int> bar = rowsOf(ui.Picture2->image(), 210, kBarOlive);
    QVERIFY(!bar.isEmpty());
    QVERIFY(qAbs(bar.first() - 68) <= 1);
}

void FieldRulesTest::invariantsHoldThroughALongSession()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const std::function<void()> steps[] = {
        [&] { paste(ui.Counti, "12"); },
        [&] { ui.VScroll3->setValue(12); },
        [&] { ui.VScroll2->setValue(9); },
        [&] { typeOver(ui.Counti, "3"); },
        [&] { ui.VScroll3->triggerAction(QAbstractSlider::SliderSingleStepAdd); },
        [&] { typeOver(form->AAA(form->aa()), "2.75"); },
        [&] { typeOver(ui.Counti, ""); },
        [&] { typeOver(ui.Counti, "250"); },
        [&] { ui.VScroll3->setValue(250); },
        [&] { ui.VScroll2->setValue(250); },
        [&] { typeOver(ui.Counti, "249"); },
        [&] { ui.Command1->click(); },
        [&] { typeOver(form->FFF(form->ff()), "0.5"); },
        [&] { paste(ui.Counti, "1e10"); },
        [&] { paste(ui.Counti, "-3"); },
        [&] { ui.VScroll3->setValue(5); },
        [&] { typeOver(ui.Hei, "0"); },
        [&] { ui.Command1->click(); },
        [&] { ui.Command4->click(); },
    };
    int step = 0;
    for (const auto& act : steps) {
        act();
        ++step;
        QVERIFY2(brokenInvariant(*form).isEmpty(), qPrintable(QString("step %1: %2").arg(step).arg(brokenInvariant(*form))));
        QVERIFY(ui.Command1->isEnabled());
    }
}

QTEST_MAIN(FieldRulesTest)
#include "fieldrules_test.moc"
