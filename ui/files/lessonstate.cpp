#include "ui/files/lessonstate.h"

#include "core/shape.h"

#include <array>
#include <utility>

namespace {

using Kind = ShapeSource::Kind;
const std::array<std::pair<Kind, const char*>, 6> kSourceNames = {{{Kind::Drawn, "drawn"},
                                                                    {Kind::Pasted, "pasted"},
                                                                    {Kind::Recorded, "recorded"},
                                                                    {Kind::Task, "task"},
                                                                    {Kind::Operation, "operation"},
                                                                    {Kind::Kept, "kept"}}};

} // namespace

tavelo::Lesson lessonOf(const SeriesState& state, const LessonView& view)
{
    const SeriesTexts& texts = state.texts;
    tavelo::Lesson lesson;
    lesson.sinBasis = texts.sinBasis;
    lesson.N = texts.N.toStdString();
    lesson.H = texts.H.toStdString();
    lesson.Amax = texts.Amax.toStdString();
    lesson.periods = texts.periods.toStdString();
    for (std::size_t n = 1; n < texts.A.size(); ++n) {
        lesson.A[n] = texts.A[n].toStdString();
        lesson.Fi[n] = texts.Fi[n].toStdString();
    }
    lesson.amplitudeOnShow = state.amplitudeOnShow;
    lesson.phaseOnShow = state.phaseOnShow;
    lesson.pitch = view.pitch;
    lesson.termsShown = view.termsShown;
    lesson.limitShown = state.limitShown;
    lesson.waveform = state.lastWaveform;
    if (const auto& shape = state.target.shape) {
        const ShapeSource& source = state.target.source;
        tavelo::Lesson::Target target;
        for (const auto& [kind, name] : kSourceNames) {
            if (kind == source.kind)
                target.source = name;
        }
        target.samples = shape->samples;
        target.sourceSamples = source.samples;
        target.droppedMean = source.droppedMean;
        for (const QString& note : source.notes)
            target.notes.push_back(note.toStdString());
        lesson.target = std::move(target);
    }
    return lesson;
}

SeriesState stateOf(const tavelo::Lesson& lesson, const SeriesState& current)
{
    SeriesState state = current;
    SeriesTexts& texts = state.texts;
    texts.sinBasis = lesson.sinBasis;
    texts.N = QString::fromStdString(lesson.N);
    texts.H = QString::fromStdString(lesson.H);
    texts.Amax = QString::fromStdString(lesson.Amax);
    texts.periods = QString::fromStdString(lesson.periods);
    for (std::size_t n = 1; n < texts.A.size(); ++n) {
        texts.A[n] = QString::fromStdString(lesson.A[n]);
        texts.Fi[n] = QString::fromStdString(lesson.Fi[n]);
    }
    state.amplitudeOnShow = lesson.amplitudeOnShow;
    state.phaseOnShow = lesson.phaseOnShow;
    state.limitShown = lesson.limitShown;
    state.lastWaveform = lesson.waveform;
    state.task.reset();
    state.target = {};
    if (lesson.target) {
        ShapeSource source;
        for (const auto& [kind, name] : kSourceNames) {
            if (lesson.target->source == name)
                source.kind = kind;
        }
        source.samples = lesson.target->sourceSamples;
        source.droppedMean = lesson.target->droppedMean;
        for (const std::string& note : lesson.target->notes)
            source.notes << QString::fromStdString(note);
        state.target = {std::make_shared<const tavelo::Shape>(tavelo::Shape{lesson.target->samples}), source};
    }
    return state;
}

LessonView viewOf(const tavelo::Lesson& lesson)
{
    return {lesson.pitch, lesson.termsShown};
}
