#include "formtesting.h"


#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace formtesting;

class DesignTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void captionsFitTheirControls();
    void controlsLieInsideTheirContainers();
    void resolvedFontsHaveCyrillicGlyphs();
    void focusWalksTheDesignedOrder();
    void windowIsFixedAndCarriesItsIcon();
    void everyFocusableControlHasAnAccessibleName();
};

void DesignTest::captionsFitTheirControls()
{
    const auto form = startedForm();
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const QFontMetrics metrics(widget->font());
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // Room for the indicator of an option button, the bevel of a push button.
            const int chrome = qobject_cast<QRadioButton*>(widget) ? 20 : 8;
            QVERIFY2(metrics.horizontalAdvance(button->text()) + chrome <= button->width(), qPrintable(button->objectName()));
            QVERIFY2(metrics.height() <= button->height(), qPrintable(button->objectName()));
        } else if (auto* autoSize = qobject_cast<AutoSizeLabel*>(widget)) {
            QCOMPARE(autoSize->size(), autoSize->sizeHint()); // takes the size of its caption
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 10000),
                                                      int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                                                      label->text());
            QVERIFY2(needed.width() <= label->width(), qPrintable(label->objectName()));
            QVERIFY2(needed.height() <= label->height(),
                     qPrintable(QString("%1: %2 > %3").arg(label->objectName()).arg(needed.height()).arg(label->height())));
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QVERIFY2(metrics.horizontalAdvance(frame->title()) + 16 <= frame->width(), qPrintable(frame->objectName()));
        } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            QVERIFY2(metrics.height() + 2 <= field->height(), qPrintable(field->objectName()));
        }
    }
    // The widest captions the labels of the index will take.
    const QFontMetrics indexMetrics(controlsOf(*form).ANum->font());
    QVERIFY(controlsOf(*form).ANum->x() + indexMetrics.horizontalAdvance("A ( i ), i = 250")
            <= controlsOf(*form).Frame5->width());
}

void DesignTest::controlsLieInsideTheirContainers()
{
    const auto form = startedForm();
    QCOMPARE(form->size(), QSize(792, 573));
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (widget->isWindow() || !widget->parentWidget() || widget->objectName().startsWith("qt_"))
            continue;
        const QRect container = widget->parentWidget()->rect();
        QVERIFY2(container.contains(widget->geometry()),
                 qPrintable(widget->objectName() + " in " + widget->parentWidget()->objectName()));
    }
    // Twips over 15, rounded.
    QCOMPARE(controlsOf(*form).Picture1->ScaleWidth(), 657.0);
    QCOMPARE(controlsOf(*form).Picture1->ScaleHeight(), 337.0);
    QCOMPARE(controlsOf(*form).Picture2->Width(), 3255.0);
    QCOMPARE(controlsOf(*form).Picture2->Height(), 2055.0);
    QVERIFY(controlsOf(*form).Picture2->ScaleWidth() < 3255.0); // the border takes its share
}

void DesignTest::resolvedFontsHaveCyrillicGlyphs()
{
    const auto form = startedForm();
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const QString family = QFontInfo(widget->font()).family();
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic),
                 qPrintable(widget->objectName() + ": " + family));
    }
    // The text fields keep the window's font, not the one of their frame.
    QCOMPARE(controlsOf(*form).Counti->font().pointSizeF(), form->font().pointSizeF());
    QCOMPARE(controlsOf(*form).Frame2->font().pointSizeF(), 9.75);
    QCOMPARE(controlsOf(*form).ANum->font().weight(), QFont::Bold);
    QCOMPARE(controlsOf(*form).Frame1->font().pointSizeF(), 12.0);
}

void DesignTest::focusWalksTheDesignedOrder()
{
    const auto form = startedForm();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const auto& ui = controlsOf(*form);
    QTRY_COMPARE(QApplication::focusWidget(), ui.Picture2);
    const QList<QWidget*> expected = {ui.Option1_0, ui.Hei,      ui.Counti,   ui.VScroll3, form->AAA(1),
                                      ui.VScroll2,  form->FFF(1), ui.Amax,   ui.Tmax,     ui.Command1,
                                      ui.Command4,  ui.Command3, ui.Command2, ui.Picture1, ui.Picture2};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next->objectName());
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void DesignTest::windowIsFixedAndCarriesItsIcon()
{
    const auto form = startedForm();
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->windowTitle(), QString("Негармонические колебания как сумма гармонических"));
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(32, 32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void DesignTest::everyFocusableControlHasAnAccessibleName()
{
    const auto form = startedForm();
    int named = 0;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(accessible, qPrintable(widget->objectName()));
        QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(widget->objectName()));
        if (qobject_cast<QLineEdit*>(widget)) {
            QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(), qPrintable(widget->objectName()));
        }
        ++named;
    }
    QCOMPARE(named, 2 * 250 + 4 + 2 + 2 + 4 + 2); // fields, parameters, options, scroll bars, buttons, drawing areas

    const auto nameOf = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(controlsOf(*form).Counti), QString("Количество гармонических слагаемых"));
    QCOMPARE(nameOf(form->AAA(3)), QString("A ( i ), i = 3"));
    QCOMPARE(nameOf(form->FFF(250)), QString("Fi ( i ), i = 250"));
    QCOMPARE(nameOf(controlsOf(*form).Command1), QString("График"));
    QCOMPARE(QAccessible::queryAccessibleInterface(controlsOf(*form).Command1)->text(QAccessible::Description),
             QString("Построение графика заданных колебаний"));
    QCOMPARE(nameOf(controlsOf(*form).Picture2), QString("Спектральное представление"));
    // A screen reader follows the focus onto a canvas; it takes a frame for a
    // window of its own. The plot area's holder only holds it.
    const auto roleOf = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->role(); };
    QCOMPARE(roleOf(controlsOf(*form).Picture1), QAccessible::Canvas);
    QCOMPARE(roleOf(controlsOf(*form).Picture2), QAccessible::Canvas);
    QCOMPARE(roleOf(controlsOf(*form).Risunok1), QAccessible::Pane);
    // The amplitude field on show is named as its label reads.
    controlsOf(*form).Counti->setText("5");
    controlsOf(*form).VScroll3->setValue(3);
    QCOMPARE(nameOf(form->AAA(form->aa())), controlsOf(*form).ANum->text());
}

QTEST_MAIN(DesignTest)
#include "design_test.moc"
