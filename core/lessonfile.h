#pragma once

#include "core/termcount.h"
#include "core/waveforms.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavelo {

// A lesson as its file keeps it: every field of the series as typed, the
// choices of what the plot shows, the pitch, and the shape the sum is
// compared with. Texts are UTF-8.
struct Lesson {
    bool sinBasis = true;
    std::string N = "1";
    std::string H = "1";
    std::string Amax = "1";    // the largest visible coordinate
    std::string periods = "2"; // the number of periods on screen
    std::array<std::string, kMaxTerms + 1> A; // index 0 unused
    std::array<std::string, kMaxTerms + 1> Fi;
    // The amplitude and phase fields on show.
    int amplitudeOnShow = 1;
    int phaseOnShow = 1;
    double pitch = 220;
    bool termsShown = false;
    bool limitShown = false;
    // The classic waveform the terms were last set to, whose limit shape
    // the plot can show.
    std::optional<Waveform> waveform;

    struct Target {
        // drawn, pasted, recorded, task, operation or kept
        std::string source = "drawn";
        std::vector<double> samples; // one period, its mean taken out
        int sourceSamples = 0;       // the samples the source had
        std::optional<double> droppedMean;
        std::vector<std::string> notes; // what the plot's corner says of it

        bool operator==(const Target&) const = default;
    };
    std::optional<Target> target;

    // A teacher's task: the target to reach and the teacher's words (which
    // may be empty), with no terms kept.
    struct Task {
        std::string words;

        bool operator==(const Task&) const = default;
    };
    std::optional<Task> task;

    bool operator==(const Lesson&) const = default;
};

inline constexpr std::string_view kLessonFormat = "tavelo-lesson";
inline constexpr int kLessonVersion = 1;
// The largest file read, and the longest text a field may hold in it.
inline constexpr std::size_t kLessonMaxBytes = 20 * 1024 * 1024;
inline constexpr std::size_t kLessonMaxTextLength = 1000;
inline constexpr double kLessonLowestPitch = 20;
inline constexpr double kLessonHighestPitch = 20000;

// Why a lesson file is refused, and where: the JSON member at fault
// ("terms[3].amplitude"), or the byte offset of a fault in the JSON itself.
struct LessonFault {
    enum class Kind {
        TooLarge,   // over kLessonMaxBytes
        NotUtf8,
        NotJson,    // malformed, or nested too deep
        NotLesson,  // another format's name, or none
        NewerVersion,
        Missing,    // a member the lesson needs
        WrongType,
        NotFinite,
        OutOfRange, // N outside 1..250, a text too long, a pitch not heard ...
        TooManyTerms,
    } kind = Kind::NotJson;
    std::string where;
    std::size_t offset = 0;
    int version = 0; // of a newer file
};

// The lesson as the text of its file: JSON with the format's name and
// version, the fields' texts with the numbers they read as, the amplitude and
// phase fields only where their text is not the start text "0". A teacher's
// task is a lesson of the kind "task", with its words and a target.
std::string writeLesson(const Lesson& lesson);

// A lesson file's text read back. The fields' texts are what is read (their
// numbers are there for people and other programs); a text must be at most
// kLessonMaxTextLength long, N's must read as a whole number 1..250, the
// amplitudes and phases are given for distinct terms 1..250. A target has
// 4 to 100,000 finite samples of magnitude at most 1e15.
std::variant<Lesson, LessonFault> readLesson(std::string_view text);

} // namespace tavelo
