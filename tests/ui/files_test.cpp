// The lesson in a file: every kind of state saved and opened in a fresh
// window gives the same fields and the same picture; every faulty file is
// refused with a message and nothing changed; a failed save leaves the old
// file whole.

#include "formtesting.h"

#include "ui/files/lessonfiles.h"
#include "ui/series/seriesmodel.h"
#include "ui/sound/soundrecording.h"
#include "ui/tasks/tasksession.h"
#include "ui/window/picturemenus.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "ui/plot/plotcontrol.h"

#include <cmath>

using namespace formtesting;

namespace {

struct Seen {
    QStringList texts;
    QImage picture;
    QImage spectrum;

    bool operator==(const Seen&) const = default;
};

Seen seen(Form1& form)
{
    const Controls ui = controlsOf(form);
    ui.Command3->setFocus(); // no field's caret in the picture
    Seen s;
    s.texts = seriesTexts(form);
    s.texts << (ui.Option1_0->isChecked() ? "SIN" : "COS") << ui.ANum->text() << ui.FNum->text();
    // The drawing areas: the window's own focus frame follows a message box closed.
    s.picture = ui.Picture1->grab().toImage();
    s.spectrum = ui.Picture2->grab().toImage();
    return s;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A WAV file of a 220 Hz tone with its second harmonic at half the
// fundamental, `seconds` long: PCM of `bits` (8, 16, 24 or 32), or 32-bit
// floating point where `bits` is 0, with `channels` channels alike.
QByteArray toneWav(int rate, int bits, int channels, double seconds, double level = 0.5)
{
    const int bytesPerSample = bits == 0 ? 4 : bits / 8;
    const auto frames = int(seconds * rate);
    QByteArray data;
    for (int k = 0; k < frames; ++k) {
        const double t = double(k) / rate;
        const double v = level * (std::sin(2 * M_PI * 220 * t) + 0.5 * std::sin(2 * M_PI * 440 * t + 1)) / 1.5;
        for (int c = 0; c < channels; ++c) {
            if (bits == 0) {
                const float f = float(v);
                data.append(reinterpret_cast<const char*>(&f), 4);
            } else if (bits == 8) {
                data.append(char(std::lround(128 + v * 127)));
            } else {
                const auto whole = std::int64_t(std::llround(v * (std::pow(2.0, bits - 1) - 1)));
                for (int b = 0; b < bytesPerSample; ++b)
                    data.append(char((whole >> (8 * b)) & 0xFF));
            }
        }
    }
    const auto le = [](std::uint32_t v, int n) {
        QByteArray bytes;
        for (int b = 0; b < n; ++b)
            bytes.append(char((v >> (8 * b)) & 0xFF));
        return bytes;
    };
    QByteArray wav = "RIFF" + le(std::uint32_t(36 + data.size()), 4) + "WAVEfmt " + le(16, 4);
    wav += le(bits == 0 ? 3 : 1, 2) + le(std::uint32_t(channels), 2) + le(std::uint32_t(rate), 4);
    wav += le(std::uint32_t(rate * channels * bytesPerSample), 4) + le(std::uint32_t(channels * bytesPerSample), 2);
    wav += le(std::uint32_t(bits == 0 ? 32 : bits), 2) + "data" + le(std::uint32_t(data.size()), 4) + data;
    return wav;
}

// Runs the command; whether it succeeded.
bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void savedAndOpenedInAFreshWindowIsTheSame_data();
    void savedAndOpenedInAFreshWindowIsTheSame();
    void faultyFilesAreRefusedWithNothingChanged_data();
    void faultyFilesAreRefusedWithNothingChanged();
    void openingIsOneStepAndTablesOpenAsPasted();
    void aSaveDrawsAPlotOnlyWhereOneIsShown();
    void aFileDroppedOnAFieldOpensAndTextStaysText();
    void aTeachersTaskOpensWithoutItsAnswerAndIsSolvedWithTheSpectrumsKeys();
    void thePictureAndTheValuesAreSavedForAReport_data();
    void thePictureAndTheValuesAreSavedForAReport();
    void soundFilesOpenAsRecorded_data();
    void soundFilesOpenAsRecorded();
    void aFailedSaveSaysWhyAndLeavesTheOldFileWhole_data();
    void aFailedSaveSaysWhyAndLeavesTheOldFileWhole();
};

void FilesTest::savedAndOpenedInAFreshWindowIsTheSame_data()
{
    QTest::addColumn<QString>("state");
    for (const char* state : {"start-up", "cos, 250 terms", "square wave, its limit and terms", "drawn target",
                              "recording", "task"})
        QTest::addRow("%s", state) << state;
}

void FilesTest::savedAndOpenedInAFreshWindowIsTheSame()
{
    QFETCH(QString, state);
    QTemporaryDir folder;
    const QString path = folder.filePath("урок.tavelo");
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    const PictureMenus& menus = form->pictureMenus();
    if (state == "cos, 250 terms") {
        ui.Option1_1->setChecked(true);
        ui.Counti->setText("250");
        for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
            form->AAA(n)->setText(QString::number(1.0 / (n * n + 0.5), 'g', 17));
            form->FFF(n)->setText(n % 3 ? QString("0.%1").arg(n) : QString("1,5")); // a comma stays as typed
        }
        ui.VScroll3->setValue(200);
        ui.VScroll2->setValue(7);
    } else if (state == "square wave, its limit and terms") {
        menus.waveformActions().first()->trigger();
        ui.Counti->setText("15");
        menus.limitAction()->setChecked(true);
        menus.termsAction()->setChecked(true);
    } else if (state == "drawn target") {
        form->pictureMenus().drawShapeAction()->trigger();
        const QRect area = ui.Picture1->contentsRect();
        QTest::mousePress(ui.Picture1, Qt::LeftButton, {}, QPoint(area.left(), area.top() + 40));
        for (int x = 0; x < area.width(); x += 40)
            QTest::mouseMove(ui.Picture1, QPoint(area.left() + x, area.top() + 40 + (x / 40 % 2) * 150));
        QTest::mouseRelease(ui.Picture1, Qt::LeftButton, {}, QPoint(area.right(), area.top() + 60));
    } else if (state == "recording") {
        form->findChild<SoundRecording*>()->analyse(recordedSecond(261.6, 12), SoundRecording::kSampleRate);
    } else if (state == "task") {
        form->tasks().start(3, 5);
    }
    ui.Command1->click();
    QVERIFY(form->files().saveTo(path));
    const Seen saved = seen(*form);

    const auto fresh = startedForm();
    fresh->files().open(path);
    const Seen opened = seen(*fresh);
    QCOMPARE(opened.texts, saved.texts);
    QVERIFY(opened.picture == saved.picture);
    QCOMPARE(fresh->series().state().target.shape != nullptr, form->series().state().target.shape != nullptr);
    if (const auto& shape = form->series().state().target.shape)
        QVERIFY(fresh->series().state().target.shape->samples == shape->samples);
    // Saved again, the file is the same to the byte.
    const QString again = folder.filePath("снова.tavelo");
    QVERIFY(fresh->files().saveTo(again));
    QCOMPARE(readFile(again), readFile(path));
}

void FilesTest::faultyFilesAreRefusedWithNothingChanged_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("words");
    const QByteArray lesson = R"({"format": "tavelo-lesson", "version": 1, "basis": "sin", "N": {"text": "3"},
        "H": {"text": "1"}, "largestCoordinate": {"text": "1"}, "periods": {"text": "2"}, "terms": []})";
    QByteArray manyTerms;
    for (int n = 1; n <= 251; ++n)
        manyTerms += QByteArray(n > 1 ? ", " : "") + R"({"n": 1, "amplitude": {"text": "1"}, "phase": {"text": "0"}})";
    QTest::addRow("malformed JSON") << QByteArray(R"({"format": "tavelo-lesson", "version": 1,)") << "урок.tavelo"
                                    << "повреждён";
    QTest::addRow("a wrong format name") << QByteArray(R"({"format": "spreadsheet", "version": 1})")
                                         << "урок.tavelo" << "не файл урока";
    QTest::addRow("a newer version") << QByteArray(lesson).replace(R"("version": 1)", R"("version": 7)")
                                     << "урок.tavelo" << "формат 7";
    QTest::addRow("N out of range") << QByteArray(lesson).replace(R"("text": "3")", R"("text": "300")")
                                    << "урок.tavelo" << "вне допустимых пределов (N)";
    QTest::addRow("a value not finite") << QByteArray(lesson).replace(R"({"text": "1"})", R"({"text": "1", "value": 1e999})")
                                        << "урок.tavelo" << "бесконечное";
    QTest::addRow("251 terms") << QByteArray(lesson).replace("[]", "[" + manyTerms + "]") << "урок.tavelo" << "больше 250";
    QTest::addRow("over 20 MB") << QByteArray(20 * 1024 * 1024 + 1, ' ') << "урок.tavelo" << "больше 20 МБ";
    QTest::addRow("not UTF-8") << QByteArray(lesson).replace("sin", "s\xefn") << "урок.tavelo" << "не текст UTF-8";
    QTest::addRow("a directory") << QByteArray() << "папка.tavelo" << "это папка";
    QTest::addRow("a missing file") << QByteArray() << "нет.tavelo" << "такого файла нет";
    QTest::addRow("a table with a faulty cell") << QByteArray("Амплитуда\tФаза\n1\t0\nabc\t0\n") << "слагаемые.csv"
                                                << "Строка 3, ячейка 1";
}

void FilesTest::faultyFilesAreRefusedWithNothingChanged()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, words);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (name.startsWith("папка"))
        QVERIFY(QDir(folder.path()).mkdir(name));
    else if (!name.startsWith("нет"))
        writeFile(path, content);
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    menuItem(ui.Picture2, "Прямоугольные колебания (меандр)")->trigger();
    const Seen before = seen(*form);
    const std::size_t steps = form->series().historySize();

    QString said;
    onNextModal([&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    form->files().open(path);
    QVERIFY2(said.contains(words), qPrintable(said));
    QVERIFY2(said.contains(name), qPrintable(said));
    const Seen after = seen(*form);
    QCOMPARE(after.texts, before.texts);
    QVERIFY(after.picture == before.picture);
    QCOMPARE(form->series().historySize(), steps);
    QVERIFY(form->files().path().isEmpty());
}

void FilesTest::openingIsOneStepAndTablesOpenAsPasted()
{
    QTemporaryDir folder;
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    menuItem(ui.Picture2, "Прямоугольные колебания (меандр)")->trigger();
    ui.Counti->setText("9");
    ui.Command1->click();
    const QString lesson = folder.filePath("меандр.tavelo");
    QVERIFY(form->files().saveTo(lesson));
    const Seen square = seen(*form);

    // A comma-separated table from a spreadsheet in English, and one of a
    // Russian spreadsheet, with semicolons: the same terms.
    writeFile(folder.filePath("en.csv"), "Amplitude,Phase\n0.5,0.25\n0,0\n0.125,1.5\n");
    writeFile(folder.filePath("ru.csv"), "Амплитуда;Фаза\n0,5;0,25\n0;0\n0,125;1,5\n");
    for (const char* table : {"en.csv", "ru.csv"}) {
        form->files().open(folder.filePath(table));
        QCOMPARE(ui.Counti->text(), "3");
        QCOMPARE(form->AAA(1)->text(), "0.5");
        QCOMPARE(form->FFF(3)->text(), "1.5");
        QCOMPARE(form->historyActions().undoAction()->text(), "Отменить: вставка слагаемых");
    }
    // One column of values is a shape, whose terms are the series.
    writeFile(folder.filePath("shape.txt"), "0\n1\n0\n-1\n");
    form->files().open(folder.filePath("shape.txt"));
    QVERIFY(form->series().state().target.shape);

    form->files().open(lesson);
    QVERIFY(seen(*form) == square);
    QCOMPARE(form->historyActions().undoAction()->text(), "Отменить: открытие файла");
    form->historyActions().undoAction()->trigger();
    QVERIFY(form->series().state().target.shape);
    QVERIFY(seriesTexts(*form) != square.texts);
}

void FilesTest::aSaveDrawsAPlotOnlyWhereOneIsShown()
{
    QTemporaryDir folder;
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    const Seen before = seen(*form);
    QVERIFY(form->files().saveTo(folder.filePath("a.tavelo")));
    QCOMPARE(plotted.size(), 0);
    QVERIFY(seen(*form).picture == before.picture);

    ui.Command1->click();
    const QImage withoutName = seen(*form).picture;
    QVERIFY(form->files().saveTo(folder.filePath("b.tavelo")));
    QCOMPARE(plotted.size(), 2); // drawn again with the file's name in its corner
    QVERIFY(seen(*form).picture != withoutName);
}

void FilesTest::aFileDroppedOnAFieldOpensAndTextStaysText()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("урок.tavelo");
    const auto source = startedForm();
    controlsOf(*source).Counti->setText("4");
    source->AAA(2)->setText("0.75");
    QVERIFY(source->files().saveTo(path));

    const auto form = startedForm();
    TextField* field = form->AAA(1);
    const auto drop = [field](QMimeData* data) {
        const QPointF at = field->rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &dropped);
        return dropped.isAccepted();
    };
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path)});
    file.setText(QUrl::fromLocalFile(path).toString()); // as file managers offer it
    QVERIFY(drop(&file));
    QCOMPARE(controlsOf(*form).Counti->text(), "4");
    QCOMPARE(form->AAA(2)->text(), "0.75");
    QCOMPARE(form->AAA(1)->text(), "1");
    // Text dragged onto a field is the field's, as before.
    QMimeData text;
    text.setText("0.5");
    drop(&text);
    QCOMPARE(form->AAA(1)->text(), "10.5");
}

void FilesTest::aTeachersTaskOpensWithoutItsAnswerAndIsSolvedWithTheSpectrumsKeys()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("задание.tavelo");
    // The teacher keeps a sum of two terms as the target and saves it as a task.
    const auto teacher = startedForm();
    const Controls mine = controlsOf(*teacher);
    mine.Counti->setText("2");
    teacher->AAA(1)->setText("0.5");
    teacher->AAA(2)->setText("0.25");
    mine.Command1->click();
    closeNextModal();
    QVERIFY(!teacher->files().saveTaskTo(path, "no target yet")); // refused: nothing to reach
    menuItem(mine.Picture1, "Запомнить сумму")->trigger();
    QVERIFY(teacher->files().saveTaskTo(path, "  Найдите две амплитуды.  "));
    // The answer stays with the teacher: no term in the file.
    QVERIFY(readFile(path).contains(R"("terms": [])"));

    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    form->files().open(path);
    QVERIFY(form->tasks().isOn());
    QCOMPARE(form->historyActions().undoAction()->text(), "Отменить: открытие задания");
    QCOMPARE(ui.Counti->text(), "2");
    QCOMPARE(form->AAA(1)->text(), "0");
    QCOMPARE(form->AAA(2)->text(), "0");
    QVERIFY(!form->pictureMenus().taskAnswerAction()->isEnabled());
    const auto description = [&] { return ui.Picture1->accessibleDescription(); };
    QVERIFY2(description().contains("Задание учителя: Найдите две амплитуды."), qPrintable(description()));

    // Opened in another window, the task looks the same.
    {
        const auto another = startedForm();
        another->files().open(path);
        const Seen opened = seen(*form);
        const Seen again = seen(*another);
        QCOMPARE(again.texts, opened.texts);
        QVERIFY(again.picture == opened.picture && again.spectrum == opened.spectrum);
    }
    form->activateWindow(); // the check's key works in the active window
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY2(description().contains("Пока нет: отклонение "), qPrintable(description()));
    // The spectrum's keys: Home, Up in twentieths of H = 1, Right to the next term.
    ui.Picture2->setFocus();
    QTest::keyClick(ui.Picture2, Qt::Key_Home);
    for (int step = 0; step < 10; ++step)
        QTest::keyClick(ui.Picture2, Qt::Key_Up);
    QTest::keyClick(ui.Picture2, Qt::Key_Right);
    for (int step = 0; step < 5; ++step)
        QTest::keyClick(ui.Picture2, Qt::Key_Up);
    QCOMPARE(form->AAA(2)->text(), "0.25");
    ui.Picture1->setFocus();
    QTest::keyClick(ui.Picture1, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY2(description().contains("Верно! Отклонение "), qPrintable(description()));
}

void FilesTest::thePictureAndTheValuesAreSavedForAReport_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::addRow("English") << "en_US" << ",";
    QTest::addRow("Russian") << "ru_RU" << ";";
}

void FilesTest::thePictureAndTheValuesAreSavedForAReport()
{
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    QTemporaryDir folder;
    const auto form = startedForm();
    const Controls ui = controlsOf(*form);
    const PictureMenus& menus = form->pictureMenus();
    menus.waveformActions().first()->trigger();
    ui.Counti->setText("3");
    menus.limitAction()->setChecked(true);
    menus.termsAction()->setChecked(true);
    QSignalSpy plotted(&form->plot(), &PlotControl::finished);
    ui.Command1->click();
    QCOMPARE(plotted.size(), 1);
    const tavelo::PlotResult result = plotted.first().first().value<tavelo::PlotResult>();

    QVERIFY(form->files().savePictureTo(folder.filePath("график.png")));
    QCOMPARE(QImage(folder.filePath("график.png")).convertToFormat(QImage::Format_RGB32),
             ui.Picture1->picture().convertToFormat(QImage::Format_RGB32));

    QVERIFY(form->files().saveValuesTo(folder.filePath("значения.csv")));
    const QStringList lines = QString::fromUtf8(readFile(folder.filePath("значения.csv"))).split("\r\n", Qt::SkipEmptyParts);
    // Cells that hold a comma are quoted, so that no spreadsheet splits them.
    QStringList names{"t, периоды", "f(t), м", "Слагаемое 1, м", "Слагаемое 3, м", "Предельная форма, м"};
    names.replaceInStrings(QRegularExpression("^(.*)$"), "\"\\1\"");
    QCOMPARE(lines.first(), names.join(separator));
    // A row for every column drawn, the sum in it the one drawn, to the bit.
    QCOMPARE(lines.size() - 1, result.readout.lastColumn() + 1);
    const QLocale reading(locale);
    for (int x = 0; x <= result.readout.lastColumn(); x += 73) {
        QStringList cells = lines[x + 1].split(separator);
        QCOMPARE(cells.size(), 5);
        cells.replaceInStrings("\"", "");
        bool number = false;
        QCOMPARE(reading.toDouble(cells[1], &number), result.readout.value(x));
        QVERIFY(number);
        QCOMPARE(reading.toDouble(cells[0]), result.readout.periods(x));
    }
}

void FilesTest::soundFilesOpenAsRecorded_data()
{
    QTest::addColumn<QByteArray>("wav");
    QTest::addColumn<QString>("refusal"); // empty: the terms are the tone's
    QTest::addRow("8-bit, 8 kHz") << toneWav(8000, 8, 1, 1) << "";
    QTest::addRow("16-bit stereo, 44.1 kHz") << toneWav(44100, 16, 2, 1) << "";
    QTest::addRow("24-bit, 48 kHz") << toneWav(48000, 24, 1, 1) << "";
    QTest::addRow("32-bit, 96 kHz") << toneWav(96000, 32, 1, 1) << "";
    QTest::addRow("floating point stereo, 22.05 kHz") << toneWav(22050, 0, 2, 1) << "";
    QTest::addRow("10 s, 44.1 kHz") << toneWav(44100, 16, 1, 10) << "";
    QTest::addRow("silence") << toneWav(44100, 16, 1, 1, 0) << "тих";
    QTest::addRow("a rate of 4 kHz") << toneWav(4000, 16, 1, 1) << "вне пределов";
    QTest::addRow("no sound file") << QByteArray("RIFF, but nothing else") << "не звук WAV";
}

void FilesTest::soundFilesOpenAsRecorded()
{
    QFETCH(QByteArray, wav);
    QFETCH(QString, refusal);
    QTemporaryDir folder;
    const QString path = folder.filePath("звук.wav");
    writeFile(path, wav);
    const auto form = startedForm();
    const QStringList before = seriesTexts(*form);
    QString said;
    if (!refusal.isEmpty()) {
        onNextModal([&said](QWidget* box) {
            said = static_cast<QMessageBox*>(box)->text();
            box->close();
        });
    }
    form->files().open(path);
    if (!refusal.isEmpty()) {
        QVERIFY2(said.contains(refusal) && said.contains("звук.wav"), qPrintable(said));
        QCOMPARE(seriesTexts(*form), before);
        return;
    }
    QCOMPARE(form->historyActions().undoAction()->text(), "Отменить: запись звука");
    const double A1 = form->series().amplitude(1);
    const double A2 = form->series().amplitude(2);
    QVERIFY2(A1 > 0 && std::abs(A2 / A1 - 0.5) < 0.01, qPrintable(QString("A1 %1, A2 %2").arg(A1).arg(A2)));
    QVERIFY2(std::abs(form->series().amplitude(3)) < 0.01 * A1, qPrintable(QString::number(form->series().amplitude(3))));
}

void FilesTest::aFailedSaveSaysWhyAndLeavesTheOldFileWhole_data()
{
    QTest::addColumn<QString>("place");
    QTest::addRow("a folder that does not exist") << "missing folder";
    QTest::addRow("a name that is a folder") << "folder";
    QTest::addRow("a read-only folder") << "read-only";
    QTest::addRow("a full disk") << "full";
}

void FilesTest::aFailedSaveSaysWhyAndLeavesTheOldFileWhole()
{
    QFETCH(QString, place);
    QTemporaryDir folder;
    QString path = folder.filePath("урок.tavelo");
    const QByteArray old = "the old lesson, whole\n";
    const QString mountPoint = folder.filePath("disk");
    const auto unmount = qScopeGuard([&] {
        if (place == "read-only" || place == "full")
            run("umount", {mountPoint});
    });
    if (place == "missing folder") {
        path = folder.filePath("нет/урок.tavelo");
    } else if (place == "folder") {
        QVERIFY(QDir(folder.path()).mkdir("урок.tavelo"));
    } else {
        // A small disk of its own, which needs the right to mount one.
        QVERIFY(QDir(folder.path()).mkdir("disk"));
        if (!run("mount", {"-t", "tmpfs", "-o", "size=16k", "tavelo-test", mountPoint}))
            QSKIP("no right to mount a disk here");
        path = mountPoint + "/урок.tavelo";
        writeFile(path, old);
        if (place == "read-only") {
            QVERIFY(run("mount", {"-o", "remount,ro", mountPoint}));
        } else {
            // Filled up but for a few bytes: the old file stays, the new one cannot be written.
            QFile filler(mountPoint + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
        }
    }
    const auto form = startedForm();
    controlsOf(*form).Counti->setText("250"); // a lesson larger than what is left of the disk
    for (int n = 1; n <= tavelo::kMaxTerms; ++n)
        form->AAA(n)->setText("0.123456789");
    QString said;
    onNextModal([&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    QVERIFY(!form->files().saveTo(path));
    QVERIFY2(said.startsWith("Файл «урок.tavelo» не сохранён: "), qPrintable(said));
    QVERIFY2(said.endsWith("Прежний файл остался как был."), qPrintable(said));
    if (place == "read-only" || place == "full")
        QCOMPARE(readFile(path), old);
    QVERIFY(form->files().path().isEmpty());
}

QTEST_MAIN(FilesTest)
#include "files_test.moc"
