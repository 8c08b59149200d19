#include "core/lessonfile.h"

#include "core/jsontext.h"
#include "core/numbertext.h"
#include "core/shape.h"

#include <cmath>
#include <set>

namespace tavelo {

namespace {

const std::array<std::string_view, 6> kSources = {"drawn", "pasted", "recorded", "task", "operation", "kept"};

struct WaveformName {
    Waveform waveform;
    std::string_view name;
};
const WaveformName kWaveformNames[] = {{Waveform::Square, "square"},
                                       {Waveform::Sawtooth, "sawtooth"},
                                       {Waveform::Triangle, "triangle"},
                                       {Waveform::OneHarmonic, "one-harmonic"}};

// A field as the file keeps it: its text, and the number it reads as (null
// where that is no finite number, which JSON cannot hold).
JsonValue fieldValue(const std::string& text)
{
    const double number = NumberFromText(text);
    JsonValue::Object field;
    field["text"] = text;
    field["value"] = std::isfinite(number) ? JsonValue(number) : JsonValue(nullptr);
    return field;
}

// Reads the members of a lesson, keeping the first fault met.
class LessonReader {
public:
    std::optional<LessonFault> fault;

    void refuse(LessonFault::Kind kind, std::string where)
    {
        if (!fault)
            fault = LessonFault{kind, std::move(where), 0, 0};
    }

    const JsonValue* member(const JsonValue& object, std::string_view name, const std::string& where,
                            bool required = true)
    {
        const JsonValue* value = object.member(name);
        if (!value && required)
            refuse(LessonFault::Kind::Missing, where);
        return value;
    }

    template <typename T> const T* typed(const JsonValue* value, const std::string& where)
    {
        if (!value)
            return nullptr;
        const T* typedValue = value->as<T>();
        if (!typedValue)
            refuse(LessonFault::Kind::WrongType, where);
        return typedValue;
    }

    // A field: an object with its text, which is what is read.
    void field(const JsonValue& object, std::string_view name, std::string& text, const std::string& prefix = {})
    {
        const std::string where = prefix + std::string(name);
        const auto* fieldObject = typed<JsonValue::Object>(member(object, name, where), where);
        if (!fieldObject)
            return;
        const JsonValue& value = *object.member(name);
        const auto* fieldText = typed<std::string>(member(value, "text", where + ".text"), where + ".text");
        if (!fieldText)
            return;
        if (fieldText->size() > kLessonMaxTextLength) {
            refuse(LessonFault::Kind::OutOfRange, where + ".text");
            return;
        }
        // The number beside the text is for people; it must still be one.
        if (const JsonValue* number = value.member("value"); number && !number->as<double>()
                                                             && !number->as<std::nullptr_t>())
            refuse(LessonFault::Kind::WrongType, where + ".value");
        text = *fieldText;
    }

    // A term's index, 1..250, where it is given.
    void index(const JsonValue& object, std::string_view name, int& index)
    {
        const std::string where(name);
        if (const double* value = typed<double>(member(object, name, where, false), where)) {
            if (!(*value >= 1 && *value <= kMaxTerms && *value == std::floor(*value)))
                return refuse(LessonFault::Kind::OutOfRange, where);
            index = int(*value);
        }
    }

    std::optional<bool> flag(const JsonValue& object, std::string_view name)
    {
        const auto* value = typed<bool>(member(object, name, std::string(name), false), std::string(name));
        return value ? std::optional<bool>(*value) : std::nullopt;
    }

    void terms(const JsonValue& object, Lesson& lesson)
    {
        const auto* list = typed<JsonValue::Array>(member(object, "terms", "terms"), "terms");
        if (!list)
            return;
        if (list->size() > std::size_t(kMaxTerms)) {
            refuse(LessonFault::Kind::TooManyTerms, "terms");
            return;
        }
        std::set<int> seen;
        for (std::size_t i = 0; i < list->size() && !fault; ++i) {
            const std::string where = "terms[" + std::to_string(i) + "]";
            const JsonValue& term = (*list)[i];
            if (!typed<JsonValue::Object>(&term, where))
                return;
            const double* n = typed<double>(member(term, "n", where + ".n"), where + ".n");
            if (!n)
                return;
            if (!(*n >= 1 && *n <= kMaxTerms && *n == std::floor(*n)) || !seen.insert(int(*n)).second) {
                refuse(LessonFault::Kind::OutOfRange, where + ".n");
                return;
            }
            const auto index = std::size_t(*n);
            field(term, "amplitude", lesson.A[index], where + ".");
            field(term, "phase", lesson.Fi[index], where + ".");
        }
    }

    // A lesson's kind: "lesson" (where none is given) or "task", which
    // needs a target to reach.
    void task(const JsonValue& object, Lesson& lesson)
    {
        const auto* kind = typed<std::string>(member(object, "kind", "kind", false), "kind");
        if (!kind || *kind == "lesson")
            return;
        if (*kind != "task")
            return refuse(LessonFault::Kind::OutOfRange, "kind");
        const auto* task = typed<JsonValue::Object>(member(object, "task", "task"), "task");
        if (!task)
            return;
        const auto* words = typed<std::string>(member(*object.member("task"), "words", "task.words", false),
                                               "task.words");
        if (words && words->size() > kLessonMaxTextLength)
            return refuse(LessonFault::Kind::OutOfRange, "task.words");
        if (!lesson.target)
            return refuse(LessonFault::Kind::Missing, "target");
        lesson.task = Lesson::Task{words ? *words : std::string()};
    }

    void target(const JsonValue& object, Lesson& lesson)
    {
        const JsonValue* value = member(object, "target", "target", false);
        if (!value || value->as<std::nullptr_t>())
            return;
        if (!typed<JsonValue::Object>(value, "target"))
            return;
        Lesson::Target target;
        const auto* source = typed<std::string>(member(*value, "source", "target.source"), "target.source");
        if (!source)
            return;
        bool known = false;
        for (const std::string_view name : kSources)
            known = known || *source == name;
        if (!known)
            return refuse(LessonFault::Kind::OutOfRange, "target.source");
        target.source = *source;
        const auto* samples = typed<JsonValue::Array>(member(*value, "samples", "target.samples"), "target.samples");
        if (!samples)
            return;
        if (samples->size() < kShapeMinSamples || samples->size() > kShapeMaxSamples)
            return refuse(LessonFault::Kind::OutOfRange, "target.samples");
        target.samples.reserve(samples->size());
        for (std::size_t i = 0; i < samples->size(); ++i) {
            const double* sample = typed<double>(&(*samples)[i], "target.samples[" + std::to_string(i) + "]");
            if (!sample)
                return;
            if (!(std::fabs(*sample) <= kShapeLargestValue))
                return refuse(LessonFault::Kind::OutOfRange, "target.samples[" + std::to_string(i) + "]");
            target.samples.push_back(*sample);
        }
        if (const double* count = typed<double>(member(*value, "sourceSamples", {}, false), "target.sourceSamples")) {
            if (!(*count >= 0 && *count <= 1e9 && *count == std::floor(*count)))
                return refuse(LessonFault::Kind::OutOfRange, "target.sourceSamples");
            target.sourceSamples = int(*count);
        }
        if (const double* mean = typed<double>(member(*value, "droppedMean", {}, false), "target.droppedMean")) {
            if (!(std::fabs(*mean) <= kShapeLargestValue))
                return refuse(LessonFault::Kind::OutOfRange, "target.droppedMean");
            target.droppedMean = *mean;
        }
        if (const auto* notes = typed<JsonValue::Array>(member(*value, "notes", {}, false), "target.notes")) {
            for (std::size_t i = 0; i < notes->size() && i < 8; ++i) {
                const auto* note = typed<std::string>(&(*notes)[i], "target.notes[" + std::to_string(i) + "]");
                if (!note)
                    return;
                if (note->size() > kLessonMaxTextLength)
                    return refuse(LessonFault::Kind::OutOfRange, "target.notes[" + std::to_string(i) + "]");
                target.notes.push_back(*note);
            }
        }
        lesson.target = std::move(target);
    }
};

} // namespace

std::string writeLesson(const Lesson& lesson)
{
    JsonValue::Object file;
    file["format"] = std::string(kLessonFormat);
    file["version"] = kLessonVersion;
    file["kind"] = lesson.task ? "task" : "lesson";
    if (lesson.task) {
        JsonValue::Object task;
        task["words"] = lesson.task->words;
        file["task"] = std::move(task);
    }
    file["basis"] = lesson.sinBasis ? "sin" : "cos";
    file["N"] = fieldValue(lesson.N);
    file["H"] = fieldValue(lesson.H);
    file["largestCoordinate"] = fieldValue(lesson.Amax);
    file["periods"] = fieldValue(lesson.periods);
    JsonValue::Array terms;
    for (std::size_t n = 1; n <= std::size_t(kMaxTerms); ++n) {
        if (lesson.A[n] == "0" && lesson.Fi[n] == "0")
            continue;
        JsonValue::Object term;
        term["n"] = int(n);
        term["amplitude"] = fieldValue(lesson.A[n]);
        term["phase"] = fieldValue(lesson.Fi[n]);
        terms.emplace_back(std::move(term));
    }
    file["terms"] = std::move(terms);
    file["amplitudeOnShow"] = lesson.amplitudeOnShow;
    file["phaseOnShow"] = lesson.phaseOnShow;
    file["pitch"] = lesson.pitch;
    file["termsShown"] = lesson.termsShown;
    file["limitShown"] = lesson.limitShown;
    for (const WaveformName& known : kWaveformNames) {
        if (lesson.waveform == known.waveform)
            file["waveform"] = std::string(known.name);
    }
    if (lesson.target) {
        JsonValue::Object target;
        target["source"] = lesson.target->source;
        target["samples"] = JsonValue::Array(lesson.target->samples.begin(), lesson.target->samples.end());
        target["sourceSamples"] = lesson.target->sourceSamples;
        if (lesson.target->droppedMean)
            target["droppedMean"] = *lesson.target->droppedMean;
        target["notes"] = JsonValue::Array(lesson.target->notes.begin(), lesson.target->notes.end());
        file["target"] = std::move(target);
    }
    return writeJson(file);
}

std::variant<Lesson, LessonFault> readLesson(std::string_view text)
{
    if (text.size() > kLessonMaxBytes)
        return LessonFault{LessonFault::Kind::TooLarge, {}, 0, 0};
    const auto json = readJson(text);
    if (const auto* fault = std::get_if<JsonFault>(&json)) {
        const auto kind = fault->kind == JsonFault::Kind::NotUtf8     ? LessonFault::Kind::NotUtf8
                          : fault->kind == JsonFault::Kind::NotFinite ? LessonFault::Kind::NotFinite
                                                                      : LessonFault::Kind::NotJson;
        return LessonFault{kind, {}, fault->offset, 0};
    }
    const JsonValue& file = std::get<JsonValue>(json);
    const JsonValue* format = file.member("format");
    if (!format || !format->as<std::string>() || *format->as<std::string>() != kLessonFormat)
        return LessonFault{LessonFault::Kind::NotLesson, "format", 0, 0};
    const JsonValue* version = file.member("version");
    const double* versionNumber = version ? version->as<double>() : nullptr;
    if (!versionNumber || !(*versionNumber >= 1 && *versionNumber == std::floor(*versionNumber)))
        return LessonFault{LessonFault::Kind::WrongType, "version", 0, 0};
    if (*versionNumber > kLessonVersion)
        return LessonFault{LessonFault::Kind::NewerVersion, "version", 0,
                           *versionNumber < 1e9 ? int(*versionNumber) : 999999999};

    Lesson lesson;
    for (std::size_t n = 1; n <= std::size_t(kMaxTerms); ++n)
        lesson.A[n] = lesson.Fi[n] = "0";
    LessonReader reader;
    const auto* basis = reader.typed<std::string>(reader.member(file, "basis", "basis"), "basis");
    if (basis && *basis != "sin" && *basis != "cos")
        reader.refuse(LessonFault::Kind::OutOfRange, "basis");
    lesson.sinBasis = !basis || *basis == "sin";
    reader.field(file, "N", lesson.N);
    reader.field(file, "H", lesson.H);
    reader.field(file, "largestCoordinate", lesson.Amax);
    reader.field(file, "periods", lesson.periods);
    if (!reader.fault) {
        const double N = NumberFromText(lesson.N);
        if (!(N >= 1 && N <= kMaxTerms && N == std::floor(N)))
            reader.refuse(LessonFault::Kind::OutOfRange, "N");
    }
    reader.terms(file, lesson);
    reader.index(file, "amplitudeOnShow", lesson.amplitudeOnShow);
    reader.index(file, "phaseOnShow", lesson.phaseOnShow);
    if (const auto* pitch = reader.typed<double>(reader.member(file, "pitch", "pitch", false), "pitch")) {
        if (!(*pitch >= kLessonLowestPitch && *pitch <= kLessonHighestPitch))
            reader.refuse(LessonFault::Kind::OutOfRange, "pitch");
        lesson.pitch = *pitch;
    }
    lesson.termsShown = reader.flag(file, "termsShown").value_or(false);
    lesson.limitShown = reader.flag(file, "limitShown").value_or(false);
    if (const auto* waveform = reader.typed<std::string>(reader.member(file, "waveform", "waveform", false),
                                                         "waveform")) {
        for (const WaveformName& known : kWaveformNames) {
            if (*waveform == known.name)
                lesson.waveform = known.waveform;
        }
        if (!lesson.waveform)
            reader.refuse(LessonFault::Kind::OutOfRange, "waveform");
    }
    reader.target(file, lesson);
    reader.task(file, lesson);
    if (reader.fault)
        return *reader.fault;
    return lesson;
}

} // namespace tavelo
