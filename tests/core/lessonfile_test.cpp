// Lesson files: what is written reads back the same to the bit, and every
// kind of faulty file is refused with its reason and the member at fault.

#include "core/jsontext.h"
#include "core/lessonfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

tavelo::Lesson richLesson()
{
    tavelo::Lesson lesson;
    for (std::size_t n = 1; n <= std::size_t(tavelo::kMaxTerms); ++n)
        lesson.A[n] = lesson.Fi[n] = "0";
    lesson.sinBasis = false;
    lesson.N = "40";
    lesson.H = "1.5";
    lesson.Amax = "3,5"; // a comma stays the text it is
    lesson.periods = "-2";
    lesson.A[1] = "1";
    lesson.A[2] = ".5e1";
    lesson.A[250] = "7abc";
    lesson.Fi[3] = "0.25";
    lesson.Fi[4] = "1e999"; // no finite number: the text is kept all the same
    lesson.pitch = 261.6255653005986;
    lesson.amplitudeOnShow = 250;
    lesson.phaseOnShow = 3;
    lesson.termsShown = true;
    lesson.limitShown = true;
    lesson.waveform = tavelo::Waveform::Triangle;
    lesson.target = tavelo::Lesson::Target{"drawn", {}, 657, 0.1 + 0.2, {"Нарисованная форма: «\"кв\\адрат»\n"}};
    lesson.task = tavelo::Lesson::Task{"Подберите сумму: «\"»"};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    for (int i = 0; i < 1000; ++i)
        lesson.target->samples.push_back(value(random) * std::pow(10.0, i % 30 - 15));
    lesson.target->samples.push_back(std::numeric_limits<double>::denorm_min());
    lesson.target->samples.push_back(-0.0);
    return lesson;
}

TEST(LessonFile, WrittenAndReadBackIsTheSameToTheBit)
{
    const tavelo::Lesson lesson = richLesson();
    const std::string text = tavelo::writeLesson(lesson);
    const auto read = tavelo::readLesson(text);
    ASSERT_TRUE(std::holds_alternative<tavelo::Lesson>(read));
    const tavelo::Lesson& back = std::get<tavelo::Lesson>(read);
    EXPECT_EQ(back, lesson);
    // == on doubles takes -0 for 0; the bits must be the same too.
    EXPECT_TRUE(std::signbit(back.target->samples.back()));
    EXPECT_EQ(tavelo::writeLesson(back), text);
    // Only the terms whose fields are not the start text are written.
    EXPECT_EQ(std::get<tavelo::JsonValue>(tavelo::readJson(text)).member("terms")->as<tavelo::JsonValue::Array>()->size(),
              5U);
}

struct Refusal {
    const char* what;
    std::string text;
    tavelo::LessonFault::Kind kind;
    std::string where;
};

// A valid lesson with one member replaced by `json` (a whole member text,
// "name": value), or with it left out where `json` is empty.
std::string lessonWith(const std::string& name, const std::string& json)
{
    std::string base = R"({"format": "tavelo-lesson", "version": 1, "basis": "sin",)"
                       R"( "N": {"text": "3", "value": 3}, "H": {"text": "1"},)"
                       R"( "largestCoordinate": {"text": "1"}, "periods": {"text": "2"},)"
                       R"( "terms": [{"n": 1, "amplitude": {"text": "1"}, "phase": {"text": "0"}}])";
    const std::size_t at = base.find("\"" + name + "\":");
    if (at != std::string::npos) {
        // The member ends at the comma after it, or where its object closes.
        int depth = 0;
        std::size_t end = base.find(':', at) + 1;
        for (; end < base.size(); ++end) {
            const char c = base[end];
            if ((c == ',' || c == '}' || c == ']') && depth == 0)
                break;
            depth += (c == '{' || c == '[') - (c == '}' || c == ']');
        }
        base.replace(at, end - at + (json.empty() && base[end] == ','), json);
    } else if (!json.empty()) {
        base += ", " + json;
    }
    return base + "}";
}

TEST(LessonFile, FaultyFilesAreRefusedWithTheirReason)
{
    using Kind = tavelo::LessonFault::Kind;
    const Refusal refusals[] = {
        {"malformed JSON", R"({"format": "tavelo-lesson", "version": 1,)", Kind::NotJson, ""},
        {"two commas in a row", lessonWith("basis", R"("basis": "sin",)"), Kind::NotJson, ""},
        {"nested too deep", std::string(40, '[') + std::string(40, ']'), Kind::NotJson, ""},
        {"Latin-1, not UTF-8", lessonWith("basis", "\"basis\": \"sin\xe9\""), Kind::NotUtf8, ""},
        {"an overlong UTF-8 form", "\xC0\xAF", Kind::NotUtf8, ""},
        {"another format", R"({"format": "other", "version": 1})", Kind::NotLesson, "format"},
        {"no format", R"([1, 2])", Kind::NotLesson, "format"},
        {"a newer version", lessonWith("version", R"("version": 2)"), Kind::NewerVersion, "version"},
        {"a version of no number", lessonWith("version", R"("version": "1")"), Kind::WrongType, "version"},
        {"no N", lessonWith("N", ""), Kind::Missing, "N"},
        {"N of 0", lessonWith("N", R"("N": {"text": "0"})"), Kind::OutOfRange, "N"},
        {"N of 251", lessonWith("N", R"("N": {"text": "251"})"), Kind::OutOfRange, "N"},
        {"N of 2.5", lessonWith("N", R"("N": {"text": "2.5"})"), Kind::OutOfRange, "N"},
        {"H as a number", lessonWith("H", R"("H": 1)"), Kind::WrongType, "H"},
        {"a value of infinity", lessonWith("H", R"("H": {"text": "1", "value": 1e999})"), Kind::NotFinite, ""},
        {"a text too long", lessonWith("periods", "\"periods\": {\"text\": \"" + std::string(1001, '1') + "\"}"),
         Kind::OutOfRange, "periods.text"},
        {"a basis of neither", lessonWith("basis", R"("basis": "tan")"), Kind::OutOfRange, "basis"},
        {"term 251", lessonWith("terms", R"("terms": [{"n": 251, "amplitude": {"text": "1"}, "phase": {"text": "0"}}])"),
         Kind::OutOfRange, "terms[0].n"},
        {"a term twice",
         lessonWith("terms", R"("terms": [{"n": 2, "amplitude": {"text": "1"}, "phase": {"text": "0"}},)"
                             R"( {"n": 2, "amplitude": {"text": "1"}, "phase": {"text": "0"}}])"),
         Kind::OutOfRange, "terms[1].n"},
        {"a term without its phase", lessonWith("terms", R"("terms": [{"n": 1, "amplitude": {"text": "1"}}])"),
         Kind::Missing, "terms[0].phase"},
        {"field 0 on show", lessonWith("phaseOnShow", R"("phaseOnShow": 0)"), Kind::OutOfRange, "phaseOnShow"},
        {"a task of no target", lessonWith("kind", R"("kind": "task", "task": {"words": ""})"), Kind::Missing,
         "target"},
        {"a kind of neither", lessonWith("kind", R"("kind": "quiz")"), Kind::OutOfRange, "kind"},
        {"a pitch of 5 Hz", lessonWith("pitch", R"("pitch": 5)"), Kind::OutOfRange, "pitch"},
        {"a target of 3 samples",
         lessonWith("target", R"("target": {"source": "drawn", "samples": [1, 2, 3]})"), Kind::OutOfRange,
         "target.samples"},
        {"a target of a sample too large",
         lessonWith("target", R"("target": {"source": "drawn", "samples": [1, 2, 3, 2e15]})"), Kind::OutOfRange,
         "target.samples[3]"},
        {"a target of no known source",
         lessonWith("target", R"("target": {"source": "dreamt", "samples": [1, 2, 3, 4]})"), Kind::OutOfRange,
         "target.source"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        const auto read = tavelo::readLesson(refusal.text);
        ASSERT_TRUE(std::holds_alternative<tavelo::LessonFault>(read)) << refusal.text;
        const tavelo::LessonFault& fault = std::get<tavelo::LessonFault>(read);
        EXPECT_EQ(fault.kind, refusal.kind);
        EXPECT_EQ(fault.where, refusal.where);
    }
    // The same base, untouched, is a lesson: the refusals are the members'.
    EXPECT_TRUE(std::holds_alternative<tavelo::Lesson>(tavelo::readLesson(lessonWith("", ""))));
}

TEST(LessonFile, TermsOnTheMaximumAndOneMore)
{
    std::string terms = R"("terms": [)";
    for (int n = 1; n <= 251; ++n) {
        const int shown = n <= 250 ? n : 1;
        terms += (n > 1 ? ", " : "") + std::string(R"({"n": )") + std::to_string(shown)
                 + R"(, "amplitude": {"text": "1"}, "phase": {"text": "0"}})";
        if (n == 250) {
            const auto read = tavelo::readLesson(lessonWith("terms", terms + "]"));
            ASSERT_TRUE(std::holds_alternative<tavelo::Lesson>(read));
            EXPECT_EQ(std::get<tavelo::Lesson>(read).A[250], "1");
        }
    }
    const auto read = tavelo::readLesson(lessonWith("terms", terms + "]"));
    ASSERT_TRUE(std::holds_alternative<tavelo::LessonFault>(read));
    EXPECT_EQ(std::get<tavelo::LessonFault>(read).kind, tavelo::LessonFault::Kind::TooManyTerms);
}

TEST(Json, StringsAndNumbersReadAsWritten)
{
    const auto read = tavelo::readJson("\xEF\xBB\xBF" R"(["\u0444\ud83d\ude00\/\t", 1e-400, -0, 0.1, 17])");
    ASSERT_TRUE(std::holds_alternative<tavelo::JsonValue>(read));
    const auto& array = *std::get<tavelo::JsonValue>(read).as<tavelo::JsonValue::Array>();
    EXPECT_EQ(*array[0].as<std::string>(), "ф\xF0\x9F\x98\x80/\t");
    EXPECT_EQ(*array[1].as<double>(), 0); // too small: a zero, not a fault
    EXPECT_TRUE(std::signbit(*array[2].as<double>()));
    EXPECT_EQ(*array[3].as<double>(), 0.1);
    for (const char* bad : {"01", "1.", ".5", "+1", "\"\\ud800\"", "\"\\x\"", "\"a\nb\"", "nul", "[1] 2", "NaN"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(std::holds_alternative<tavelo::JsonFault>(tavelo::readJson(bad)));
    }
}

} // namespace
