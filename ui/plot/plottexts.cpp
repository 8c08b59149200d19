#include "ui/plot/plottexts.h"

#include "core/numbertext.h"
#include "core/plot.h"
#include "core/waveforms.h"
#include "ui/series/shapesource.h"
#include "ui/widgets/fieldtext.h"

namespace {

QString wholeNumber(double v)
{
    return WholeToText(static_cast<long long>(v));
}

QString overshootText(double percent)
{
    return QStringLiteral("Выброс: %1 % скачка").arg(RealToText(tavelo::RoundedToDecimals(percent, 2)));
}

QString samplesText(int count)
{
    return CountToText(count, QStringLiteral("отсчёт"), QStringLiteral("отсчёта"), QStringLiteral("отсчётов"));
}

QString shapeOrigin(const ShapeSource& shape)
{
    switch (shape.kind) {
    case ShapeSource::Kind::Drawn:
        return QStringLiteral(" Слагаемые вычислены по нарисованной форме: %1.").arg(samplesText(shape.samples));
    case ShapeSource::Kind::Pasted:
        return QStringLiteral(" Слагаемые вычислены по вставленной форме: %1.").arg(samplesText(shape.samples));
    case ShapeSource::Kind::Recorded:
        return QStringLiteral(" Слагаемые вычислены по записанному звуку: %1.").arg(samplesText(shape.samples));
    case ShapeSource::Kind::Task:
    case ShapeSource::Kind::Operation:
    case ShapeSource::Kind::Kept:
        return {};
    }
    return {};
}

QString deviationText(double metres)
{
    return QStringLiteral("Среднеквадратичное отклонение: %1 м").arg(RealToText(tavelo::RoundedToSignificant(metres, 3)));
}

} // namespace

QString waveformTitle(tavelo::Waveform waveform)
{
    switch (waveform) {
    case tavelo::Waveform::Square:
        return QStringLiteral("Прямоугольные колебания (меандр)");
    case tavelo::Waveform::Sawtooth:
        return QStringLiteral("Пилообразные колебания");
    case tavelo::Waveform::Triangle:
        return QStringLiteral("Треугольные колебания");
    case tavelo::Waveform::OneHarmonic:
        return QStringLiteral("Одна гармоника");
    }
    return {};
}

QString plotDescription(const tavelo::PlotOutcome& outcome)
{
    QString ending;
    switch (outcome.end) {
    case tavelo::PlotEnd::Completed:
        ending = QStringLiteral("График построен до конца.");
        break;
    case tavelo::PlotEnd::Cancelled:
        ending = QStringLiteral("Построение графика отменено в столбце %1.").arg(wholeNumber(outcome.column));
        break;
    case tavelo::PlotEnd::NumericFault:
        ending = outcome.column == 0
                     ? QStringLiteral("Построение графика остановлено в начальной точке: числа вышли за пределы, "
                                      "с которыми может работать программа.")
                     : QStringLiteral("Построение графика остановлено в столбце %1: числа вышли за пределы, "
                                      "с которыми может работать программа.")
                           .arg(wholeNumber(outcome.column));
        break;
    }
    if (outcome.drawnPoints == 0)
        return ending + QStringLiteral(" Ничего не нарисовано.");
    return ending
           + QStringLiteral(" Наименьшее значение суммы %1 м, наибольшее %2 м.")
                 .arg(RealToText(outcome.lowest), RealToText(outcome.highest));
}

QString plotFaultMessage(const tavelo::PlotOutcome& outcome)
{
    const QString where = outcome.column == 0
                              ? QStringLiteral("Построение графика остановлено в начальной точке.")
                              : QStringLiteral("Построение графика остановлено в столбце %1.")
                                    .arg(wholeNumber(outcome.column));
    const QString term = wholeNumber(outcome.term);
    QString why;
    switch (outcome.fault) {
    case tavelo::NumericFault::TimeTerm:
        why = QStringLiteral("Время для слагаемого %1 вышло за пределы чисел, с которыми может работать программа. "
                             "Уменьшите количество периодов на экране.")
                  .arg(term);
        break;
    case tavelo::NumericFault::Angle:
        why = QStringLiteral("Фаза слагаемого %1 вышла за пределы чисел, с которыми может работать программа. "
                             "Уменьшите начальную фазу этого слагаемого.")
                  .arg(term);
        break;
    case tavelo::NumericFault::Sum:
        why = QStringLiteral("Сумма гармонических слагаемых вышла за пределы чисел, с которыми может работать "
                             "программа (на слагаемом %1). Уменьшите амплитуды.")
                  .arg(term);
        break;
    case tavelo::NumericFault::Coordinate:
    case tavelo::NumericFault::None:
        why = QStringLiteral("Значение суммы слишком велико, чтобы отложить его на графике. Уменьшите амплитуды "
                             "или увеличьте максимальную видимую координату.");
        break;
    }
    return where + QLatin1Char('\n') + why;
}

QString partsDescription(const tavelo::PlotResult& result, const ShapeSource* shape)
{
    QString description;
    if (result.termsShown > 0)
        description += QStringLiteral(" Показаны слагаемые: %1.").arg(WholeToText(result.termsShown));
    if (shape) {
        description += shapeOrigin(*shape);
    } else {
        if (result.limitAsked && !result.limit)
            description += QStringLiteral(" Предельная форма известна только для колебаний из меню спектра.");
        if (!result.limit)
            return description;
        description += QStringLiteral(" Предельная форма: %1.").arg(waveformTitle(*result.limit));
    }
    for (QString figure : cornerFigures(result, shape)) {
        if (!figure.endsWith(QLatin1Char('.')))
            figure += QLatin1Char('.');
        description += QLatin1Char(' ') + figure;
    }
    return description;
}

QStringList cornerFigures(const tavelo::PlotResult& result, const ShapeSource* shape)
{
    QStringList figures;
    if (shape)
        figures << shape->notes;
    if (result.outcome.end != tavelo::PlotEnd::NumericFault && (result.limit || result.shapeShown)) {
        if (result.overshoot)
            figures << overshootText(*result.overshoot);
        if (result.deviation)
            figures << deviationText(*result.deviation);
    }
    if (shape && shape->droppedMean) {
        figures << QStringLiteral("Постоянная составляющая %1 м отброшена: в ряду Фурье программы её нет.")
                       .arg(RealToText(tavelo::RoundedToSignificant(*shape->droppedMean, 3)));
    }
    return figures;
}

QString drawingHint()
{
    return QStringLiteral("Нарисуйте один период: ведите мышью слева направо, не отпуская кнопку; Esc — отмена");
}

QString targetReadout(double value)
{
    return QStringLiteral(", цель: %1 м").arg(RealToText(tavelo::RoundedToSignificant(value, 4)));
}

QString cursorReadout(double periods, double value)
{
    const auto significant = [](double v) { return RealToText(tavelo::RoundedToSignificant(v, 4)); };
    return QStringLiteral("t = %1 T, f(t) = %2 м").arg(significant(periods), significant(value));
}
