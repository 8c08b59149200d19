// The window enlarged for a projector: every text whole at every step, the
// plot drawn at the screen's resolution with the same arithmetic per column,
// the design itself at 100 %, and the step kept between runs.

#include "formtesting.h"

#include "core/zoomsteps.h"
#include "ui/window/windowzoom.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QtTest>

using namespace formtesting;

namespace {

// The first control whose text does not fit it, with the sizes; empty when all do.
QString cutText(const QWidget& window)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        QString text;
        int room = 0;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
            room = label->contentsRect().width() - 2 * label->margin();
            if (label->wordWrap()) {
                const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap, text);
                if (needed.height() > label->contentsRect().height())
                    return label->objectName() + ": " + text;
                continue;
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
            room = button->width() - (qobject_cast<const QPushButton*>(button) ? 4 : button->iconSize().width() + 4);
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            text = frame->title();
            room = frame->width() - 8;
        }
        if (!text.isEmpty() && widget->fontMetrics().horizontalAdvance(text) > room)
            return QString("%1: «%2» needs %3 px, has %4").arg(widget->objectName(), text)
                .arg(widget->fontMetrics().horizontalAdvance(text)).arg(room);
    }
    return {};
}

void plotSine(Form1& form)
{
    const auto& ui = controlsOf(form);
    ui.Counti->setText("3");
    form.AAA(3)->setText("0.5");
    form.FFF(2)->setText("0.25");
    form.AAA(2)->setText("0.3");
    ui.Command1->click();
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void init() { QSettings().clear(); }
    void everyStepShowsEveryTextWholeAndPlotsAtItsResolution();
    void backAt100ThePixelsAreTheDesigns();
    void theStepSurvivesARestartAndACorruptSettingsFile();
    void stepsAndFit();
};

void ZoomTest::everyStepShowsEveryTextWholeAndPlotsAtItsResolution()
{
    const auto form = startedForm();
    const auto& ui = controlsOf(*form);
    plotSine(*form);
    const std::vector<double> design = form->plot().lastResult().readout.values();
    QCOMPARE(design.size(), std::size_t(658));
    for (const int step : tavelo::kZoomSteps) {
        form->zoom().setPercent(step);
        QCOMPARE(form->zoom().percent(), step);
        QCOMPARE(form->width(), tavelo::zoomed(792, step));
        const QString cut = cutText(*form);
        QVERIFY2(cut.isEmpty(), qPrintable(QString("%1 %: %2").arg(step).arg(cut)));
        // Plotted again, one column a pixel of the plot area.
        const tavelo::PlotReadout& readout = form->plot().lastResult().readout;
        QCOMPARE(readout.lastColumn(), int(ui.Picture1->ScaleWidth()));
        QCOMPARE(ui.Picture1->ScaleWidth(), double(ui.Picture1->contentsRect().width()));
        if (step == 200) {
            // Twice the columns: every other one is the design's column, to the bit.
            for (std::size_t x = 0; x < design.size(); ++x)
                QCOMPARE(readout.values()[2 * x], design[x]);
        }
    }
}

void ZoomTest::backAt100ThePixelsAreTheDesigns()
{
    const auto fresh = startedForm();
    plotSine(*fresh);
    const auto form = startedForm();
    plotSine(*form);
    form->zoom().setPercent(175);
    form->zoom().setPercent(100);
    QCOMPARE(form->size(), fresh->size());
    QCOMPARE(form->grab().toImage(), fresh->grab().toImage());
}

void ZoomTest::theStepSurvivesARestartAndACorruptSettingsFile()
{
    {
        const auto form = startedForm();
        form->zoom().larger();
        form->zoom().larger();
        QCOMPARE(form->zoom().percent(), 150);
    }
    {
        const auto form = startedForm();
        QCOMPARE(form->zoom().percent(), 150);
        QCOMPARE(form->width(), tavelo::zoomed(792, 150));
    }
    const QString file = QSettings().fileName();
    {
        QFile corrupt(file);
        QVERIFY(corrupt.open(QIODevice::WriteOnly | QIODevice::Truncate));
        corrupt.write("\xff\xfe[view\nzoom=\x01\x02\n[[[[\n");
    }
    {
        const auto form = startedForm();
        QCOMPARE(form->zoom().percent(), 100);
        form->zoom().larger();
    }
    QCOMPARE(QSettings().value("view/zoom").toInt(), 125);
}

void ZoomTest::stepsAndFit()
{
    QCOMPARE(tavelo::nextZoom(100, -1), 100);
    QCOMPARE(tavelo::nextZoom(200, +1), 200);
    QCOMPARE(tavelo::nextZoom(130, +1), 150);
    // A projector's 1920 × 1080 takes the window at 175 %; 1280 × 1024 at 150 %.
    QCOMPARE(tavelo::largestFittingZoom(792, 573, 1920, 1080), 175);
    QCOMPARE(tavelo::largestFittingZoom(792, 573, 1280, 1024), 150);
    QCOMPARE(tavelo::largestFittingZoom(792, 573, 640, 480), 100);
}

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
