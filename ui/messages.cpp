#include "ui/messages.h"

#include "core/columnplot.h"
#include "core/termtable.h"
#include "ui/fieldtext.h"

#include <QPushButton>

namespace {

QString wholeNumber(double v)
{
    return WholeToText(static_cast<long long>(v));
}

} // namespace

QString aboutPrompt()
{
    const QChar cr(13);
    const QChar tab(9);
    return QStringLiteral("Построение графиков негармонических колебаний.") + cr + QString() + cr + QString() + cr
           + QString() + cr + QString() + cr + cr + cr + tab
           + QStringLiteral("Данная программа предназначена для иллюстрации того, как любая периодическая функция "
                            "может быть представлена в виде ряда Фурье. Возможно задание до 250 гармонических "
                            "слагаемых.")
           + cr + tab + QStringLiteral("Для получения информации по какому-либо элементу интерфейса наведите на него мышью.");
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

QString termTableHeader()
{
    return QStringLiteral("Амплитуда, м\tНачальная фаза, в долях π");
}

QString termTableFaultMessage(const tavelo::TermTableFault& fault)
{
    using Kind = tavelo::TermTableFault::Kind;
    // A cell may hold a whole clipboard; the message shows its start.
    const QString cellText = QString::fromStdString(fault.text);
    const QString shownText = cellText.size() > 40 ? cellText.left(40) + QStringLiteral("…") : cellText;
    const QString where = QStringLiteral("Строка %1, ячейка %2: ").arg(WholeToText(fault.row), WholeToText(fault.cell));
    QString why;
    switch (fault.kind) {
    case Kind::NoText:
        why = QStringLiteral("В буфере обмена нет текста. Скопируйте в электронной таблице столбец амплитуд "
                             "или два столбца: амплитуды и начальные фазы.");
        break;
    case Kind::NoRows:
        why = QStringLiteral("В таблице нет ни одной строки с числами.");
        break;
    case Kind::TooManyRows:
        why = QStringLiteral("Строка %1: в таблице больше 250 строк с числами, а слагаемых может быть не больше 250.")
                  .arg(WholeToText(fault.row));
        break;
    case Kind::TooManyCells:
        why = QStringLiteral("Строка %1: ячеек %2, а нужна одна (амплитуда) или две (амплитуда и начальная фаза).")
                  .arg(WholeToText(fault.row), WholeToText(fault.cells));
        break;
    case Kind::EmptyCell:
        why = where + QStringLiteral("ячейка пуста.");
        break;
    case Kind::NotANumber:
        why = where + QStringLiteral("«%1» — не число.").arg(shownText);
        break;
    case Kind::OutOfRange:
        why = where + QStringLiteral("«%1» — число вне пределов, с которыми может работать программа.").arg(shownText);
        break;
    }
    return why + QStringLiteral("\nСлагаемые не вставлены, поля остались прежними.");
}

void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    QMessageBox box(icon, QStringLiteral("Tavelo"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Qt's Russian translation leaves this button in Latin letters.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));
    box.exec();
}
