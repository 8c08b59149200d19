#pragma once

// The synthesis core: field texts to numbers and back, the Fourier series and
// its plot, the spectrum geometry, the number of terms and the classic
// waveforms. Plain C++, no toolkit.

#include "core/amplitudebars.h"
#include "core/columnplot.h"
#include "core/harmonicparams.h"
#include "core/numbertext.h"
#include "core/plotsurface.h"
#include "core/series.h"
#include "core/singleprecision.h"
#include "core/termcount.h"
#include "core/waveforms.h"
