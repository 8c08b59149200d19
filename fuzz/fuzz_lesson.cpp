// Any text read as a lesson file: no crash and no hang; a lesson that is read
// holds N's text reading as 1..250, texts of at most 1,000 bytes and a target
// of 4 to 100,000 finite samples, and written again it reads back the same.

#include "core/lessonfile.h"
#include "core/numbertext.h"
#include "core/shape.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = tavelo::readLesson(text);
    if (std::holds_alternative<tavelo::LessonFault>(read))
        return 0;
    const tavelo::Lesson& lesson = std::get<tavelo::Lesson>(read);
    const double N = tavelo::NumberFromText(lesson.N);
    if (!(N >= 1 && N <= tavelo::kMaxTerms))
        std::abort();
    for (std::size_t n = 1; n <= std::size_t(tavelo::kMaxTerms); ++n) {
        if (lesson.A[n].size() > tavelo::kLessonMaxTextLength || lesson.Fi[n].size() > tavelo::kLessonMaxTextLength)
            std::abort();
    }
    if (!(lesson.pitch >= tavelo::kLessonLowestPitch && lesson.pitch <= tavelo::kLessonHighestPitch))
        std::abort();
    if (lesson.target) {
        const auto& samples = lesson.target->samples;
        if (samples.size() < tavelo::kShapeMinSamples || samples.size() > tavelo::kShapeMaxSamples)
            std::abort();
        for (const double v : samples) {
            if (!(std::abs(v) <= tavelo::kShapeLargestValue))
                std::abort();
        }
    }
    const auto again = tavelo::readLesson(tavelo::writeLesson(lesson));
    if (!std::holds_alternative<tavelo::Lesson>(again) || !(std::get<tavelo::Lesson>(again) == lesson))
        std::abort();
    return 0;
}
