// A random user at the keyboard: long seeded sessions that type and paste
// hostile texts into every field, walk the scroll bars, press Enter and Esc,
// plot, cancel and open the About box in the middle of plots. After every
// action the window must still be consistent. A failing seed prints the
// actions that led there; TAVELO_RANDOM_SEED replays one seed.

#include "formtesting.h"

#include "core/numbertext.h"
#include "ui/series/seriesmodel.h"
#include "ui/window/picturemenus.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QtTest>

#include <random>

using namespace formtesting;

namespace {

// Closes every modal box (About, fault messages) as soon as it is open.
class ModalCloser : public QObject {
public:
    ModalCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
                ++closed;
            }
        });
        m_timer.start(0);
    }
    int closed = 0;

private:
    QTimer m_timer;
};

const QStringList kHostileTexts = {
    "0", "1", "-1", "250", "251", "3", "12", "0.5", ".5", "-.5", "2.", "1,5", "1e3", "2D-1", "1e308", "1e400",
    "-1e400", "1e-400", "-0", "&HFF", "&HFFFF", "&O17", "&HFFFFFFFFFF", "&H", "abc", "7abc", "Амплитуда", "5м",
    " 1 2 ", "\t3\t", "+", "-", ".", "e", "E5", "1e", "--2", "1e10", "1e306", "-1e306", "99999999999999999999",
    "0.000001", "1.7976931348623157e308", "4.9e-324", "1 000", "3.5.1", "１２", "½", "∞", "NaN", "inf",
};
const QString kAlphabet = QStringLiteral("0123456789+-.,eEdD&HhOo xyzАбв\t");

// Types any text key by key; characters with no key of their own arrive as
// text, as an input method delivers them.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7f)
            QTest::keyClick(widget, char(c.unicode()));
        else if (c == QLatin1Char('\t'))
            QTest::keyClick(widget, Qt::Key_Tab);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class RandomUser {
public:
    RandomUser(Form1& form, quint32 seed)
        : m_form(form)
        , m_ui(controlsOf(form))
        , m_random(seed)
    {
        // What an undo or redo writes is what the user once typed; it is
        // taken as the fields' texts before the plot it starts, into which
        // the user may play.
        QObject::connect(&m_form.series(), &SeriesModel::historyChanged, &m_form, [this] {
            if (!m_undoing)
                return;
            for (QLineEdit* field : {m_ui.Hei, m_ui.Amax, m_ui.Counti})
                m_lastTexts[field->objectName()] = field->text();
        });
    }

    QStringList log;
    int actions = 0;
    int checks = 0;
    int waveforms = 0; // chosen while enabled
    int partToggles = 0;
    int pastes = 0;
    int sounds = 0;
    int undos = 0;
    int shapes = 0;
    int tasks = 0;
    int operations = 0;
    QString failure;

    void play(int count)
    {
        const auto connection = QObject::connect(&m_form.plot(), &PlotControl::yielded, &m_form, [this](double) {
            // Actions inside a running plot: a fair share of its yields.
            if (failure.isEmpty() && chance(30) && actions < m_budget)
                act(true);
        });
        m_budget = count;
        while (actions < count && failure.isEmpty()) {
            act(false);
            check();
        }
        QObject::disconnect(connection);
    }

private:
    bool chance(int percent) { return int(m_random() % 100) < percent; }
    int pick(int n) { return int(m_random() % quint32(n)); }

    QString hostileText()
    {
        if (chance(60))
            return kHostileTexts[pick(int(kHostileTexts.size()))];
        QString text;
        const int length = chance(5) ? 300 + pick(3000) : 1 + pick(12);
        for (int i = 0; i < length; ++i)
            text += kAlphabet[pick(int(kAlphabet.size()))];
        return text;
    }

    QLineEdit* someField()
    {
        switch (pick(6)) {
        case 0: return m_ui.Counti;
        case 1: return m_ui.Hei;
        case 2: return m_ui.Amax;
        case 3: return m_ui.Tmax;
        case 4: return m_form.FFF(m_form.ff());
        default: return m_form.AAA(m_form.aa());
        }
    }

    // A table as a teacher's spreadsheet might give it, or not quite.
    QString randomTable()
    {
        if (chance(20))
            return hostileText();
        QString table = chance(50) ? QStringLiteral("A\tFi\n") : QString();
        const int rows = chance(5) ? 251 : 1 + pick(30);
        const QString separator = chance(50) ? QStringLiteral("\t") : QStringLiteral(";");
        for (int row = 0; row < rows; ++row) {
            table += chance(3) ? hostileText().left(8) : QString::number(pick(2000) / 1000.0 - 1).replace('.', chance(50) ? '.' : ',');
            if (chance(50))
                table += separator + QString::number(pick(3));
            table += chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n");
        }
        return table;
    }

    // One period of a shape as a spreadsheet might copy it, often faulty.
    QString randomShapeTable()
    {
        if (chance(10))
            return hostileText();
        const bool timed = chance(30);
        QString table = chance(50) ? (timed ? QStringLiteral("t;f\n") : QStringLiteral("f\n")) : QString();
        const int rows = chance(5) ? pick(5) : chance(3) ? 2000 + pick(3000) : 4 + pick(60);
        const double scale = chance(10) ? 1e14 : 1 + pick(5);
        for (int row = 0; row < rows; ++row) {
            if (timed)
                table += QString::number(chance(2) ? row / 2 : row) + QLatin1Char(';');
            table += chance(1) ? hostileText().left(8) : QString::number((pick(2000) / 1000.0 - 1) * scale, 'g', 15);
            table += QLatin1Char('\n');
        }
        return table;
    }

    // A point anywhere on the plot area, and now and then beyond it.
    QPoint somePointOnThePlot()
    {
        const QRect area = m_ui.Picture1->rect();
        return QPoint(pick(area.width() + 40) - 20, pick(area.height() + 40) - 20);
    }

    QScrollBar* someScrollBar() { return chance(50) ? m_ui.VScroll3 : m_ui.VScroll2; }

    void act(bool duringPlot)
    {
        ++actions;
        m_touched = nullptr;
        const int kind = pick(duringPlot ? 11 : 15);
        switch (kind) {
        case 0: { // type a text over the whole field, key by key
            QLineEdit* field = someField();
            const QString text = hostileText().left(40);
            log << QStringLiteral("type '%1' into %2").arg(text, field->objectName());
            m_touched = field;
            field->setFocus();
            field->selectAll();
            typeText(field, text);
            break;
        }
        case 1: { // paste over the whole field, or over a part of it
            QLineEdit* field = someField();
            const QString text = hostileText();
            const int start = pick(int(field->text().size()) + 1);
            const int length = pick(int(field->text().size()) - start + 1);
            log << QStringLiteral("paste '%1' into %2 at %3+%4").arg(text.left(40), field->objectName()).arg(start).arg(length);
            m_touched = field;
            if (chance(50))
                field->selectAll();
            else
                field->setSelection(start, length);
            field->insert(text);
            break;
        }
        case 2: { // Backspace or Delete somewhere
            QLineEdit* field = someField();
            m_touched = field;
            field->setFocus();
            field->setCursorPosition(pick(int(field->text().size()) + 1));
            const bool backspace = chance(50);
            log << QStringLiteral("%1 in %2 at %3").arg(backspace ? "Backspace" : "Delete", field->objectName()).arg(field->cursorPosition());
            QTest::keyClick(field, backspace ? Qt::Key_Backspace : Qt::Key_Delete);
            break;
        }
        case 3: { // arrows, trough and keys on a scroll bar
            QScrollBar* bar = someScrollBar();
            static const QAbstractSlider::SliderAction moves[] = {
                QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
                QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
            const auto move = moves[pick(6)];
            log << QStringLiteral("scroll %1 by action %2").arg(bar->objectName()).arg(int(move));
            bar->triggerAction(move);
            break;
        }
        case 4: { // programmatic move, or a drag released somewhere
            QScrollBar* bar = someScrollBar();
            const int to = bar->minimum() + pick(bar->maximum() - bar->minimum() + 1);
            if (chance(50)) {
                log << QStringLiteral("set %1 to %2").arg(bar->objectName()).arg(to);
                bar->setValue(to);
            } else {
                log << QStringLiteral("drag %1 to %2").arg(bar->objectName()).arg(to);
                bar->setSliderDown(true);
                bar->setSliderPosition(bar->minimum() + pick(bar->maximum() - bar->minimum() + 1));
                bar->setSliderPosition(to);
                bar->setSliderDown(false);
            }
            break;
        }
        case 5: { // Enter in an amplitude field: moves on during a plot, plots otherwise
            QLineEdit* field = m_form.AAA(m_form.aa());
            log << QStringLiteral("Enter in %1").arg(field->objectName());
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            break;
        }
        case 6: { // Escape anywhere
            log << QStringLiteral("Escape");
            QTest::keyClick(someField(), Qt::Key_Escape);
            break;
        }
        case 7: { // choose the other form of the series
            const bool sine = chance(50);
            log << QStringLiteral("choose %1").arg(sine ? "SIN" : "COS");
            (sine ? m_ui.Option1_0 : m_ui.Option1_1)->click();
            break;
        }
        case 8: { // the About box; closed by the closer as soon as it shows
            log << QStringLiteral("About");
            m_ui.Command3->click();
            break;
        }
        case 9: { // Up or Down in the amplitude or phase field on show, or the spectrum's keys and bars
            if (chance(40)) {
                PictureBox* spectrum = m_ui.Picture2;
                spectrum->setFocus();
                if (chance(70)) {
                    static constexpr Qt::Key kSpectrumKeys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Home,
                                                                Qt::Key_End,    Qt::Key_Up,       Qt::Key_Down,
                                                                Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Delete,
                                                                Qt::Key_S};
                    const Qt::Key key = kSpectrumKeys[pick(int(std::size(kSpectrumKeys)))];
                    const bool shift = chance(20);
                    log << QStringLiteral("spectrum key %1%2").arg(key).arg(shift ? "+Shift" : "");
                    QTest::keyClick(spectrum, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
                } else {
                    const auto somewhere = [&] {
                        return QPoint(pick(spectrum->width() + 20) - 10, pick(spectrum->height() + 20) - 10);
                    };
                    log << QStringLiteral("spectrum drag");
                    QTest::mousePress(spectrum, Qt::LeftButton, {}, somewhere());
                    for (int move = pick(10); move > 0; --move)
                        QTest::mouseMove(spectrum, somewhere());
                    QTest::mouseRelease(spectrum, Qt::LeftButton, {}, somewhere());
                }
                break;
            }
            const bool amplitude = chance(50);
            QLineEdit* field = amplitude ? m_form.AAA(m_form.aa()) : m_form.FFF(m_form.ff());
            const bool down = chance(50);
            log << QStringLiteral("%1 in %2").arg(down ? "Down" : "Up", field->objectName());
            field->setFocus();
            QTest::keyClick(field, down ? Qt::Key_Down : Qt::Key_Up);
            break;
        }
        case 10: { // copy a drawing area or read the plot; now and then draw or paste a shape, choose a waveform or a part of the plot
            if (chance(4)) { // a task: a level, a check, the answer, the target heard, the end
                const auto& menus = m_form.pictureMenus();
                QList<QAction*> items = menus.taskLevelActions();
                items << menus.taskCheckAction() << menus.taskAnswerAction() << menus.taskTargetAction()
                      << menus.taskEndAction();
                QAction* item = items.at(pick(int(items.size())));
                log << QStringLiteral("task item %1%2").arg(item->text(), item->isEnabled() ? "" : " (disabled)");
                if (item->isEnabled()) {
                    ++tasks;
                    item->trigger();
                }
                break;
            }
            if (chance(15)) { // an operation on the sum; a dialog it opens is closed by the closer
                const QList<QAction*>& items = m_form.pictureMenus().operationActions();
                QAction* item = items.at(pick(int(items.size())));
                log << QStringLiteral("operation %1%2").arg(item->text(), item->isEnabled() ? "" : " (disabled)");
                if (!item->isEnabled())
                    break;
                ++operations;
                const QStringList before = seriesTexts(m_form);
                const std::size_t steps = m_form.series().historySize();
                const int actionsBefore = actions;
                item->trigger();
                // Applied, it is one step, and its undo puts the series back,
                // unless the user acted during its plot.
                if (actions == actionsBefore && m_form.series().historySize() != steps && chance(50)) {
                    log << QStringLiteral("undo the operation");
                    m_form.historyActions().undoAction()->trigger();
                    if (seriesTexts(m_form) != before)
                        failure = item->text() + " was not undone";
                }
                break;
            }
            if (chance(6)) { // a shape drawn or pasted; a stroke may be left, cancelled or cut short by a plot
                const auto& menus = m_form.pictureMenus();
                QAction* item = chance(50) ? menus.drawShapeAction() : menus.pasteShapeAction();
                if (item == menus.pasteShapeAction())
                    QGuiApplication::clipboard()->setText(randomShapeTable());
                log << QStringLiteral("%1%2").arg(item->text(), item->isEnabled() ? "" : " (disabled)");
                if (!item->isEnabled())
                    break;
                ++shapes;
                item->trigger();
                if (item == menus.drawShapeAction() && chance(80)) {
                    PictureBox* plot = m_ui.Picture1;
                    QTest::mousePress(plot, chance(90) ? Qt::LeftButton : Qt::RightButton, {}, somePointOnThePlot());
                    for (int move = pick(40); move > 0; --move)
                        QTest::mouseMove(plot, somePointOnThePlot());
                    if (chance(10))
                        QTest::keyClick(plot, Qt::Key_Escape);
                    if (chance(90))
                        QTest::mouseRelease(plot, Qt::LeftButton, {}, somePointOnThePlot());
                }
                break;
            }
            if (chance(97)) {
                PictureBox* box = chance(50) ? m_ui.Picture1 : m_ui.Picture2;
                box->setFocus();
                if (chance(50)) {
                    log << QStringLiteral("copy %1").arg(box->objectName());
                    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
                } else {
                    // The reader's keys: steps, pages and ends, jumps with Ctrl, Alt and
                    // Shift, the summary and the trace's lengths.
                    static constexpr Qt::Key kCursorKeys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Home,
                                                              Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown,
                                                              Qt::Key_I,    Qt::Key_1,      Qt::Key_3};
                    static constexpr Qt::KeyboardModifiers kJumps[] = {
                        Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                        Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier | Qt::ShiftModifier};
                    const Qt::Key key = kCursorKeys[pick(int(std::size(kCursorKeys)))];
                    const Qt::KeyboardModifiers modifiers = chance(50) ? Qt::NoModifier : kJumps[pick(int(std::size(kJumps)))];
                    log << QStringLiteral("cursor key %1 with %2 in %3")
                               .arg(key)
                               .arg(int(modifiers))
                               .arg(box->objectName());
                    QTest::keyClick(box, key, modifiers);
                }
                break;
            }
            if (chance(30)) { // the sum as a sound: play or stop, a pitch, or random phases
                const auto& menus = m_form.pictureMenus();
                QAction* sound = chance(50) ? menus.listenAction()
                                 : chance(50) ? menus.pitchActions().at(pick(int(menus.pitchActions().size())))
                                              : menus.randomPhasesAction();
                log << QStringLiteral("sound item %1%2").arg(sound->text(), sound->isEnabled() ? "" : " (disabled)");
                if (sound->isEnabled()) {
                    ++sounds;
                    sound->trigger();
                }
                break;
            }
            if (chance(50)) { // terms out and in through the clipboard: the own copy, or any text
                const auto& menus = m_form.pictureMenus();
                if (chance(50))
                    menus.copyTermsAction()->trigger();
                else
                    QGuiApplication::clipboard()->setText(randomTable());
                log << QStringLiteral("paste terms '%1'%2")
                           .arg(QGuiApplication::clipboard()->text().left(60),
                                menus.pasteTermsAction()->isEnabled() ? "" : " (disabled)");
                if (menus.pasteTermsAction()->isEnabled()) {
                    ++pastes;
                    menus.pasteTermsAction()->trigger();
                }
                break;
            }
            if (chance(50)) {
                QAction* part = chance(50) ? m_form.pictureMenus().termsAction() : m_form.pictureMenus().limitAction();
                log << QStringLiteral("toggle %1").arg(part->text());
                ++partToggles;
                part->trigger();
                break;
            }
            QAction* waveform = m_form.pictureMenus().waveformActions().at(pick(int(m_form.pictureMenus().waveformActions().size())));
            log << QStringLiteral("waveform %1%2").arg(waveform->text(), waveform->isEnabled() ? "" : " (disabled)");
            // A disabled item is one the menu does not let the user choose.
            if (waveform->isEnabled()) {
                ++waveforms;
                waveform->trigger();
            }
            break;
        }
        case 11:
        case 12: { // a plot, which may be played into
            log << QStringLiteral("plot");
            m_ui.Command1->click();
            log << QStringLiteral("plot ended");
            break;
        }
        case 13: { // undo or redo, by key or from a drawing area's menu
            const bool undo = chance(60);
            QAction* item = undo ? m_form.historyActions().undoAction() : m_form.historyActions().redoAction();
            log << (undo ? QStringLiteral("undo: ") : QStringLiteral("redo: ")) + item->text();
            ++undos;
            m_undoing = true;
            if (chance(50))
                item->trigger();
            else
                QTest::keyClick(someField(), Qt::Key_Z, undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            m_undoing = false;
            break;
        }
        default: { // Cancel while idle, or Enter on a field
            log << QStringLiteral("Cancel");
            m_ui.Command4->click();
            break;
        }
        }
        if (duringPlot)
            check(true);
    }

    void check(bool duringPlot = false)
    {
        ++checks;
        if (const QString broken = brokenInvariant(m_form, m_ui); !broken.isEmpty()) {
            failure = broken;
            return;
        }
        for (QLineEdit* field : {m_ui.Hei, m_ui.Amax, m_ui.Tmax}) {
            const QByteArray utf8 = field->text().toUtf8();
            if (tavelo::NumberFromText(std::string_view(utf8.constData(), std::size_t(utf8.size()))) == 0) {
                failure = field->objectName() + " reads as zero: " + field->text();
                return;
            }
        }
        // A text the program wrote, into a field the user did not touch, is a number.
        static const QRegularExpression written(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]+)?$"));
        for (QLineEdit* field : {m_ui.Hei, m_ui.Amax, m_ui.Counti}) {
            const QString before = m_lastTexts.value(field->objectName());
            if (field != m_touched && field->text() != before && !written.match(field->text()).hasMatch()) {
                failure = field->objectName() + " was written as " + field->text();
                return;
            }
            m_lastTexts[field->objectName()] = field->text();
        }
        if (!duringPlot && !m_ui.Command1->isEnabled())
            failure = QStringLiteral("Command1 disabled with no plot running");
        if (duringPlot && m_ui.Picture1->marker())
            failure = QStringLiteral("the plot's cursor shows while a plot runs");
        QList<QAction*> plotting = m_form.pictureMenus().waveformActions();
        plotting << m_form.pictureMenus().drawShapeAction() << m_form.pictureMenus().pasteShapeAction()
                 << m_form.pictureMenus().taskLevelActions();
        for (const QAction* item : m_form.pictureMenus().operationActions()) {
            if (item->isEnabled() && !m_ui.Command1->isEnabled())
                failure = item->text() + " enabled while a plot runs";
        }
        for (const QAction* item : {m_form.pictureMenus().taskCheckAction(), m_form.pictureMenus().taskAnswerAction(),
                                    m_form.pictureMenus().taskEndAction()}) {
            if (item->isEnabled() && !m_ui.Command1->isEnabled())
                failure = item->text() + " enabled while a plot runs";
        }
        for (const QAction* item : {m_form.historyActions().undoAction(), m_form.historyActions().redoAction()}) {
            if (item->isEnabled() && !m_ui.Command1->isEnabled())
                failure = item->text() + " enabled while a plot runs";
        }
        for (const QAction* item : std::as_const(plotting)) {
            if (item->isEnabled() != m_ui.Command1->isEnabled())
                failure = item->text() + " enabled differs from Command1";
        }
    }

    Form1& m_form;
    const Controls m_ui;
    std::mt19937 m_random;
    QLineEdit* m_touched = nullptr;
    bool m_undoing = false;
    QHash<QString, QString> m_lastTexts;
    int m_budget = 0;
};

} // namespace

class RandomUserTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }
    void sessionsKeepTheWindowConsistent();
};

void RandomUserTest::sessionsKeepTheWindowConsistent()
{
    const int totalActions = qEnvironmentVariableIntValue("TAVELO_RANDOM_ACTIONS") > 0
                                 ? qEnvironmentVariableIntValue("TAVELO_RANDOM_ACTIONS")
                                 : 20000;
    QList<quint32> seeds = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89};
    if (qEnvironmentVariableIsSet("TAVELO_RANDOM_SEED"))
        seeds = {quint32(qEnvironmentVariableIntValue("TAVELO_RANDOM_SEED"))};
    ModalCloser closer;
    int played = 0;
    int checked = 0;
    int waveforms = 0;
    int partToggles = 0;
    int pastes = 0;
    int sounds = 0;
    int undos = 0;
    int shapes = 0;
    int tasks = 0;
    int operations = 0;
    for (quint32 seed : seeds) {
        const auto form = startedForm();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        RandomUser user(*form, seed);
        user.play(totalActions / int(seeds.size()));
        played += user.actions;
        checked += user.checks;
        waveforms += user.waveforms;
        partToggles += user.partToggles;
        pastes += user.pastes;
        sounds += user.sounds;
        undos += user.undos;
        shapes += user.shapes;
        tasks += user.tasks;
        operations += user.operations;
        if (!user.failure.isEmpty()) {
            qWarning().noquote() << "seed" << seed << "failed after" << user.actions << "actions:" << user.failure;
            qWarning().noquote() << "replay with TAVELO_RANDOM_SEED=" + QString::number(seed) + "; last actions:";
            for (const QString& line : user.log.mid(qMax(0, int(user.log.size()) - 40)))
                qWarning().noquote() << "  " << line;
            QFAIL("a random session broke the window");
        }
    }
    qInfo("played %d random actions, checked the window %d times, closed %d message boxes, chose %d waveforms, "
          "ticked or unticked %d parts of the plot, pasted %d tables, chose %d sound items, drew or pasted %d shapes, chose %d task items, %d operations, undid or redid %d times",
          played, checked, closer.closed, waveforms, partToggles, pastes, sounds, shapes, tasks, operations, undos);
    QVERIFY(played >= totalActions - int(seeds.size()));
}

QTEST_MAIN(RandomUserTest)
#include "randomuser_test.moc"
