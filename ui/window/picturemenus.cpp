#include "ui/window/picturemenus.h"

#include "core/task.h"
#include "core/waveforms.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/soundtexts.h"
#include "ui/plot/plotcontrol.h"
#include "ui/plot/plottexts.h"
#include "ui/terms/termtexts.h"
#include "ui/widgets/picturebox.h"
#include "ui/window/areamenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QShortcut>
#include <QSignalBlocker>

PictureMenus::PictureMenus(PictureBox* plot, PictureBox* spectrum, const PlotControl* control, QObject* parent)
    : QObject(parent)
    , m_control(control)
{
    for (const tavelo::WaveformDefinition& definition : tavelo::classicWaveforms()) {
        auto* action = new QAction(waveformTitle(definition.waveform), spectrum);
        const tavelo::Waveform waveform = definition.waveform;
        connect(action, &QAction::triggered, this, [this, waveform] { emit waveformChosen(waveform); });
        m_waveformActions.append(action);
    }
    spectrum->addActions(m_waveformActions);
    m_randomPhasesAction = addAction(spectrum, QStringLiteral("Случайные фазы"), {});
    connect(m_randomPhasesAction, &QAction::triggered, this, &PictureMenus::randomPhasesRequested);
    addSeparator(spectrum);
    m_copyTermsAction = addAction(spectrum, QStringLiteral("Копировать слагаемые"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(m_copyTermsAction, &QAction::triggered, this, &PictureMenus::copyTermsRequested);
    m_pasteTermsAction = addAction(spectrum, QStringLiteral("Вставить слагаемые"), QKeySequence::Paste);
    connect(m_pasteTermsAction, &QAction::triggered, this, &PictureMenus::pasteTermsRequested);
    addSeparator(spectrum);
    m_termAloneAction = addAction(spectrum, QStringLiteral("Прослушать гармонику"), QKeySequence(Qt::Key_S));
    connect(m_termAloneAction, &QAction::triggered, this, &PictureMenus::termAloneRequested);
    m_sumWithoutTermAction = addAction(spectrum, QStringLiteral("Прослушать сумму без гармоники"),
                                       QKeySequence(Qt::SHIFT | Qt::Key_S));
    connect(m_sumWithoutTermAction, &QAction::triggered, this, &PictureMenus::sumWithoutTermRequested);
    addSeparator(spectrum);

    m_listenAction = addAction(plot, QStringLiteral("Прослушать"), QKeySequence(Qt::Key_Space));
    connect(m_listenAction, &QAction::triggered, this, &PictureMenus::listenRequested);
    // The space bar listens from the spectrum too, without an item of its own there.
    auto* listenKey = new QShortcut(QKeySequence(Qt::Key_Space), spectrum, nullptr, nullptr, Qt::WidgetShortcut);
    connect(listenKey, &QShortcut::activated, this, &PictureMenus::listenRequested);
    m_traceAction = addAction(plot, QStringLiteral("Озвучить график"), QKeySequence(Qt::Key_H));
    connect(m_traceAction, &QAction::triggered, this, &PictureMenus::traceRequested);
    m_pitchMenu = new QMenu(QStringLiteral("Частота основного тона"), plot);
    m_pitchGroup = new QActionGroup(m_pitchMenu);
    for (const int hertz : PlotSound::kPitches) {
        QAction* pitch = m_pitchMenu->addAction(QStringLiteral("%1 Гц").arg(hertz));
        pitch->setCheckable(true);
        pitch->setChecked(hertz == PlotSound::kStartPitch);
        m_pitchGroup->addAction(pitch);
        connect(pitch, &QAction::triggered, this, [this, hertz] { emit pitchChosen(hertz); });
    }
    plot->addAction(m_pitchMenu->menuAction());
    m_recordAction = addAction(plot, QStringLiteral("Записать звук"), {});
    connect(m_recordAction, &QAction::triggered, this, &PictureMenus::recordRequested);
    addSeparator(plot);

    m_drawShapeAction = addAction(plot, QStringLiteral("Нарисовать форму"), {});
    connect(m_drawShapeAction, &QAction::triggered, this, &PictureMenus::drawShapeRequested);
    m_pasteShapeAction = addAction(plot, QStringLiteral("Вставить форму"), {});
    connect(m_pasteShapeAction, &QAction::triggered, this, &PictureMenus::pasteShapeRequested);
    addOperationMenu(plot);
    addTaskMenu(plot);
    addSeparator(plot);

    m_termsAction = addCheckAction(plot, QStringLiteral("Показать слагаемые"));
    connect(m_termsAction, &QAction::toggled, this, &PictureMenus::termsToggled);
    m_limitAction = addCheckAction(plot, QStringLiteral("Показать предельную форму"));
    connect(m_limitAction, &QAction::toggled, this, &PictureMenus::limitToggled);
    m_keepSumAction = addAction(plot, QStringLiteral("Запомнить сумму"), {});
    connect(m_keepSumAction, &QAction::triggered, this, &PictureMenus::keepSumRequested);
    m_removeTargetAction = addAction(plot, QStringLiteral("Убрать цель"), {});
    connect(m_removeTargetAction, &QAction::triggered, this, &PictureMenus::removeTargetRequested);
    addSeparator(plot);
    addViewMenus(plot, spectrum);
    addCopyAction(spectrum);
    addCopyAction(plot);
    for (PictureBox* box : {plot, spectrum})
        new AreaMenu(box);
    setTaskOn(false);
    connect(m_control, &PlotControl::runningChanged, this, &PictureMenus::updatePlotItems);
}

void PictureMenus::addTaskMenu(PictureBox* plot)
{
    auto* tasks = new QMenu(QStringLiteral("Задание"), plot);
    for (int level = 1; level <= tavelo::kTaskLevels; ++level) {
        QAction* action = tasks->addAction(QStringLiteral("Уровень %1").arg(level));
        connect(action, &QAction::triggered, this, [this, level] { emit taskLevelChosen(level); });
        m_taskLevelActions.append(action);
    }
    tasks->addSeparator();
    m_taskCheckAction = tasks->addAction(QStringLiteral("Проверить"));
    // Anywhere in the window, from the main keyboard or the keypad.
    m_taskCheckAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_taskCheckAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_taskCheckAction, &QAction::triggered, this, &PictureMenus::taskCheckRequested);
    m_taskAnswerAction = tasks->addAction(QStringLiteral("Показать ответ"));
    connect(m_taskAnswerAction, &QAction::triggered, this, &PictureMenus::taskAnswerRequested);
    m_taskTargetAction = tasks->addAction(QStringLiteral("Прослушать цель"));
    connect(m_taskTargetAction, &QAction::triggered, this, &PictureMenus::taskTargetRequested);
    m_taskEndAction = tasks->addAction(QStringLiteral("Закончить задание"));
    connect(m_taskEndAction, &QAction::triggered, this, &PictureMenus::taskEndRequested);
    plot->addAction(tasks->menuAction());
}

void PictureMenus::addOperationMenu(PictureBox* plot)
{
    auto* operations = new QMenu(QStringLiteral("Преобразовать"), plot);
    for (const SumOperation operation : kSumOperations) {
        // Rectifying and clipping, inverting and reversing, the terms kept, conversion.
        if (operation == SumOperation::Invert || operation == SumOperation::KeepOdd
            || operation == SumOperation::Quantize)
            operations->addSeparator();
        QAction* action = operations->addAction(operationTitle(operation));
        connect(action, &QAction::triggered, this, [this, operation] { emit operationChosen(operation); });
        m_operationActions.append(action);
    }
    plot->addAction(operations->menuAction());
}

void PictureMenus::addViewMenus(PictureBox* plot, PictureBox* spectrum)
{
    m_formulaAction = new QAction(QStringLiteral("Показать формулу"), this);
    m_formulaAction->setCheckable(true);
    m_formulaAction->setShortcut(QKeySequence(Qt::Key_F));
    // The key works on either area, whose menus hold it; in a field it is a
    // letter typed.
    m_formulaAction->setShortcutContext(Qt::WidgetShortcut);
    connect(m_formulaAction, &QAction::toggled, this, &PictureMenus::formulaToggled);
    m_copyFormulaAction = new QAction(QStringLiteral("Копировать формулу"), this);
    connect(m_copyFormulaAction, &QAction::triggered, this, &PictureMenus::copyFormulaRequested);
    const auto windowAction = [this, plot](const QString& text, const QList<QKeySequence>& keys) {
        auto* action = new QAction(text, this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        plot->window()->addAction(action);
        return action;
    };
    m_largerAction = windowAction(QStringLiteral("Крупнее"), {QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                                             QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    connect(m_largerAction, &QAction::triggered, this, &PictureMenus::largerRequested);
    m_smallerAction = windowAction(QStringLiteral("Мельче"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(m_smallerAction, &QAction::triggered, this, &PictureMenus::smallerRequested);
    m_originalSizeAction = windowAction(QStringLiteral("Как в оригинале"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(m_originalSizeAction, &QAction::triggered, this, &PictureMenus::originalSizeRequested);
    m_fullScreenAction = windowAction(QStringLiteral("Во весь экран"), {QKeySequence(Qt::Key_F11)});
    m_fullScreenAction->setCheckable(true);
    connect(m_fullScreenAction, &QAction::triggered, this, &PictureMenus::fullScreenRequested);
    for (PictureBox* box : {plot, spectrum}) {
        auto* view = new QMenu(QStringLiteral("Вид"), box);
        view->addActions({m_largerAction, m_smallerAction, m_originalSizeAction, m_fullScreenAction});
        view->addSeparator();
        view->addAction(m_formulaAction);
        view->addAction(m_copyFormulaAction);
        box->addAction(view->menuAction());
    }
}

void PictureMenus::setHasTarget(bool hasTarget)
{
    m_hasTarget = hasTarget;
    updateTaskItems();
}

void PictureMenus::setTaskOn(bool on, bool answerKnown)
{
    m_taskOn = on;
    m_answerKnown = answerKnown;
    updateTaskItems();
}

void PictureMenus::updateTaskItems()
{
    // A task changes the fields and the plot's target, which wait for no
    // plot; its target can be heard at any time.
    for (QAction* action : std::as_const(m_taskLevelActions))
        action->setEnabled(!m_control->isRunning());
    for (QAction* action : {m_taskCheckAction, m_taskAnswerAction, m_taskEndAction})
        action->setEnabled(m_taskOn && !m_control->isRunning());
    m_taskAnswerAction->setEnabled(m_taskAnswerAction->isEnabled() && m_answerKnown);
    m_taskTargetAction->setEnabled(m_taskOn);
    for (QAction* action : std::as_const(m_operationActions))
        action->setEnabled(!m_taskOn && !m_control->isRunning());
    m_keepSumAction->setEnabled(!m_taskOn && !m_control->isRunning());
    m_removeTargetAction->setEnabled(m_hasTarget && !m_taskOn && !m_control->isRunning());
}

QList<QAction*> PictureMenus::pitchActions() const
{
    return m_pitchMenu->actions();
}

void PictureMenus::setPitch(double hertz)
{
    const QList<QAction*> pitches = m_pitchGroup->actions();
    for (qsizetype i = 0; i < std::ssize(PlotSound::kPitches); ++i) {
        if (hertz == PlotSound::kPitches[i]) {
            pitches[i]->setChecked(true);
            return;
        }
    }
    setRecordedPitch(hertz);
}

void PictureMenus::setRecordedPitch(double hertz)
{
    if (!m_recordedPitchAction) {
        m_recordedPitchAction = m_pitchMenu->addAction(QString());
        m_recordedPitchAction->setCheckable(true);
        m_pitchGroup->addAction(m_recordedPitchAction);
        connect(m_recordedPitchAction, &QAction::triggered, this, [this] { emit pitchChosen(m_recordedPitch); });
    }
    m_recordedPitch = hertz;
    m_recordedPitchAction->setText(recordedPitchText(hertz));
    m_recordedPitchAction->setChecked(true);
}

void PictureMenus::setRecording(bool recording)
{
    m_recording = recording;
    m_recordAction->setText(recording ? recordingText() : QStringLiteral("Записать звук"));
    updateRecordItem();
}

void PictureMenus::updateRecordItem()
{
    m_recordAction->setEnabled(!m_recording && !m_control->isRunning());
}

void PictureMenus::addSeparator(PictureBox* box)
{
    auto* separator = new QAction(box);
    separator->setSeparator(true);
    box->addAction(separator);
}

QAction* PictureMenus::addCheckAction(PictureBox* box, const QString& text)
{
    auto* action = new QAction(text, box);
    action->setCheckable(true);
    box->addAction(action);
    return action;
}

QAction* PictureMenus::addAction(PictureBox* box, const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, box);
    action->setShortcut(shortcut);
    // Only while its area has the focus: in a field these keys edit the text.
    action->setShortcutContext(Qt::WidgetShortcut);
    box->addAction(action);
    return action;
}

void PictureMenus::addCopyAction(PictureBox* box)
{
    QAction* copy = addAction(box, QStringLiteral("Копировать рисунок"), QKeySequence::Copy);
    connect(copy, &QAction::triggered, box, &PictureBox::copyToClipboard);
}

void PictureMenus::updatePlotItems()
{
    // A waveform, a pasted table or a shape plots, and one plot runs at a time.
    const bool running = m_control->isRunning();
    for (QAction* action : std::as_const(m_waveformActions))
        action->setEnabled(!running);
    for (QAction* action : {m_pasteTermsAction, m_randomPhasesAction, m_drawShapeAction, m_pasteShapeAction})
        action->setEnabled(!running);
    updateTaskItems();
    updateRecordItem();
}

void PictureMenus::setLimitShown(bool shown)
{
    const QSignalBlocker quiet(m_limitAction);
    m_limitAction->setChecked(shown);
}

void PictureMenus::setSoundPlaying(bool playing)
{
    m_listenAction->setText(playing ? QStringLiteral("Остановить звук") : QStringLiteral("Прослушать"));
}
