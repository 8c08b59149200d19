#include "ui/tasks/tasksession.h"

#include "core/limitshape.h"
#include "core/plotextent.h"
#include "ui/sound/plotsound.h"
#include "ui/tasks/tasktexts.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/textfield.h"
#include "ui/window/plotcontrol.h"
#include "ui/window/seriesfields.h"
#include "ui/window/termfieldcolumn.h"

#include <QDateTime>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <numbers>

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

} // namespace

TaskSession::TaskSession(SeriesFields* fields, PlotControl* plot, PlotSound* sound, QObject* parent)
    : QObject(parent)
    , m_fields(fields)
    , m_plot(plot)
    , m_sound(sound)
{
    // A check's result is said with the plot it starts, and not again.
    connect(m_plot, &PlotControl::finished, this, [this] {
        if (m_on && !m_result.isEmpty()) {
            m_result.clear();
            showTarget();
        }
    });
}

void TaskSession::start(int level)
{
    start(level, static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

void TaskSession::start(int level, std::uint64_t seed)
{
    if (m_plot->isRunning())
        return;
    m_round.start(level, seed);
    m_result.clear();
    begin();
}

void TaskSession::begin()
{
    const tavelo::Task& task = m_round.task();
    std::vector<double> samples(kTargetSamples);
    double largest = 0;
    for (int k = 0; k < kTargetSamples; ++k) {
        double v = 0;
        for (int n = 1; n <= task.terms; ++n) {
            v += task.A[std::size_t(n)]
                 * std::sin(std::numbers::pi * task.Fi[std::size_t(n)] + 2 * std::numbers::pi * n * k / kTargetSamples);
        }
        samples[std::size_t(k)] = v;
        largest = std::max(largest, std::abs(v));
    }
    m_target = std::make_shared<const tavelo::Shape>(tavelo::Shape{std::move(samples)});
    const std::vector<double> zeros(std::size_t(task.terms) + 1, 0.0);
    m_fields->write({.sinBasis = true,
                     .termCount = task.terms,
                     .A = zeros,
                     .Fi = zeros,
                     .H = 1.0,
                     .Amax = tavelo::coveringCoordinate(largest)});
    m_fields->amplitudes().scrollBar()->setValue(1);
    m_answerShown = false;
    setOn(true);
    showTarget();
    m_plot->request();
}

void TaskSession::showTarget()
{
    ShapeSource source{ShapeSource::Kind::Task, kTargetSamples, std::nullopt, {}};
    if (!m_result.isEmpty())
        source.notes << m_result;
    source.notes << taskText(m_round.task());
    emit targetSet(m_target, source);
}

void TaskSession::check()
{
    if (!m_on || m_plot->isRunning())
        return;
    const tavelo::Task& task = m_round.task();
    const int N = m_fields->termCount();
    const int last = std::max(task.terms, N);
    std::vector<double> A(std::size_t(last) + 1, 0.0);
    std::vector<double> Fi(std::size_t(last) + 1, 0.0);
    for (int n = 1; n <= last; ++n) {
        A[std::size_t(n)] = NumberFromField(m_fields->amplitudes().field(n));
        Fi[std::size_t(n)] = NumberFromField(m_fields->phases().field(n));
    }
    const tavelo::TaskCheck result = tavelo::checkTask(task, A, Fi, N);
    if (result.solved) {
        m_round.next(!m_answerShown);
        m_result = taskSolvedText(m_round.solved());
        begin();
        return;
    }
    m_result = taskMissedText(result, task.terms);
    showTarget();
    m_plot->request();
}

void TaskSession::showAnswer()
{
    if (!m_on || m_plot->isRunning())
        return;
    const tavelo::Task& task = m_round.task();
    m_fields->write({.sinBasis = true, .termCount = task.terms, .A = task.A, .Fi = task.Fi});
    m_answerShown = true;
    m_plot->request();
}

void TaskSession::playTarget()
{
    if (m_on)
        m_sound->playTerms(hiddenTerms(m_round.task()));
}

void TaskSession::end()
{
    if (!m_on || m_plot->isRunning())
        return;
    setOn(false);
    m_target.reset();
    m_result.clear();
    emit targetRemoved();
    m_plot->request();
}

void TaskSession::leave()
{
    if (!m_on)
        return;
    setOn(false);
    m_target.reset();
    m_result.clear();
}

void TaskSession::setOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    emit onChanged(on);
}

std::optional<double> TaskSession::targetAt(double x, double W, double P) const
{
    if (!m_on || !m_target)
        return std::nullopt;
    tavelo::HarmonicParams periods;
    periods.P = P;
    return tavelo::shapeAt(m_target->samples, tavelo::fundamentalTimeAngle(periods, x, W));
}
