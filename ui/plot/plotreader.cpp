#include "ui/plot/plotreader.h"

#include "core/curvelandmarks.h"
#include "core/limitshape.h"
#include "core/shape.h"
#include "ui/plot/plotcontrol.h"
#include "ui/plot/plotcursor.h"
#include "ui/series/seriesmodel.h"
#include "ui/widgets/picturebox.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace {

// A hundredth of a period, in columns: a partial sum's jump is as steep.
int jumpWindow(const tavelo::PlotReadout& readout)
{
    const double hundredth = readout.P() > 0 ? readout.W() / readout.P() / 100 : 1;
    return int(std::lround(std::clamp(hundredth, 1.0, double(std::max(1, readout.lastColumn())))));
}

} // namespace

PlotReader::PlotReader(PictureBox* plot, const PlotControl* control, PlotCursor* cursor, const SeriesModel* model,
                       QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_control(control)
    , m_cursor(cursor)
    , m_model(model)
{
    m_plot->installEventFilter(this);
}

double PlotReader::periodsAt(int column) const
{
    return m_control->lastResult().readout.periods(column);
}

std::vector<double> PlotReader::targetColumns() const
{
    const tavelo::PlotResult& result = m_control->lastResult();
    const SeriesTarget& target = m_model->target();
    if (!result.shapeShown || !target.shape)
        return {};
    const tavelo::PlotReadout& readout = result.readout;
    tavelo::HarmonicParams periods;
    periods.P = readout.P();
    std::vector<double> columns(std::size_t(readout.lastColumn() + 1));
    for (std::size_t x = 0; x < columns.size(); ++x)
        columns[x] = tavelo::shapeAt(target.shape->samples, tavelo::fundamentalTimeAngle(periods, double(x), readout.W()));
    return columns;
}

void PlotReader::jump(ReadingPlace place, bool forward)
{
    const tavelo::PlotReadout& readout = m_control->lastResult().readout;
    const std::span<const double> values = readout.values();
    const int from = m_cursor->column().value_or(forward ? -1 : readout.lastColumn() + 1);
    const tavelo::Heading heading = forward ? tavelo::Heading::Forward : tavelo::Heading::Backward;
    const auto nothing = [&] { m_cursor->say(nothingFurtherText(place, forward)); };
    switch (place) {
    case ReadingPlace::Extreme:
        if (const auto e = tavelo::nextExtreme(values, from, heading))
            return m_cursor->placeAt(e->column, extremeText(e->maximum, e->value, periodsAt(e->column)));
        return nothing();
    case ReadingPlace::ZeroCrossing:
        if (std::all_of(values.begin(), values.end(), [](double v) { return v == 0; }))
            return m_cursor->say(flatZeroText());
        if (const auto c = tavelo::nextZeroCrossing(values, from, heading))
            return m_cursor->placeAt(c->column, zeroCrossingText(c->upward, c->at * readout.P() / readout.W()));
        return nothing();
    case ReadingPlace::Jump:
        if (const auto j = tavelo::nextJump(values, jumpWindow(readout), from, heading))
            return m_cursor->placeAt(j->column, jumpText(j->size, periodsAt(j->column)));
        return nothing();
    case ReadingPlace::TargetExtreme:
    case ReadingPlace::Deviation: {
        std::vector<double> target = targetColumns();
        if (target.empty())
            return m_cursor->say(noTargetText());
        if (place == ReadingPlace::TargetExtreme) {
            if (const auto e = tavelo::nextExtreme(target, from, heading))
                return m_cursor->placeAt(e->column, extremeText(e->maximum, e->value, periodsAt(e->column), true));
            return nothing();
        }
        // The sum less the target, its largest magnitude said as such.
        for (std::size_t x = 0; x < target.size(); ++x)
            target[x] = values[x] - target[x];
        const auto largest = std::max_element(target.begin(), target.end(),
                                              [](double a, double b) { return std::abs(a) < std::abs(b); });
        if (const auto e = tavelo::nextExtreme(target, from, heading)) {
            const bool isLargest = std::abs(e->value) == std::abs(*largest);
            return m_cursor->placeAt(e->column, deviationText(e->value, isLargest, periodsAt(e->column)));
        }
        return nothing();
    }
    }
}

QString PlotReader::summary() const
{
    const tavelo::PlotResult& result = m_control->lastResult();
    const tavelo::PlotReadout& readout = result.readout;
    const tavelo::CurveSummary curve = tavelo::summarize(readout.values());
    PlotSummaryWords words;
    const tavelo::HarmonicParams series = m_model->read();
    words.N = int(series.N);
    words.nonZeroTerms = int(std::count_if(series.A.begin() + std::min<std::ptrdiff_t>(1, std::ssize(series.A)),
                                           series.A.end(), [](double A) { return A != 0; }));
    words.sinBasis = series.sinBasis;
    words.periods = readout.P();
    words.lowestAt = readout.periods(curve.lowestColumn);
    words.highestAt = readout.periods(curve.highestColumn);
    const double shown = readout.periods(readout.lastColumn());
    words.crossingsPerPeriod = shown > 0 ? curve.zeroCrossings / shown : 0;
    words.overshoot = result.overshoot;
    words.deviation = result.deviation;
    words.fromLimitShape = result.limit.has_value();
    return plotSummaryText(curve, words);
}

bool PlotReader::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_I:
            m_cursor->say(summary());
            return true;
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
            m_cursor->say(traceSecondsText(kTraceSeconds[key - Qt::Key_1]));
            emit traceSecondsChosen(kTraceSeconds[key - Qt::Key_1]);
            return true;
        default:
            return false;
        }
    }
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    const bool forward = key == Qt::Key_Right;
    if (modifiers == Qt::ControlModifier)
        jump(ReadingPlace::Extreme, forward);
    else if (modifiers == Qt::AltModifier)
        jump(ReadingPlace::ZeroCrossing, forward);
    else if (modifiers == Qt::ShiftModifier)
        jump(ReadingPlace::Jump, forward);
    else if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        jump(ReadingPlace::Deviation, forward);
    else if (modifiers == (Qt::AltModifier | Qt::ShiftModifier))
        jump(ReadingPlace::TargetExtreme, forward);
    else
        return false;
    return true;
}

bool PlotReader::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_plot || event->type() != QEvent::KeyPress || !m_cursor->isReadable())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return handleKey(key->key(), key->modifiers());
}
