#include "ui/plotfaultmessage.h"

#include "core/columnplot.h"

QString plotFaultMessage(const tavelo::PlotOutcome& outcome)
{
    const QString where = outcome.column == 0
                              ? QStringLiteral("Построение графика остановлено в начальной точке.")
                              : QStringLiteral("Построение графика остановлено в столбце %1.").arg(outcome.column);
    const auto term = static_cast<long long>(outcome.term);
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
