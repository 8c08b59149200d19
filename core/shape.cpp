#include "core/shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace tavelo {

namespace {

// The values at `times`, increasing, by straight lines, at as many equal steps.
std::vector<double> resampled(const std::vector<double>& times, const std::vector<double>& values)
{
    const std::size_t count = times.size();
    const double step = (times.back() - times.front()) / double(count - 1);
    std::vector<double> samples(count);
    std::size_t segment = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double t = k + 1 == count ? times.back() : times.front() + double(k) * step;
        while (segment + 2 < count && times[segment + 1] < t)
            ++segment;
        const double span = times[segment + 1] - times[segment];
        const double along = std::clamp((t - times[segment]) / span, 0.0, 1.0);
        samples[k] = values[segment] + (values[segment + 1] - values[segment]) * along;
    }
    return samples;
}

} // namespace

std::variant<Shape, TableFault> readShapeTable(std::string_view text)
{
    using Kind = TableFault::Kind;
    auto read = readCellRows(text, kShapeMaxSamples, 2);
    if (const auto* fault = std::get_if<TableFault>(&read))
        return *fault;
    const std::vector<CellRow>& rows = std::get<std::vector<CellRow>>(read);
    const std::size_t columns = rows.front().cells.size();
    std::vector<double> times;
    std::vector<double> values;
    for (const CellRow& row : rows) {
        if (row.cells.size() > columns)
            return TableFault{Kind::TooManyCells, row.row, 0, int(row.cells.size()), {}};
        if (row.cells.size() < columns)
            return TableFault{Kind::EmptyCell, row.row, int(columns), 0, {}};
        const double value = row.cells.back();
        if (std::abs(value) > kShapeLargestValue) {
            return TableFault{Kind::OutOfRange, row.row, int(columns), 0, std::string(row.texts.back())};
        }
        if (columns == 2) {
            if (!times.empty() && !(row.cells[0] > times.back()))
                return TableFault{Kind::NotIncreasing, row.row, 1, 0, std::string(row.texts[0])};
            // The samples are resampled at steps of the whole span, which must be a number.
            if (!times.empty() && !std::isfinite(row.cells[0] - times.front()))
                return TableFault{Kind::TimeSpan, row.row, 1, 0, std::string(row.texts[0])};
            times.push_back(row.cells[0]);
        }
        values.push_back(value);
    }
    if (values.size() < kShapeMinSamples)
        return TableFault{Kind::TooFewRows, 0, 0, int(values.size()), {}};
    return Shape{columns == 2 ? resampled(times, values) : values};
}

double shapeAt(std::span<const double> samples, double theta)
{
    if (samples.empty() || !std::isfinite(theta))
        return 0;
    double turns = theta / (2 * std::numbers::pi);
    turns -= std::floor(turns);
    const double position = turns * double(samples.size());
    const auto index = std::min(static_cast<std::size_t>(position), samples.size() - 1);
    const double along = position - double(index);
    const double next = samples[(index + 1) % samples.size()];
    return samples[index] + (next - samples[index]) * along;
}

} // namespace tavelo
