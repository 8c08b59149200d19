#pragma once

// Qt's raster engine can return with the upper halves of the AVX registers in
// use. Until they are cleared, the plain SSE arithmetic of the series runs at
// less than half its speed on some processors (measured: a plot that drew a
// segment per column took 2.6 times as long). Call this after painting, before
// arithmetic resumes. It does nothing where the processor has no AVX.
void clearUpperVectorState();
