#include "core/plot.h"

#include "core/limitshape.h"
#include "core/plotparts.h"

#include <algorithm>

namespace tavelo {

PlotResult DrawPlot(const HarmonicParams& params, double W, double Hs, const PlotChoice& choice, PlotCanvas& canvas,
                    const PlotYield& yield)
{
    PlotResult result;
    result.readout.start(W, params.P, params.Amax);
    result.limitAsked = choice.limit;
    result.shapeShown = choice.limit && choice.shape;
    if (choice.limit && !choice.shape)
        result.limit = recognizeWaveform(params, choice.lastWaveform);
    if (choice.terms) {
        result.termsShown = static_cast<int>(
            std::count_if(params.A.begin() + 1, params.A.end(), [](double a) { return a != 0; }));
    }
    ColumnObserver* observers[] = {&result.readout};
    if (!choice.terms && !result.limit && !result.shapeShown) {
        result.outcome = DrawColumns(params, W, Hs, canvas, yield, observers);
        return result;
    }
    PlotParts parts(params, W, Hs, {choice.terms, result.limit, result.shapeShown ? choice.shape.get() : nullptr});
    result.outcome = DrawColumns(params, W, Hs, canvas, yield, observers, &parts);
    result.deviation = parts.deviation();
    if (result.limit)
        result.overshoot = overshootPercent(*result.limit, params);
    return result;
}

} // namespace tavelo
