#include "core/task.h"

#include "core/series.h"
#include "core/shape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

namespace tavelo {

namespace {

// The terms in play and how many of them are not 0, by level.
constexpr std::array<int, kTaskLevels> kTermsInPlay{2, 3, 5, 6, 11, 4};
constexpr std::array<int, kTaskLevels> kNonZeroTerms{1, 2, 3, 4, 5, 2};

// A whole number from 0 to n - 1 from the generator's bits, the same on
// every platform (the library's distributions are not).
int below(std::mt19937_64& random, int n)
{
    return static_cast<int>(random() % static_cast<std::uint64_t>(n));
}

double phaseDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2.0);
    return std::min(d, 2 - d);
}

} // namespace

Task makeTask(int level, std::uint64_t seed)
{
    Task task;
    task.level = std::clamp(level, 1, kTaskLevels);
    const auto index = static_cast<std::size_t>(task.level - 1);
    task.terms = kTermsInPlay[index];
    task.A.assign(static_cast<std::size_t>(task.terms) + 1, 0.0);
    task.Fi.assign(static_cast<std::size_t>(task.terms) + 1, 0.0);
    std::mt19937_64 random(seed);
    int nonZero = kNonZeroTerms[index];
    if (task.asksForPhases())
        nonZero += below(random, 2); // 2 or 3
    // Which terms: the first `nonZero` of a shuffle of 1..terms.
    std::vector<int> order(static_cast<std::size_t>(task.terms));
    for (int n = 1; n <= task.terms; ++n)
        order[static_cast<std::size_t>(n - 1)] = n;
    for (int i = task.terms - 1; i > 0; --i)
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(below(random, i + 1))]);
    for (int i = 0; i < nonZero; ++i) {
        const auto n = static_cast<std::size_t>(order[static_cast<std::size_t>(i)]);
        task.A[n] = (1 + below(random, 10)) / 10.0;
        if (task.asksForPhases())
            task.Fi[n] = below(random, 8) / 4.0;
    }
    return task;
}

TaskCheck checkTask(const Task& task, std::span<const double> A, std::span<const double> Fi, int N, bool sinBasis)
{
    const auto at = [](std::span<const double> values, int n) {
        const auto i = static_cast<std::size_t>(n);
        return i < values.size() && std::isfinite(values[i]) ? values[i] : 0.0;
    };
    TaskCheck check;
    bool beyondAreZero = true;
    double power = 0;
    const int last = std::max(task.terms, N);
    for (int n = 1; n <= last; ++n) {
        const double hiddenA = n <= task.terms ? task.A[static_cast<std::size_t>(n)] : 0.0;
        const double hiddenFi = n <= task.terms ? task.Fi[static_cast<std::size_t>(n)] : 0.0;
        const double a = n <= N ? at(A, n) : 0.0;
        // cos(x) is sin(x + pi/2).
        const double fi = (n <= N ? at(Fi, n) : 0.0) + (sinBasis ? 0.0 : 0.5);
        bool right = std::abs(a - hiddenA) <= kTaskTolerance;
        if (right && hiddenA != 0)
            right = phaseDistance(fi, hiddenFi) <= kTaskTolerance;
        if (n <= task.terms)
            check.rightTerms += right ? 1 : 0;
        else
            beyondAreZero = beyondAreZero && right;
        // Each term's difference carries half its squared amplitude of the
        // power over a period (the terms are orthogonal).
        const double dx = a * std::cos(std::numbers::pi * fi) - hiddenA * std::cos(std::numbers::pi * hiddenFi);
        const double dy = a * std::sin(std::numbers::pi * fi) - hiddenA * std::sin(std::numbers::pi * hiddenFi);
        power += (dx * dx + dy * dy) / 2;
    }
    check.solved = check.rightTerms == task.terms && beyondAreZero;
    check.deviation = std::sqrt(power);
    return check;
}

std::vector<double> taskTargetSamples(const Task& task, int count)
{
    HarmonicParams hidden;
    hidden.N = task.terms;
    hidden.A = task.A;
    hidden.Fi = task.Fi;
    hidden.sinBasis = true;
    return periodSamples(hidden, count);
}

void TaskRound::start(int level, std::uint64_t seed)
{
    m_seed = seed;
    m_solved = 0;
    m_task = makeTask(level, m_seed);
}

void TaskRound::next(bool solved)
{
    m_solved += solved ? 1 : 0;
    m_task = makeTask(m_task.level, ++m_seed);
}

ShapeMatch matchShape(std::span<const double> sum, std::span<const double> target)
{
    ShapeMatch match;
    if (sum.empty() || target.empty())
        return match;
    const auto [lowest, highest] = std::minmax_element(target.begin(), target.end());
    match.allowed = kTeacherTaskTolerance * (*highest - *lowest);
    double squares = 0;
    for (std::size_t k = 0; k < target.size(); ++k) {
        const double theta = 2 * std::numbers::pi * double(k) / double(target.size());
        const double difference = shapeAt(sum, theta) - target[k];
        squares += difference * difference;
    }
    match.deviation = std::sqrt(squares / double(target.size()));
    match.solved = match.deviation <= match.allowed;
    return match;
}

} // namespace tavelo
