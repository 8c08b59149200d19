// End-to-end figures of the real window on Qt's offscreen platform: start-up,
// a full plot against the reference loop, keystroke to redrawn spectrum, a
// classic waveform filled in and plotted, a spectrum key to the plot drawn
// again, a drawn shape's and a recorded second's terms plotted, the cost of
// a plot as N and the number of columns grow, and memory: its growth over a
// thousand plots and its peak.
// Each figure is the median of repeated runs, with the spread around it.

#include "referenceloop.h"
#include "core/vectorstate.h"
#include "ui/files/lessonfiles.h"
#include "ui/plot/picturecanvas.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/operations/sumoperations.h"
#include "ui/sound/soundrecording.h"
#include "ui/widgets/picturebox.h"
#include "ui/window/application.h"
#include "ui/window/form1.h"
#include "ui/window/historyactions.h"
#include "ui/window/picturemenus.h"
#include "ui/window/windowzoom.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Figure {
    double median;
    double low;  // 10th percentile
    double high; // 90th percentile
};

Figure measure(int runs, const std::function<double()>& run)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(run());
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * (samples.size() - 1))]; };
    return {at(0.5), at(0.1), at(0.9)};
}

void print(const char* what, const Figure& f, const char* unit)
{
    std::printf("%-46s %10.3f %s  (p10 %.3f, p90 %.3f)\n", what, f.median, unit, f.low, f.high);
}

double milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

QLineEdit* fieldOf(const Form1& form, const char* name)
{
    return form.findChild<QLineEdit*>(QLatin1String(name));
}

QPushButton* plotButton(const Form1& form)
{
    return form.findChild<QPushButton*>(QStringLiteral("Command1"));
}

void replaceText(QLineEdit* field, const QString& text)
{
    field->selectAll();
    field->insert(text);
}

// The form with N = 250 and amplitudes 1/n, phases 0.01 n: the reference
// loop's parameters.
void fillManyTerms(Form1& form)
{
    replaceText(fieldOf(form, "Counti"), "250");
    replaceText(fieldOf(form, "Amax"), "3");
    for (int i = 1; i <= 250; ++i) {
        replaceText(form.AAA(i), QString::number(1.0 / i, 'g', 17));
        replaceText(form.FFF(i), QString::number(0.01 * i, 'g', 17));
    }
}

// Ten seconds of a 220 Hz tone with ten harmonics as a 16-bit mono WAV file
// at 44.1 kHz, as a phone records one.
QByteArray tenSecondWav()
{
    const int rate = 44100;
    QByteArray data;
    for (int k = 0; k < 10 * rate; ++k) {
        double v = 0;
        for (int n = 1; n <= 10; ++n)
            v += 0.4 / n * std::sin(2 * 3.141592653589793 * n * 220 * double(k) / rate + n);
        const auto sample = static_cast<qint16>(std::lround(v * 32767 / 1.2));
        data.append(reinterpret_cast<const char*>(&sample), 2);
    }
    const auto le = [](quint32 v, int n) { return QByteArray(reinterpret_cast<const char*>(&v), n); };
    return "RIFF" + le(quint32(36 + data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4)
           + le(rate * 2, 4) + le(2, 2) + le(16, 2) + "data" + le(quint32(data.size()), 4) + data;
}

// Runs in a child process: start up as the program does, say so once the
// window has been shown, and end.
int startupProbe(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The zoom is kept in settings: the benchmark's are its own, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    setUpApplication();
    Form1 window;
    window.Form_Load();
    QCoreApplication::processEvents();
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
}

Figure startupTime(const QString& self)
{
    return measure(21, [&] {
        QProcess probe;
        QElapsedTimer timer;
        timer.start();
        probe.start(self, {"--startup-probe"});
        probe.waitForReadyRead(10000);
        const double elapsed = milliseconds(timer);
        probe.waitForFinished();
        return elapsed;
    });
}

// Resident memory now, from the kernel's count of resident pages.
double residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toDouble() * 4;
}

double plotOnce(Form1& form)
{
    QElapsedTimer timer;
    timer.start();
    plotButton(form)->click();
    QCoreApplication::processEvents(); // the last strip reaches the screen
    return milliseconds(timer);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argc, argv);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    setUpApplication();

    print("start-up to window shown (process)", startupTime(QCoreApplication::applicationFilePath()), "ms");

    Form1 form;
    form.Form_Load();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    fillManyTerms(form);
    QCoreApplication::processEvents();

    // Alternating the two runs lets both see the same state of the machine.
    const tavelo::HarmonicParams params = bench::manyTerms(250);
    std::vector<double> referenceRuns;
    const Figure plot = measure(31, [&] {
        tavelo::releaseUpperVectorState(); // the reference runs at its full speed, not after a paint
        QElapsedTimer timer;
        timer.start();
        volatile double checksum = bench::referenceLoop(params, 657, 337);
        (void)checksum;
        referenceRuns.push_back(milliseconds(timer));
        return plotOnce(form);
    });
    const Figure reference = measure(static_cast<int>(referenceRuns.size()), [&, i = 0]() mutable {
        return referenceRuns[static_cast<std::size_t>(i++)];
    });
    print("reference loop, N = 250, 657 columns", reference, "ms");
    print("full plot, N = 250, 657 columns", plot, "ms");
    std::printf("%-46s %10.3f x\n", "full plot / reference loop", plot.median / reference.median);

    // The window enlarged: the plot at 200 % (twice the columns) against the
    // plot at 100 %, alternating; and a step of the zoom to the window redrawn
    // with the plot drawn again.
    std::vector<double> doubleSizeRuns;
    const Figure designSize = measure(15, [&] {
        form.zoom().setPercent(200);
        doubleSizeRuns.push_back(plotOnce(form));
        form.zoom().setPercent(100);
        return plotOnce(form);
    });
    const Figure doubleSize = measure(static_cast<int>(doubleSizeRuns.size()), [&, i = 0]() mutable {
        return doubleSizeRuns[static_cast<std::size_t>(i++)];
    });
    print("full plot at 200 %, N = 250, 1314 columns", doubleSize, "ms");
    std::printf("%-46s %10.3f x\n", "plot at 200 % / plot at 100 %", doubleSize.median / designSize.median);
    print("zoom step (100 <-> 125 %) to window redrawn", measure(21, [&, i = 0]() mutable {
        QElapsedTimer timer;
        timer.start();
        form.zoom().setPercent(i++ % 2 == 0 ? 125 : 100);
        QCoreApplication::processEvents();
        return milliseconds(timer);
    }), "ms");
    form.zoom().setPercent(100);

    // Files: two lessons of 250 terms opened in turn, each to its plot drawn,
    // and a recording of ten seconds opened to its terms and their plot.
    {
        QTemporaryDir folder;
        const QString lessons[] = {folder.filePath("a.tavelo"), folder.filePath("b.tavelo")};
        form.files().saveTo(lessons[0]);
        replaceText(form.AAA(250), "0.5");
        form.files().saveTo(lessons[1]);
        print("lesson of 250 terms opened to the plot drawn", measure(21, [&, i = 0]() mutable {
            QElapsedTimer timer;
            timer.start();
            form.files().open(lessons[i++ % 2]);
            QCoreApplication::processEvents();
            return milliseconds(timer);
        }), "ms");
        const QString sound = folder.filePath("tone.wav");
        QFile wav(sound);
        wav.open(QIODevice::WriteOnly);
        wav.write(tenSecondWav());
        wav.close();
        print("WAV of 10 s opened to its terms, plot drawn", measure(11, [&] {
            QElapsedTimer timer;
            timer.start();
            form.files().open(sound);
            QCoreApplication::processEvents();
            return milliseconds(timer);
        }), "ms");
        // Back to the lesson, without the recording's target and pitch.
        form.files().open(lessons[0]);
        fillManyTerms(form);
    }

    int digit = 0;
    const Figure amplitudeKey = measure(201, [&] {
        QLineEdit* field = form.AAA(1);
        field->selectAll();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(field, char('1' + (digit++ % 2)));
        QCoreApplication::processEvents();
        return milliseconds(timer);
    });
    print("keystroke in an amplitude to spectrum, N = 250", amplitudeKey, "ms");
    const Figure countKey = measure(201, [&] {
        QLineEdit* field = fieldOf(form, "Counti");
        replaceText(field, "25");
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(field, '0');
        QCoreApplication::processEvents();
        return milliseconds(timer);
    });
    print("keystroke making N = 250 to spectrum", countKey, "ms");

    // The spectrum as a control: Up and Down in turn on a chosen term, from
    // the key to the plot drawn again with all 250 terms.
    fillManyTerms(form);
    auto* spectrumArea = form.findChild<PictureBox*>(QStringLiteral("Picture2"));
    spectrumArea->setFocus();
    QTest::keyClick(spectrumArea, Qt::Key_Right);
    int spectrumKeys = 0;
    int replots = 0;
    const auto counting = QObject::connect(&form.plot(), &PlotControl::finished, [&replots] { ++replots; });
    const Figure spectrumKey = measure(101, [&] {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(spectrumArea, spectrumKeys++ % 2 ? Qt::Key_Down : Qt::Key_Up);
        QCoreApplication::processEvents();
        return milliseconds(timer);
    });
    QObject::disconnect(counting);
    if (replots != spectrumKeys)
        std::abort();
    print("spectrum key at N = 250 to plot drawn again", spectrumKey, "ms");

    // Each run chooses another waveform, so all 500 fields change every time.
    const QList<QAction*> waveforms = form.pictureMenus().waveformActions();
    int chosen = 0;
    const Figure waveform = measure(31, [&] {
        QAction* item = waveforms.at(chosen++ % waveforms.size());
        QElapsedTimer timer;
        timer.start();
        item->trigger();
        QCoreApplication::processEvents();
        if (!plotButton(form)->isEnabled())
            std::abort();
        return milliseconds(timer);
    });
    print("waveform at N = 250, menu item to plot drawn", waveform, "ms");

    // The plot with its parts: all 250 terms drawn beside the sum, and the
    // square wave's limit shape with its overshoot and deviation.
    QAction* termsItem = form.pictureMenus().termsAction();
    QAction* limitItem = form.pictureMenus().limitAction();
    fillManyTerms(form);
    termsItem->trigger();
    print("plot with its 250 terms, 657 columns", measure(15, [&] { return plotOnce(form); }), "ms");
    termsItem->trigger();
    waveforms.first()->trigger();
    replaceText(fieldOf(form, "Counti"), "250");
    limitItem->trigger();
    if (!form.findChild<QWidget*>("Picture1")->accessibleDescription().contains(QStringLiteral("Выброс")))
        std::abort();
    print("plot with the limit shape, square wave, N = 250", measure(15, [&] { return plotOnce(form); }), "ms");
    limitItem->trigger();

    // A shape drawn with the mouse at N = 250, from the button's release to
    // the plot drawn against it: a zigzag of 33 strokes across the period.
    QAction* drawItem = form.pictureMenus().drawShapeAction();
    auto* plotArea = form.findChild<PictureBox*>(QStringLiteral("Picture1"));
    int drawings = 0;
    const Figure drawn = measure(15, [&] {
        replaceText(fieldOf(form, "Counti"), "250");
        drawItem->trigger();
        const QRect area = plotArea->contentsRect();
        const int top = area.top() + 20 + drawings++ % 7;
        QTest::mousePress(plotArea, Qt::LeftButton, {}, QPoint(area.left(), top));
        for (int x = 20; x < area.width(); x += 20)
            QTest::mouseMove(plotArea, QPoint(area.left() + x, x % 40 ? area.bottom() - 20 : top));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseRelease(plotArea, Qt::LeftButton, {}, QPoint(area.right() - 1, top));
        QCoreApplication::processEvents();
        if (!plotButton(form)->isEnabled() || form.AAA(1)->text() == QStringLiteral("0"))
            std::abort();
        return milliseconds(timer);
    });
    print("drawn shape at N = 250, release to plot drawn", drawn, "ms");

    // A second of sound as the recorder hands it over, to its terms written
    // and the plot drawn against its period: a tone of 196 Hz with 20
    // harmonics, the pitch moved a little each time so that each one differs.
    auto* recording = form.findChild<SoundRecording*>();
    int recordings = 0;
    const Figure recorded = measure(15, [&] {
        const double hertz = 196 + 0.1 * recordings++;
        const int rate = SoundRecording::kSampleRate;
        std::vector<float> samples(static_cast<std::size_t>(rate));
        for (std::size_t k = 0; k < samples.size(); ++k) {
            double v = 0;
            for (int n = 1; n <= 20; ++n)
                v += 0.3 / n * std::sin(2 * 3.141592653589793 * n * hertz * double(k) / rate + n);
            samples[k] = static_cast<float>(v);
        }
        QElapsedTimer timer;
        timer.start();
        recording->analyse(samples, SoundRecording::kSampleRate);
        QCoreApplication::processEvents();
        if (!plotButton(form)->isEnabled() || fieldOf(form, "Counti")->text() != QStringLiteral("250"))
            std::abort();
        return milliseconds(timer);
    });
    print("recorded second at N = 250, to plot drawn", recorded, "ms");
    form.pictureMenus().limitAction()->trigger();
    form.pictureMenus().limitAction()->trigger();

    // A table of 250 terms pasted, to the plot drawn; and a clipboard of a
    // megabyte, which is refused. The message box it opens is closed at once.
    // Two tables that differ in every field take turns, so that each paste
    // writes all 500 fields.
    QString tables[2];
    for (int t = 0; t < 2; ++t) {
        tables[t] = QStringLiteral("A\tFi\n");
        for (int n = 1; n <= 250; ++n)
            tables[t] += QString::number((t + 1.0) / n, 'g', 15) + '\t' + QString::number((n + t) % 3 + 1) + '\n';
    }
    QAction* paste = form.pictureMenus().pasteTermsAction();
    const auto pasteTime = [&](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        QElapsedTimer timer;
        timer.start();
        paste->trigger();
        QCoreApplication::processEvents();
        return milliseconds(timer);
    };
    int pasted = 0;
    print("paste of 250 terms, to the plot drawn", measure(16, [&] { return pasteTime(tables[pasted++ % 2]); }),
          "ms");
    if (fieldOf(form, "Counti")->text() != QStringLiteral("250") || form.AAA(250)->text() != QStringLiteral("0.008"))
        std::abort();
    // The paste undone, to the plot of the series before it drawn again; each
    // undo is redone untimed, so that every one undoes a paste of 250 terms.
    QAction* undo = form.historyActions().undoAction();
    QAction* redo = form.historyActions().redoAction();
    print("undo of a paste of 250 terms, to the plot drawn", measure(16, [&] {
              QElapsedTimer timer;
              timer.start();
              undo->trigger();
              QCoreApplication::processEvents();
              const double ms = milliseconds(timer);
              redo->trigger();
              QCoreApplication::processEvents();
              return ms;
          }),
          "ms");
    // Each operation on the sum of 250 terms, to the plot drawn; its undo,
    // untimed, brings back the same sum for the next.
    auto* operations = form.findChild<SumOperations*>();
    const char* const operationNames[] = {"half-wave rectified", "full-wave rectified", "clipped",
                                          "inverted",            "time reversed",       "odd terms kept",
                                          "even terms kept",     "quantized",           "sampled and held"};
    static_assert(std::size(operationNames) == std::size(kSumOperations));
    for (std::size_t i = 0; i < std::size(kSumOperations); ++i) {
        const SumOperation operation = kSumOperations[i];
        const double value = operation == SumOperation::Clip       ? 0.5
                             : operation == SumOperation::Quantize ? 8
                                                                   : 16;
        const Figure f = measure(9, [&] {
            QElapsedTimer timer;
            timer.start();
            if (!operations->apply(operation, value).isEmpty())
                std::abort();
            QCoreApplication::processEvents();
            const double ms = milliseconds(timer);
            undo->trigger();
            QCoreApplication::processEvents();
            return ms;
        });
        print((std::string(operationNames[i]) + ", N = 250, to the plot drawn").c_str(), f, "ms");
    }
    // The plot reader's keys on that sum, key to the words said: a jump to
    // the next extreme from the left edge, and the whole curve in a sentence.
    plotArea->setFocus();
    const auto keyTime = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& said) {
        QTest::keyClick(plotArea, Qt::Key_Home);
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(plotArea, key, modifiers);
        const double ms = milliseconds(timer);
        if (!plotArea->accessibleDescription().contains(said))
            std::abort();
        return ms;
    };
    print("jump to the next extreme by key, N = 250", measure(31, [&] {
              return keyTime(Qt::Key_Right, Qt::ControlModifier, QStringLiteral("мум "));
          }),
          "ms");
    print("jump to the next jump by key, N = 250", measure(31, [&] {
              return keyTime(Qt::Key_Right, Qt::ShiftModifier, QStringLiteral("скач"));
          }),
          "ms");
    print("the plot's summary by key, N = 250", measure(31, [&] {
              return keyTime(Qt::Key_I, Qt::NoModifier, QStringLiteral("гармоник"));
          }),
          "ms");
    QString megabyte = tables[0];
    while (megabyte.size() < (1 << 20))
        megabyte += tables[0];
    print("paste of a 1 MB clipboard, to its refusal", measure(15, [&] { return pasteTime(megabyte); }), "ms");

    std::printf("\nplot time by terms and columns (ms; ns per term and column)\n");
    std::printf("%8s %14s %14s\n", "N", "657 columns", "9855 columns");
    PictureBox area;
    area.resize(657, 337);
    area.show();
    for (int n : {1, 10, 50, 100, 250}) {
        const tavelo::HarmonicParams terms = bench::manyTerms(n);
        std::printf("%8d", n);
        for (double columns : {657.0, 9855.0}) {
            area.setPixelsPerUnit(657.0 / columns);
            const Figure f = measure(columns > 1000 ? 5 : 15, [&] {
                QElapsedTimer timer;
                timer.start();
                area.Cls();
                PictureCanvas canvas(&area);
                tavelo::DrawColumns(terms, columns, 337 * columns / 657, canvas, [](double) {
                    QCoreApplication::processEvents();
                    return true;
                });
                QCoreApplication::processEvents();
                return milliseconds(timer);
            });
            std::printf(" %7.2f (%4.1f)", f.median, f.median * 1e6 / (n * (columns + 1)));
        }
        std::printf("\n");
    }

    // What a plot keeps after it has ended would pile up here.
    fillManyTerms(form);
    for (int i = 0; i < 100; ++i)
        plotOnce(form);
    const double before = residentKilobytes();
    for (int i = 0; i < 1000; ++i)
        plotOnce(form);
    std::printf("\n%-46s %10.0f KB\n", "resident memory growth over 1000 plots, N = 250", residentKilobytes() - before);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-46s %10.1f MB\n", "peak resident memory", static_cast<double>(usage.ru_maxrss) / 1024);

    // The history's memory after 100 shapes of 100,000 samples, each a step
    // that keeps its shape; after the peak above, which it would raise with
    // the tables it reads.
    QAction* pasteShape = form.pictureMenus().pasteShapeAction();
    for (int k = 0; k < 100; ++k) {
        QString shape;
        shape.reserve(100000 * 12);
        for (int i = 0; i < 100000; ++i)
            shape += QString::number(std::sin(6.283185307179586 * (k + 1) * i / 100000.0), 'g', 6) + '\n';
        QGuiApplication::clipboard()->setText(shape);
        pasteShape->trigger();
        QCoreApplication::processEvents();
    }
    std::printf("%-60s %.1f MB in %zu steps\n", "history after 100 pasted shapes of 100,000 samples",
                double(form.series().historyBytes()) / (1024.0 * 1024.0), form.series().historySize());
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-46s %10.1f MB\n", "peak resident memory with that history", static_cast<double>(usage.ru_maxrss) / 1024);
    return 0;
}
