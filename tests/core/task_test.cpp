// Tasks: every level makes only tasks of its rules, and a check takes the
// hidden series and nothing far from it.

#include "core/task.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

struct LevelRule {
    int terms;
    int fewestNonZero;
    int mostNonZero;
    bool phases;
};

TEST(Task, EveryLevelMakesOnlyTasksOfItsRules)
{
    const LevelRule rules[] = {{2, 1, 1, false}, {3, 2, 2, false}, {5, 3, 3, false},
                               {6, 4, 4, false}, {11, 5, 5, false}, {4, 2, 3, true}};
    for (int level = 1; level <= tavelo::kTaskLevels; ++level) {
        SCOPED_TRACE(level);
        const LevelRule& rule = rules[level - 1];
        std::set<std::vector<double>> different;
        std::set<int> nonZeroCounts;
        for (std::uint64_t seed = 0; seed < 10000; ++seed) {
            const tavelo::Task task = tavelo::makeTask(level, seed);
            ASSERT_EQ(task.terms, rule.terms);
            ASSERT_EQ(task.A.size(), std::size_t(rule.terms) + 1);
            int nonZero = 0;
            for (int n = 1; n <= task.terms; ++n) {
                const double a = task.A[n];
                const double fi = task.Fi[n];
                ASSERT_TRUE(a == 0 || (a >= 0.1 - 1e-12 && a <= 1 + 1e-12)) << a;
                ASSERT_NEAR(a * 10, std::round(a * 10), 1e-9) << a;
                ASSERT_TRUE(fi >= 0 && fi < 2) << fi;
                ASSERT_NEAR(fi * 4, std::round(fi * 4), 1e-12) << fi;
                if (!rule.phases) {
                    ASSERT_EQ(fi, 0);
                }
                nonZero += a != 0;
            }
            ASSERT_GE(nonZero, rule.fewestNonZero);
            ASSERT_LE(nonZero, rule.mostNonZero);
            nonZeroCounts.insert(nonZero);
            different.insert(task.A);

            // Its answer is right, the zero series is not.
            const tavelo::TaskCheck own = tavelo::checkTask(task, task.A, task.Fi, task.terms);
            ASSERT_TRUE(own.solved);
            ASSERT_EQ(own.rightTerms, task.terms);
            ASSERT_EQ(own.deviation, 0);
            const std::vector<double> zeros(task.A.size(), 0.0);
            ASSERT_FALSE(tavelo::checkTask(task, zeros, zeros, task.terms).solved);
        }
        EXPECT_EQ(nonZeroCounts.size(), std::size_t(rule.mostNonZero - rule.fewestNonZero + 1));
        EXPECT_GT(different.size(), 10u);
        EXPECT_EQ(tavelo::makeTask(level, 42).A, tavelo::makeTask(level, 42).A); // a seed is a task
    }
}

TEST(Task, ACheckAllowsAHalfStepAndCountsTheRightTerms)
{
    tavelo::Task task;
    task.level = 6;
    task.terms = 4;
    task.A = {0, 0.5, 0, 0.3, 0};
    task.Fi = {0, 1.75, 0, 0.25, 0};
    struct Case {
        std::vector<double> A;
        std::vector<double> Fi;
        int N;
        bool solved;
        int right;
    };
    const Case cases[] = {
        {{0, 0.54, 0.04, 0.27, 0}, {0, 1.79, 1, 0.21, 0}, 4, true, 4},
        {{0, 0.5, 0, 0.3, 0}, {0, -0.25, 0, 2.25, 0}, 4, true, 4},  // phases round the circle
        {{0, 0.5, 0, 0.3, 0}, {0, 1.75, 0, 0.35, 0}, 4, false, 3},  // a phase 0.1 off
        {{0, 0.56, 0, 0.3}, {0, 1.75, 0, 0.25}, 4, false, 3},       // an amplitude 0.06 off
        {{0, 0.5, 0, 0.3, 0, 0.2}, {0, 1.75, 0, 0.25, 0, 0}, 5, false, 4}, // a term beyond those in play
        {{0, 0.5, 0, 0.3, 0, 0.2}, {0, 1.75, 0, 0.25, 0, 0}, 4, true, 4},  // not within N
        {{0, 0.5, 0, 0.3}, {0, 1.75, 0, 0.25}, 1, false, 3},        // N leaves term 3 out
    };
    for (const Case& c : cases) {
        const tavelo::TaskCheck check = tavelo::checkTask(task, c.A, c.Fi, c.N);
        EXPECT_EQ(check.solved, c.solved) << c.A[1] << " " << c.Fi[3];
        EXPECT_EQ(check.rightTerms, c.right) << c.A[1] << " " << c.Fi[3];
    }
    // The deviation of the zero series is the target's own root mean square.
    const std::vector<double> zeros(5, 0.0);
    EXPECT_NEAR(tavelo::checkTask(task, zeros, zeros, 4).deviation, std::sqrt((0.25 + 0.09) / 2), 1e-15);
}

TEST(Task, ACheckSeesTheSumInTheBasisChosen)
{
    // The hidden series is in sines; its own terms in cosines draw another shape.
    for (int level = 1; level <= tavelo::kTaskLevels; ++level) {
        const tavelo::Task task = tavelo::makeTask(level, 7);
        SCOPED_TRACE(level);
        EXPECT_TRUE(tavelo::checkTask(task, task.A, task.Fi, task.terms, true).solved);
        EXPECT_FALSE(tavelo::checkTask(task, task.A, task.Fi, task.terms, false).solved);
        // Half pi behind in cosines is the same sum: solved, with no deviation.
        std::vector<double> behind = task.Fi;
        for (double& fi : behind)
            fi -= 0.5;
        const tavelo::TaskCheck cosines = tavelo::checkTask(task, task.A, behind, task.terms, false);
        EXPECT_TRUE(cosines.solved);
        EXPECT_NEAR(cosines.deviation, 0, 1e-15);
        // A level that asks only for amplitudes still needs the phases the sum is drawn with.
        std::vector<double> shifted = task.Fi;
        for (double& fi : shifted)
            fi += 1;
        EXPECT_FALSE(tavelo::checkTask(task, task.A, shifted, task.terms, true).solved);
    }
}

TEST(Task, ARoundCountsWhatIsSolvedAndMovesOn)
{
    tavelo::TaskRound round;
    round.start(3, 7);
    const std::vector<double> first = round.task().A;
    EXPECT_EQ(round.task().level, 3);
    round.next(true);
    round.next(false);
    round.next(true);
    EXPECT_EQ(round.solved(), 2);
    EXPECT_EQ(round.task().level, 3);
    round.start(3, 7);
    EXPECT_EQ(round.solved(), 0);
    EXPECT_EQ(round.task().A, first);
}

} // namespace

TEST(Task, ATeachersTaskMatchesWithinATwentiethOfTheRange)
{
    // A sine of amplitude 1 ranges over 2: a sum within 0.1 m root mean
    // square matches it, whatever its own number of samples.
    const auto sine = [](std::size_t count, double amplitude) {
        std::vector<double> samples(count);
        for (std::size_t k = 0; k < count; ++k)
            samples[k] = amplitude * std::sin(2 * 3.141592653589793 * double(k) / double(count));
        return samples;
    };
    const std::vector<double> target = sine(4096, 1);
    struct Case {
        std::size_t sumSamples;
        double amplitude;
        bool solved;
    };
    for (const Case c : {Case{4096, 1, true}, Case{1000, 1.1, true}, Case{8192, 0.9, true}, Case{4096, 1.2, false},
                         Case{657, 0, false}}) {
        SCOPED_TRACE(c.amplitude);
        const tavelo::ShapeMatch match = tavelo::matchShape(sine(c.sumSamples, c.amplitude), target);
        EXPECT_DOUBLE_EQ(match.allowed, 0.1);
        EXPECT_NEAR(match.deviation, std::abs(c.amplitude - 1) / std::sqrt(2.0), 2e-4);
        EXPECT_EQ(match.solved, c.solved);
    }
}
