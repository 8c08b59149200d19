#pragma once

// The synthesis core: field texts to numbers and back, the Fourier series and
// its plot with its terms, the series written as a formula, limit shapes and readout, the places a reader jumps to, the spectrum geometry
// and the spectrum as a control, the number of terms, the classic waveforms,
// shapes and their terms, the sounds, a recorded sound's terms, and the
// tasks. Plain C++, no toolkit.

#include "core/amplitudebars.h"
#include "core/audiotrace.h"
#include "core/celltable.h"
#include "core/columnplot.h"
#include "core/curvelandmarks.h"
#include "core/fundamentaltable.h"
#include "core/harmonicparams.h"
#include "core/limitshape.h"
#include "core/numbertext.h"
#include "core/pitchtrack.h"
#include "core/plot.h"
#include "core/plotcanvas.h"
#include "core/plotextent.h"
#include "core/plotparts.h"
#include "core/plotreadout.h"
#include "core/recordinganalysis.h"
#include "core/series.h"
#include "core/seriesformula.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/singleprecision.h"
#include "core/sumoperations.h"
#include "core/task.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "core/tone.h"
#include "core/vectorstate.h"
#include "core/waveforms.h"
#include "core/zoomsteps.h"
