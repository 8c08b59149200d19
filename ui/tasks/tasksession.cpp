#include "ui/tasks/tasksession.h"

#include "core/limitshape.h"
#include "core/plotextent.h"
#include "core/shapeanalysis.h"
#include "core/sumoperations.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/sound/plotsound.h"
#include "ui/tasks/tasktexts.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

// Samples of the target over a period: its dashed line is drawn through them.
constexpr int kTargetSamples = 4096;

tavelo::HarmonicParams hiddenTerms(const tavelo::Task& task)
{
    tavelo::HarmonicParams terms;
    terms.N = task.terms;
    terms.A = task.A;
    terms.Fi = task.Fi;
    terms.sinBasis = true;
    return terms;
}

bool sameTask(const tavelo::Task& a, const tavelo::Task& b)
{
    return a.level == b.level && a.A == b.A && a.Fi == b.Fi;
}

} // namespace

TaskSession::TaskSession(SeriesModel* model, PlotControl* plot, PlotSound* sound, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
    , m_sound(sound)
{
    // A check's result is said with the plot it starts, and not again.
    connect(m_plot, &PlotControl::finished, this, [this] {
        if (isOn() && !m_model->task()->result.isEmpty()) {
            TaskState state = *m_model->task();
            state.result.clear();
            m_model->setTask(state);
            showTarget();
        }
    });
}

bool TaskSession::isOn() const
{
    return m_model->task().has_value();
}

const tavelo::TaskRound& TaskSession::round() const
{
    static const tavelo::TaskRound none;
    return isOn() ? m_model->task()->round : none;
}

void TaskSession::start(int level)
{
    start(level, static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

void TaskSession::start(int level, std::uint64_t seed)
{
    if (m_plot->isRunning())
        return;
    TaskState state;
    state.round.start(level, seed);
    begin(state, QStringLiteral("начало задания"));
}

void TaskSession::begin(TaskState state, const QString& stepName)
{
    const tavelo::Task& task = state.round.task();
    auto target = std::make_shared<const tavelo::Shape>(tavelo::Shape{tavelo::taskTargetSamples(task, kTargetSamples)});
    double largest = 0;
    for (const double v : target->samples)
        largest = std::max(largest, std::abs(v));
    const std::vector<double> zeros(std::size_t(task.terms) + 1, 0.0);
    state.answerShown = false;
    m_model->change({stepName, true}, [&] {
        m_model->write({.sinBasis = true,
                        .termCount = task.terms,
                        .A = zeros,
                        .Fi = zeros,
                        .H = 1.0,
                        .Amax = tavelo::coveringCoordinate(largest)});
        m_model->showAmplitude(1);
        m_model->setTask(state);
        m_model->setTarget({target, {}});
        showTarget();
        m_model->setLimitShown(true);
    });
    m_plot->request();
}

void TaskSession::showTarget()
{
    const TaskState& state = *m_model->task();
    ShapeSource source{ShapeSource::Kind::Task, kTargetSamples, std::nullopt, {}};
    if (!state.result.isEmpty())
        source.notes << state.result;
    source.notes << (state.isTeachers() ? teacherTaskText(*state.teacherWords) : taskText(state.round.task()));
    m_model->setTarget({m_model->target().shape, source});
}

void TaskSession::check()
{
    if (!isOn() || m_plot->isRunning())
        return;
    TaskState state = *m_model->task();
    if (state.isTeachers()) {
        checkTeachers(state);
        return;
    }
    const tavelo::Task& task = state.round.task();
    const int N = m_model->termCount();
    const int last = std::max(task.terms, N);
    std::vector<double> A(std::size_t(last) + 1, 0.0);
    std::vector<double> Fi(std::size_t(last) + 1, 0.0);
    for (int n = 1; n <= last; ++n) {
        A[std::size_t(n)] = m_model->amplitude(n);
        Fi[std::size_t(n)] = m_model->phase(n);
    }
    const tavelo::TaskCheck result = tavelo::checkTask(task, A, Fi, N, m_model->sinBasis());
    if (result.solved) {
        const bool answered = state.answerShown || (m_answered && sameTask(*m_answered, task));
        state.round.next(!answered);
        state.result = taskSolvedText(state.round.solved());
        begin(state, QStringLiteral("следующее задание"));
        return;
    }
    state.result = taskMissedText(result, task.terms);
    m_model->setTask(state);
    showTarget();
    m_plot->request();
}

void TaskSession::checkTeachers(TaskState state)
{
    // The sum over a period, at as many steps as the target has or more.
    const std::vector<double>& target = m_model->target().shape->samples;
    const int steps = std::max(int(target.size()), kTargetSamples);
    const tavelo::ShapeMatch match = tavelo::matchShape(tavelo::tabledPeriodSamples(m_model->read(), steps), target);
    state.result = match.solved ? teacherTaskSolvedText(match) : teacherTaskMissedText(match);
    m_model->setTask(state);
    showTarget();
    m_plot->request();
}

void TaskSession::showAnswer()
{
    if (!isOn() || m_model->task()->isTeachers() || m_plot->isRunning())
        return;
    TaskState state = *m_model->task();
    const tavelo::Task& task = state.round.task();
    m_answered = task;
    m_model->change({QStringLiteral("ответ задания"), true}, [&] {
        m_model->write({.sinBasis = true, .termCount = task.terms, .A = task.A, .Fi = task.Fi});
        state.answerShown = true;
        m_model->setTask(state);
    });
    m_plot->request();
}

void TaskSession::playTarget()
{
    if (!isOn())
        return;
    if (!m_model->task()->isTeachers()) {
        m_sound->playTerms(hiddenTerms(m_model->task()->round.task()));
        return;
    }
    // A teacher's target is heard as its own terms.
    const tavelo::ShapeTerms terms = tavelo::analyseShape(m_model->target().shape->samples, true);
    tavelo::HarmonicParams heard;
    heard.A = terms.A;
    heard.Fi = terms.Fi;
    heard.N = double(terms.A.size()) - 1;
    heard.sinBasis = true;
    m_sound->playTerms(heard);
}

void TaskSession::end()
{
    if (!isOn() || m_plot->isRunning())
        return;
    m_model->change({QStringLiteral("конец задания"), true}, [&] {
        m_model->setTask(std::nullopt);
        m_model->setTarget({});
        m_model->setLimitShown(false);
    });
    m_plot->request();
}

std::optional<double> TaskSession::targetAt(double x, double W, double P) const
{
    const SeriesTarget& target = m_model->target();
    if (!isOn() || !target.shape)
        return std::nullopt;
    tavelo::HarmonicParams periods;
    periods.P = P;
    return tavelo::shapeAt(target.shape->samples, tavelo::fundamentalTimeAngle(periods, x, W));
}
