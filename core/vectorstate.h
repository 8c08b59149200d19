#pragma once

namespace tavelo {

// Marks the upper halves of the processor's vector registers as unused, on
// processors that have them. Library code elsewhere in the process (string
// and text routines using 256- and 512-bit registers, Qt's raster engine) can
// leave them marked in use; every scalar SSE instruction of a long loop then
// pays for merging them, which made the sum over a plot's columns ten times
// slower than the plot itself. Called before the core's long loops and after
// each painting between a plot's columns; the results do not change.
void releaseUpperVectorState();

} // namespace tavelo
