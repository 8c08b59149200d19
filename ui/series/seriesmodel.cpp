#include "ui/series/seriesmodel.h"

#include "ui/series/steptexts.h"
#include "ui/series/termfieldcolumn.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/textfield.h"

#include <QApplication>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// Typing in a field no other field holds the focus for (a program's write).
const QString kFieldsKey = QStringLiteral("fields");

} // namespace

SeriesModel::SeriesModel(SeriesFields* fields, QWidget* window, QObject* parent)
    : QObject(parent)
    , m_fields(fields)
    , m_window(window)
    , m_history(kMaxSteps, kMaxBytes,
                [](const History::Step& step) { return stateBytes(step.before, step.after); })
{
    const SeriesFields::Controls& controls = m_fields->controls();
    for (TextField* field : {controls.Counti, controls.Hei, controls.Amax, controls.Tmax})
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldEdited(field); });
    for (TermFieldColumn* column : {controls.amplitudes, controls.phases}) {
        connect(column, &TermFieldColumn::textChanged, this,
                [this, column](int index) { fieldEdited(column->field(index)); });
    }
    connect(controls.sinOption, &QRadioButton::toggled, this, [this](bool sin) { fieldsBasisEdited(sin); });
    // Typing in a field is one step until the field loses the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old && old == m_typingField) {
            m_history.close();
            allowFieldUndo(nullptr);
        }
    });
}

double SeriesModel::amplitude(int n) const
{
    return m_fields->amplitude(n);
}

double SeriesModel::phase(int n) const
{
    return m_fields->phase(n);
}

int SeriesModel::amplitudeOnShow() const
{
    return m_fields->amplitudes().scrollBar()->value();
}

SeriesState SeriesModel::capture() const
{
    const SeriesFields::Controls& controls = m_fields->controls();
    SeriesState state;
    state.texts.N = controls.Counti->text();
    state.texts.H = controls.Hei->text();
    state.texts.Amax = controls.Amax->text();
    state.texts.periods = controls.Tmax->text();
    for (int i = 1; i <= tavelo::kMaxTerms; ++i) {
        state.texts.A[std::size_t(i)] = controls.amplitudes->field(i)->text();
        state.texts.Fi[std::size_t(i)] = controls.phases->field(i)->text();
    }
    state.texts.sinBasis = controls.sinOption->isChecked();
    state.target = m_target;
    state.limitShown = m_limitShown;
    state.lastWaveform = m_lastWaveform;
    state.task = m_task;
    state.plotShown = m_plotShown;
    state.amplitudeOnShow = controls.amplitudes->scrollBar()->value();
    state.phaseOnShow = controls.phases->scrollBar()->value();
    return state;
}

void SeriesModel::restore(const SeriesState& state)
{
    const SeriesFields::Controls& controls = m_fields->controls();
    ++m_changing;
    {
        const SeriesFields::Batch batch(*m_fields);
        (state.texts.sinBasis ? controls.sinOption : controls.cosOption)->setChecked(true);
        controls.Counti->setText(state.texts.N);
        for (int i = 1; i <= tavelo::kMaxTerms; ++i) {
            controls.phases->field(i)->setText(state.texts.Fi[std::size_t(i)]);
            controls.amplitudes->field(i)->setText(state.texts.A[std::size_t(i)]);
        }
        // Last, over whatever the amplitudes' rule raised them to.
        controls.Hei->setText(state.texts.H);
        controls.Amax->setText(state.texts.Amax);
        controls.Tmax->setText(state.texts.periods);
    }
    controls.amplitudes->scrollBar()->setValue(state.amplitudeOnShow);
    controls.phases->scrollBar()->setValue(state.phaseOnShow);
    --m_changing;
    const bool limitChanged = m_limitShown != state.limitShown;
    m_target = state.target;
    m_limitShown = state.limitShown;
    m_lastWaveform = state.lastWaveform;
    m_task = state.task;
    m_plotShown = state.plotShown;
    emit targetChanged();
    if (limitChanged)
        emit limitShownChanged(m_limitShown);
    emit taskChanged();
}

void SeriesModel::startHistory()
{
    m_current = capture();
    m_started = true;
}

void SeriesModel::change(const Step& step, const std::function<void()>& edit)
{
    if (m_changing > 0 || !m_started) {
        // Part of a change already under way, or of start-up.
        edit();
        return;
    }
    SeriesState before = capture();
    ++m_changing;
    {
        const SeriesFields::Batch batch(*m_fields);
        edit();
    }
    --m_changing;
    SeriesState after = capture();
    m_current = after;
    if (sameSeries(before, after))
        return;
    allowFieldUndo(nullptr);
    push({step.name.toStdString(), std::move(before), std::move(after), step.plots, step.mergeKey.toStdString()});
}

void SeriesModel::push(History::Step step)
{
    m_history.push(std::move(step));
    emit historyChanged();
}

void SeriesModel::fieldEdited(QWidget* field)
{
    if (!m_started || m_changing > 0)
        return;
    // A rule's write into another field belongs to the typing that ran it.
    QWidget* typed = m_window->focusWidget();
    QString name = typingStepName(m_fields->controls(), typed);
    QString key = typed ? typed->objectName() : QString();
    if (name.isEmpty()) {
        typed = field;
        name = QStringLiteral("изменение полей");
        key = kFieldsKey;
    }
    SeriesState after = capture();
    const std::string mergeKey = key.toStdString();
    if (!m_history.isOpen(mergeKey) && sameSeries(m_current, after))
        return;
    History::Step step{name.toStdString(), m_current, after, false, mergeKey};
    m_current = std::move(after);
    push(std::move(step));
    allowFieldUndo(typed);
}

void SeriesModel::fieldsBasisEdited(bool sinBasis)
{
    if (!m_started || m_changing > 0)
        return;
    SeriesState after = capture();
    if (sameSeries(m_current, after))
        return;
    const QString name = basisStepName(sinBasis);
    History::Step step{name.toStdString(), m_current, after, false, {}};
    m_current = std::move(after);
    allowFieldUndo(nullptr);
    push(std::move(step));
}

void SeriesModel::allowFieldUndo(QWidget* field)
{
    if (auto* previous = qobject_cast<TextField*>(m_typingField.data()))
        previous->setOwnUndo(false);
    m_typingField = field;
    if (auto* typing = qobject_cast<TextField*>(field))
        typing->setOwnUndo(true);
}

void SeriesModel::closeStep()
{
    if (!m_typingField)
        return;
    m_history.close();
    allowFieldUndo(nullptr);
}

QString SeriesModel::undoName() const
{
    const History::Step* step = m_history.nextUndo();
    return step ? QString::fromStdString(step->name) : QString();
}

QString SeriesModel::redoName() const
{
    const History::Step* step = m_history.nextRedo();
    return step ? QString::fromStdString(step->name) : QString();
}

std::optional<SeriesModel::Step> SeriesModel::undo()
{
    allowFieldUndo(nullptr);
    return putBack(m_history.undo(), true);
}

std::optional<SeriesModel::Step> SeriesModel::redo()
{
    allowFieldUndo(nullptr);
    return putBack(m_history.redo(), false);
}

std::optional<SeriesModel::Step> SeriesModel::putBack(const History::Step* step, bool before)
{
    if (!step)
        return std::nullopt;
    const SeriesState& state = before ? step->before : step->after;
    restore(state);
    m_current = capture();
    emit historyChanged();
    // A step that drew the plot shows it again when redone.
    const bool plotShown = state.plotShown || (!before && step->plots);
    return Step{QString::fromStdString(step->name), step->plots, {}, plotShown};
}

void SeriesModel::write(const SeriesWrite& series)
{
    m_fields->write(series);
}

void SeriesModel::writeAmplitude(int n, double A)
{
    m_fields->writeAmplitude(n, A);
}

void SeriesModel::showAmplitude(int n)
{
    m_fields->amplitudes().scrollBar()->setValue(n);
}

void SeriesModel::setTarget(SeriesTarget target)
{
    m_target = std::move(target);
    if (m_changing == 0)
        m_current.target = m_target;
    emit targetChanged();
}

void SeriesModel::setLimitShown(bool shown)
{
    if (m_limitShown == shown)
        return;
    m_limitShown = shown;
    if (m_changing == 0)
        m_current.limitShown = shown;
    emit limitShownChanged(shown);
}

void SeriesModel::setLastWaveform(std::optional<tavelo::Waveform> waveform)
{
    m_lastWaveform = waveform;
    if (m_changing == 0)
        m_current.lastWaveform = waveform;
}

void SeriesModel::setTask(std::optional<TaskState> task)
{
    m_task = std::move(task);
    if (m_changing == 0)
        m_current.task = m_task;
    emit taskChanged();
}

void SeriesModel::setPlotShown(bool shown)
{
    m_plotShown = shown;
    if (m_changing == 0)
        m_current.plotShown = shown;
}

void SeriesModel::setPeriodsDraft(const QString& text)
{
    ++m_changing;
    m_fields->setPeriodsText(text);
    --m_changing;
}
