#pragma once

// The synthesis core: field texts to numbers and back, the Fourier series and
// its plot with its terms, limit shapes and readout, the spectrum geometry,
// the number of terms and the classic waveforms. Plain C++, no toolkit.

#include "core/amplitudebars.h"
#include "core/celltable.h"
#include "core/columnplot.h"
#include "core/harmonicparams.h"
#include "core/limitshape.h"
#include "core/numbertext.h"
#include "core/plot.h"
#include "core/plotcanvas.h"
#include "core/plotextent.h"
#include "core/plotparts.h"
#include "core/plotreadout.h"
#include "core/series.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/singleprecision.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "core/tone.h"
#include "core/waveforms.h"
