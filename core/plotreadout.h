#pragma once

#include "core/columnplot.h"

#include <vector>

namespace tavelo {

// The values of the sum a plot drew, column by column, for a reader who asks
// what the curve shows at a column.
class PlotReadout : public ColumnObserver {
public:
    // Forgets the last plot; the next one is W units wide with P periods,
    // +-Amax at its edges.
    void start(double W, double P, double Amax);
    void pointComputed(double x, double f, std::span<const double> terms) override;

    bool isEmpty() const { return m_values.empty(); }
    // The last column drawn; 0 when only the first point was.
    int lastColumn() const { return static_cast<int>(m_values.size()) - 1; }
    // The sum as drawn at column x, 0..lastColumn().
    double value(int x) const { return m_values.at(static_cast<std::size_t>(x)); }
    // The time column x stands for, in periods of the fundamental: x P / W.
    double periods(int x) const;
    const std::vector<double>& values() const { return m_values; }
    double Amax() const { return m_Amax; }
    double W() const { return m_W; }
    double P() const { return m_P; }

private:
    std::vector<double> m_values;
    double m_W = 0;
    double m_P = 0;
    double m_Amax = 1;
};

} // namespace tavelo
