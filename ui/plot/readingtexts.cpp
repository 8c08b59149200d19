#include "ui/plot/readingtexts.h"

#include "core/curvelandmarks.h"
#include "core/numbertext.h"
#include "ui/widgets/fieldtext.h"

#include <QStringList>

#include <cmath>

namespace {

QString metres(double v)
{
    return RealToText(tavelo::RoundedToSignificant(v, 3)) + QStringLiteral(" м");
}

QString time(double periods)
{
    return QStringLiteral("t = %1 T").arg(RealToText(tavelo::RoundedToDecimals(periods, 3)));
}

} // namespace

QString extremeText(bool maximum, double value, double periods, bool ofTarget)
{
    return (ofTarget ? QStringLiteral("цель: ") : QString())
           + (maximum ? QStringLiteral("максимум %1, %2") : QStringLiteral("минимум %1, %2")).arg(metres(value), time(periods));
}

QString zeroCrossingText(bool upward, double periods)
{
    return (upward ? QStringLiteral("ноль, вверх, %1") : QStringLiteral("ноль, вниз, %1")).arg(time(periods));
}

QString jumpText(double size, double periods)
{
    return (size > 0 ? QStringLiteral("скачок вверх на %1, %2") : QStringLiteral("скачок вниз на %1, %2"))
        .arg(metres(std::abs(size)), time(periods));
}

QString deviationText(double value, bool largest, double periods)
{
    return (largest ? QStringLiteral("отклонение наибольшее %1 при %2") : QStringLiteral("отклонение %1 при %2"))
        .arg(metres(value), time(periods));
}

QString nothingFurtherText(ReadingPlace place, bool forward)
{
    QString what;
    switch (place) {
    case ReadingPlace::Extreme:
        what = QStringLiteral("максимумов и минимумов");
        break;
    case ReadingPlace::ZeroCrossing:
        what = QStringLiteral("нулей");
        break;
    case ReadingPlace::Jump:
        what = QStringLiteral("скачков");
        break;
    case ReadingPlace::Deviation:
        what = QStringLiteral("наибольших отклонений от цели");
        break;
    case ReadingPlace::TargetExtreme:
        what = QStringLiteral("максимумов и минимумов цели");
        break;
    }
    return (forward ? QStringLiteral("дальше %1 нет") : QStringLiteral("раньше %1 нет")).arg(what);
}

QString flatZeroText()
{
    return QStringLiteral("нулей нет: сумма везде равна нулю");
}

QString noTargetText()
{
    return QStringLiteral("цели нет: сравнивать не с чем");
}

QString traceSecondsText(double seconds)
{
    return QStringLiteral("озвучивание графика: %1")
        .arg(CountToText(std::llround(seconds), QStringLiteral("секунда"), QStringLiteral("секунды"),
                     QStringLiteral("секунд")));
}

QString pointPlaceText(int column, int lastColumn)
{
    return QStringLiteral(", точка %1 из %2").arg(WholeToText(column + 1), WholeToText(lastColumn + 1));
}

QString plotSummaryText(const tavelo::CurveSummary& curve, const PlotSummaryWords& words)
{
    QStringList parts;
    parts << QStringLiteral("%1 из %2, %3, %4 на экране")
                 .arg(CountToText(words.nonZeroTerms, QStringLiteral("ненулевая гармоника"),
                              QStringLiteral("ненулевые гармоники"), QStringLiteral("ненулевых гармоник")),
                      WholeToText(words.N), words.sinBasis ? QStringLiteral("SIN") : QStringLiteral("COS"),
                      QStringLiteral("периодов: %1").arg(RealToText(tavelo::RoundedToSignificant(words.periods, 4))));
    if (curve.highest == 0 && curve.lowest == 0) {
        parts << QStringLiteral("сумма везде равна нулю");
    } else {
        parts << QStringLiteral("наибольшее значение %1 при %2, наименьшее %3 при %4")
                     .arg(metres(curve.highest), time(words.highestAt), metres(curve.lowest), time(words.lowestAt));
        parts << QStringLiteral("пересечений нуля за период: %1")
                     .arg(RealToText(tavelo::RoundedToSignificant(words.crossingsPerPeriod, 3)));
        parts << QStringLiteral("среднеквадратичное значение %1").arg(metres(curve.rms));
    }
    if (words.overshoot)
        parts << QStringLiteral("выброс %1 % скачка").arg(RealToText(tavelo::RoundedToDecimals(*words.overshoot, 2)));
    if (words.deviation) {
        parts << (words.fromLimitShape ? QStringLiteral("среднеквадратичное отклонение от предельной формы %1")
                                       : QStringLiteral("среднеквадратичное отклонение от цели %1"))
                     .arg(metres(*words.deviation));
    }
    QString sentence = parts.join(QStringLiteral("; ")) + QLatin1Char('.');
    sentence[0] = sentence[0].toUpper();
    return sentence;
}

QString spectrumSummaryText(const std::vector<double>& amplitudes)
{
    QStringList terms;
    std::size_t largest = 0;
    std::vector<std::size_t> nonZero;
    for (std::size_t n = 1; n < amplitudes.size(); ++n) {
        if (amplitudes[n] == 0)
            continue;
        nonZero.push_back(n);
        if (largest == 0 || std::abs(amplitudes[n]) > std::abs(amplitudes[largest]))
            largest = n;
    }
    if (nonZero.empty())
        return QStringLiteral("Ненулевых гармоник нет");
    // Runs of even steps are said by their first terms and their last:
    // «1, 3, 5 … 15».
    for (std::size_t i = 0; i < nonZero.size();) {
        std::size_t end = i + 1;
        if (end < nonZero.size()) {
            const std::size_t step = nonZero[end] - nonZero[i];
            while (end + 1 < nonZero.size() && nonZero[end + 1] - nonZero[end] == step)
                ++end;
            if (end - i >= 3) {
                terms << WholeToText(qint64(nonZero[i])) << WholeToText(qint64(nonZero[i + 1]))
                      << WholeToText(qint64(nonZero[i + 2])) + QStringLiteral(" … ") + WholeToText(qint64(nonZero[end]));
                i = end + 1;
                continue;
            }
        }
        terms << WholeToText(qint64(nonZero[i]));
        ++i;
    }
    return QStringLiteral("Ненулевые гармоники: %1; наибольшая %2-я, %3")
        .arg(terms.join(QStringLiteral(", ")), WholeToText(qint64(largest)), metres(std::abs(amplitudes[largest])));
}

QString nonZeroTermsEndText(bool forward)
{
    return forward ? QStringLiteral("дальше ненулевых гармоник нет") : QStringLiteral("раньше ненулевых гармоник нет");
}
