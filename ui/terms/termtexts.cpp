#include "ui/terms/termtexts.h"

#include "core/termcount.h"
#include "core/termtable.h"
#include "core/waveforms.h"
#include "ui/widgets/fieldtext.h"

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
        why = QStringLiteral("Строка %1: в таблице больше %2 строк с числами, а слагаемых может быть не больше %2.")
                  .arg(WholeToText(fault.row), WholeToText(tavelo::kMaxTerms));
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
