#include "core/plotreadout.h"

namespace tavelo {

void PlotReadout::start(double W, double P, double Amax)
{
    m_values.clear();
    m_W = W;
    m_P = P;
    m_Amax = Amax;
}

void PlotReadout::pointComputed(double x, double f, std::span<const double> terms)
{
    static_cast<void>(x);
    static_cast<void>(terms);
    m_values.push_back(f);
}

double PlotReadout::periods(int x) const
{
    return (x * m_P) / m_W;
}

} // namespace tavelo
