#include "ui/plotdescription.h"

#include "core/columnplot.h"
#include "core/numbertext.h"

namespace {

QString numberText(double v)
{
    return QString::fromStdString(tavelo::RealToText(v, '.'));
}

QString columnText(double column)
{
    return QString::fromStdString(tavelo::WholeToText(static_cast<long long>(column)));
}

} // namespace

QString plotDescription(const tavelo::PlotOutcome& outcome)
{
    QString ending;
    switch (outcome.end) {
    case tavelo::PlotEnd::Completed:
        ending = QStringLiteral("График построен до конца.");
        break;
    case tavelo::PlotEnd::Cancelled:
        ending = QStringLiteral("Построение графика отменено в столбце %1.").arg(columnText(outcome.column));
        break;
    case tavelo::PlotEnd::NumericFault:
        ending = outcome.column == 0
                     ? QStringLiteral("Построение графика остановлено в начальной точке: числа вышли за пределы, "
                                      "с которыми может работать программа.")
                     : QStringLiteral("Построение графика остановлено в столбце %1: числа вышли за пределы, "
                                      "с которыми может работать программа.")
                           .arg(columnText(outcome.column));
        break;
    }
    if (outcome.drawnPoints == 0)
        return ending + QStringLiteral(" Ничего не нарисовано.");
    return ending
           + QStringLiteral(" Наименьшее значение суммы %1 м, наибольшее %2 м.")
                 .arg(numberText(outcome.lowest), numberText(outcome.highest));
}
