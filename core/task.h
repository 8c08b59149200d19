#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tavelo {

// A task for the student: the series of a target shape to find. Levels 1-5
// hide 1 to 5 non-zero terms among the first 2, 3, 5, 6 and 11, with phases
// 0; level 6 hides 2 or 3 among the first 4 with phases too. Amplitudes are
// multiples of 0.1 from 0.1 to 1, phases multiples of 0.25 (in units of pi).
// The hidden series is in the sine basis.
inline constexpr int kTaskLevels = 6;

struct Task {
    int level = 1;
    int terms = 0;          // the terms in play, 1..terms
    std::vector<double> A;  // index 1..terms, index 0 unused
    std::vector<double> Fi; // in units of pi

    bool asksForPhases() const { return level == kTaskLevels; }
};

// The same seed makes the same task.
Task makeTask(int level, std::uint64_t seed);

// What a check of the student's terms found. A term is right when its
// amplitude is within 0.05 of the hidden one and, where the task asks for
// phases and the term is not 0, its phase within 0.05 round the circle; the
// task is solved when every term is right, those beyond the terms in play
// (up to the student's N) being 0.
struct TaskCheck {
    bool solved = false;
    int rightTerms = 0; // among the terms in play
    // The root mean square of the student's sum less the target over a
    // period, in metres.
    double deviation = 0;
};

inline constexpr double kTaskTolerance = 0.05;

// A and Fi are the student's terms as the fields hold them, indexed from 1,
// for N terms (entries beyond the vectors count as 0), in the basis the
// student chose: a cosine term is the sine term half pi ahead, so its phase
// is checked, and its difference counted, as that. A term of the hidden
// series is right only at its phase, whether or not the level asks for phases.
TaskCheck checkTask(const Task& task, std::span<const double> A, std::span<const double> Fi, int N,
                    bool sinBasis = true);

// The target the student matches: the hidden series over one period, at
// `count` equal steps from its start.
std::vector<double> taskTargetSamples(const Task& task, int count);

// A teacher's task: a target shape, and no series behind it. The student's
// sum matches it when the root mean square of their difference over a period
// is at most kTeacherTaskTolerance of the target's range (its largest value
// less its smallest).
inline constexpr double kTeacherTaskTolerance = 0.05;

struct ShapeMatch {
    bool solved = false;
    double deviation = 0; // metres, root mean square
    double allowed = 0;   // metres: the largest deviation that matches
};

// `sum` and `target` are one period each, at equal steps from its start;
// the sum is taken at the target's steps, by straight lines between its own.
ShapeMatch matchShape(std::span<const double> sum, std::span<const double> target);

// The solved tasks and the one on.
class TaskRound {
public:
    // A new round at `level`: nothing solved yet.
    void start(int level, std::uint64_t seed);
    // The next task of the same level, after one solved.
    void next(bool solved);

    const Task& task() const { return m_task; }
    int solved() const { return m_solved; }

private:
    Task m_task;
    std::uint64_t m_seed = 0;
    int m_solved = 0;
};

} // namespace tavelo
