#pragma once

#include <array>

namespace tavelo {

// The sizes the window is shown at, in percent of its design.
inline constexpr std::array<int, 5> kZoomSteps{100, 125, 150, 175, 200};

// The step after `percent` (direction +1) or before it (-1), the last or the
// first staying where it is; a percent that is no step goes to the nearest.
int nextZoom(int percent, int direction);

// The step nearest `percent`: what a value read from the settings becomes.
int nearestZoom(int percent);

// The largest step at which a window designed `width` by `height` fits into
// `availableWidth` by `availableHeight`; the first step when none does.
int largestFittingZoom(int width, int height, int availableWidth, int availableHeight);

// A design length at a step: from the design's edge, rounded, so that
// neighbouring controls stay as close as in the design.
int zoomed(int length, int percent);

} // namespace tavelo
