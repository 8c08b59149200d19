#include "ui/series/seriesstate.h"

namespace {

bool sameTask(const std::optional<TaskState>& a, const std::optional<TaskState>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    const tavelo::Task& x = a->round.task();
    const tavelo::Task& y = b->round.task();
    return x.level == y.level && x.A == y.A && x.Fi == y.Fi && a->round.solved() == b->round.solved()
           && a->answerShown == b->answerShown && a->result == b->result && a->teacherWords == b->teacherWords;
}

std::size_t textBytes(const SeriesTexts& texts)
{
    std::size_t bytes = sizeof(SeriesTexts);
    for (const QString* text : {&texts.N, &texts.H, &texts.Amax, &texts.periods})
        bytes += std::size_t(text->size()) * sizeof(QChar);
    for (std::size_t i = 0; i < texts.A.size(); ++i)
        bytes += std::size_t(texts.A[i].size() + texts.Fi[i].size()) * sizeof(QChar);
    return bytes;
}

} // namespace

bool sameSeries(const SeriesState& a, const SeriesState& b)
{
    return a.texts == b.texts && a.target.shape == b.target.shape && a.target.source.notes == b.target.source.notes
           && a.limitShown == b.limitShown && a.lastWaveform == b.lastWaveform && sameTask(a.task, b.task);
}

std::size_t stateBytes(const SeriesState& before, const SeriesState& after)
{
    std::size_t bytes = textBytes(before.texts) + textBytes(after.texts);
    // A shape is counted with the step that brought it; the steps after it
    // share it.
    if (after.target.shape && after.target.shape != before.target.shape)
        bytes += after.target.shape->samples.size() * sizeof(double);
    return bytes;
}
