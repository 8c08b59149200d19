#include "core/zoomsteps.h"

#include <algorithm>
#include <cstdlib>

namespace tavelo {

int nearestZoom(int percent)
{
    return *std::min_element(kZoomSteps.begin(), kZoomSteps.end(), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

int nextZoom(int percent, int direction)
{
    const auto at = std::find(kZoomSteps.begin(), kZoomSteps.end(), nearestZoom(percent)) - kZoomSteps.begin();
    const auto next = std::clamp<std::ptrdiff_t>(at + direction, 0, std::ptrdiff_t(kZoomSteps.size()) - 1);
    return kZoomSteps[std::size_t(next)];
}

int largestFittingZoom(int width, int height, int availableWidth, int availableHeight)
{
    int fitting = kZoomSteps.front();
    for (const int step : kZoomSteps) {
        if (zoomed(width, step) <= availableWidth && zoomed(height, step) <= availableHeight)
            fitting = step;
    }
    return fitting;
}

int zoomed(int length, int percent)
{
    // Whole numbers: 0.5 rounds away from zero for lengths of either sign.
    const long long scaled = static_cast<long long>(length) * percent;
    return static_cast<int>(scaled >= 0 ? (scaled + 50) / 100 : -((-scaled + 50) / 100));
}

} // namespace tavelo
