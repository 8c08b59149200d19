#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace tavelo {
struct CurveSummary;
}

// What the plot's reader says of the places it jumps to, of where the
// cursor stands and of the whole curve; times in periods of the
// fundamental, values in metres.

// «максимум 0.927 м, t = 0.031 T»; of a target: «цель: минимум …».
QString extremeText(bool maximum, double value, double periods, bool ofTarget = false);
// «ноль, вверх, t = 0.5 T».
QString zeroCrossingText(bool upward, double periods);
// «скачок вниз на 1.57 м, t = 0.5 T».
QString jumpText(double size, double periods);
// «отклонение 0.12 м при t = 0.3 T», the largest of all «отклонение наибольшее …».
QString deviationText(double value, bool largest, double periods);

// What lies no further, the cursor unmoved: «дальше максимумов и минимумов нет».
enum class ReadingPlace { Extreme, ZeroCrossing, Jump, Deviation, TargetExtreme };
QString nothingFurtherText(ReadingPlace place, bool forward);
// The sum is 0 at every column: «нулей нет: сумма везде равна нулю».
QString flatZeroText();
// A jump to the target's places with none shown.
QString noTargetText();
// «озвучивание графика: 8 секунд».
QString traceSecondsText(double seconds);

// «, точка 124 из 658».
QString pointPlaceText(int column, int lastColumn);

// The plot in one sentence: its terms and basis, the periods, the extremes
// and where, the crossings of zero per period, the root mean square, and
// the overshoot and the deviation from the target where known.
struct PlotSummaryWords {
    int nonZeroTerms = 0;
    int N = 0;
    bool sinBasis = true;
    double periods = 0;
    double lowestAt = 0; // in periods
    double highestAt = 0;
    double crossingsPerPeriod = 0;
    std::optional<double> overshoot; // percent of the jump
    std::optional<double> deviation; // metres
    bool fromLimitShape = false;     // the deviation is from a classic waveform's limit, not a target
};
QString plotSummaryText(const tavelo::CurveSummary& curve, const PlotSummaryWords& words);

// The spectrum in one sentence: «Ненулевые гармоники: 1, 3, 5 … 15;
// наибольшая 1-я, 1.27 м»; `amplitudes` are terms 1..N, index 0 unused.
QString spectrumSummaryText(const std::vector<double>& amplitudes);
// No term that is not 0 lies further: «дальше ненулевых гармоник нет».
QString nonZeroTermsEndText(bool forward);
