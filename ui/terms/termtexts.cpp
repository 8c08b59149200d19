#include "ui/terms/termtexts.h"

#include "core/numbertext.h"
#include "core/shape.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "ui/widgets/fieldtext.h"

QString termTableHeader()
{
    return QStringLiteral("Амплитуда, м\tНачальная фаза, в долях π");
}

QString tableFaultMessage(const tavelo::TableFault& fault, TableContent content)
{
    using Kind = tavelo::TableFault::Kind;
    const bool terms = content == TableContent::Terms;
    // A cell may hold a whole clipboard; the message shows its start.
    const QString cellText = QString::fromStdString(fault.text);
    const QString shownText = cellText.size() > 40 ? cellText.left(40) + QStringLiteral("…") : cellText;
    const QString where = QStringLiteral("Строка %1, ячейка %2: ").arg(WholeToText(fault.row), WholeToText(fault.cell));
    QString why;
    switch (fault.kind) {
    case Kind::NoText:
        why = terms ? QStringLiteral("В буфере обмена нет текста. Скопируйте в электронной таблице столбец амплитуд "
                                     "или два столбца: амплитуды и начальные фазы.")
                    : QStringLiteral("В буфере обмена нет текста. Скопируйте в электронной таблице столбец значений "
                                     "одного периода или два столбца: время и значение.");
        break;
    case Kind::NoRows:
        why = QStringLiteral("В таблице нет ни одной строки с числами.");
        break;
    case Kind::TooFewRows:
        why = QStringLiteral("В таблице строк с числами: %1, а нужно не меньше %2.")
                  .arg(WholeToText(fault.cells), WholeToText(tavelo::kShapeMinSamples));
        break;
    case Kind::TooManyRows:
        why = terms ? QStringLiteral("Строка %1: в таблице больше %2 строк с числами, а слагаемых может быть не "
                                     "больше %2.")
                          .arg(WholeToText(fault.row), WholeToText(tavelo::kMaxTerms))
                    : QStringLiteral("Строка %1: в таблице больше %2 строк с числами, а отсчётов формы может быть "
                                     "не больше %2.")
                          .arg(WholeToText(fault.row), WholeToText(tavelo::kShapeMaxSamples));
        break;
    case Kind::TooManyCells:
        why = terms ? QStringLiteral("Строка %1: ячеек %2, а нужна одна (амплитуда) или две (амплитуда и начальная "
                                     "фаза).")
                          .arg(WholeToText(fault.row), WholeToText(fault.cells))
                    : QStringLiteral("Строка %1: ячеек %2, а нужна одна (значение) или две (время и значение), "
                                     "как в первой строке.")
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
    case Kind::NotIncreasing:
        why = where + QStringLiteral("«%1» — время не больше, чем в предыдущей строке, а оно должно расти.")
                          .arg(shownText);
        break;
    case Kind::TimeSpan:
        why = where + QStringLiteral("«%1» — время так далеко от первой строки, что шаг между отсчётами выходит за "
                                     "пределы чисел, с которыми может работать программа.")
                          .arg(shownText);
        break;
    }
    return why + (terms ? QStringLiteral("\nСлагаемые не вставлены, поля остались прежними.")
                        : QStringLiteral("\nФорма не вставлена, поля остались прежними."));
}

QString termReadout(int n, int N, double A, double Fi)
{
    const auto significant = [](double v) { return RealToText(tavelo::RoundedToSignificant(v, 4)); };
    return QStringLiteral("Гармоника %1 из %2: амплитуда %3 м, начальная фаза %4 π")
        .arg(WholeToText(n), WholeToText(N), significant(A), significant(Fi));
}

QString shapeStepName(ShapeSource::Kind source)
{
    switch (source) {
    case ShapeSource::Kind::Drawn:
        return QStringLiteral("рисование формы");
    case ShapeSource::Kind::Pasted:
        return QStringLiteral("вставка формы");
    case ShapeSource::Kind::Recorded:
        return QStringLiteral("запись звука");
    case ShapeSource::Kind::Task:
        return QStringLiteral("задание");
    case ShapeSource::Kind::Operation:
        return QStringLiteral("преобразование суммы");
    case ShapeSource::Kind::Kept:
        return QStringLiteral("запоминание суммы");
    }
    return {};
}
