#include "ui/operations/operationtexts.h"

#include "core/numbertext.h"
#include "ui/widgets/fieldtext.h"

namespace {

QString metres(double v)
{
    return RealToText(tavelo::RoundedToSignificant(v, 3)) + QStringLiteral(" м");
}

} // namespace

QString operationTitle(SumOperation operation)
{
    switch (operation) {
    case SumOperation::HalfWaveRectify:
        return QStringLiteral("Однополупериодное выпрямление");
    case SumOperation::FullWaveRectify:
        return QStringLiteral("Двухполупериодное выпрямление");
    case SumOperation::Clip:
        return QStringLiteral("Ограничить на уровне…");
    case SumOperation::Invert:
        return QStringLiteral("Инвертировать");
    case SumOperation::ReverseTime:
        return QStringLiteral("Обратить время");
    case SumOperation::KeepOdd:
        return QStringLiteral("Оставить нечётные");
    case SumOperation::KeepEven:
        return QStringLiteral("Оставить чётные");
    case SumOperation::Quantize:
        return QStringLiteral("Квантовать…");
    case SumOperation::SampleAndHold:
        return QStringLiteral("Выборка с запоминанием…");
    }
    return {};
}

QString operationQuestion(SumOperation operation, double largest)
{
    switch (operation) {
    case SumOperation::Clip:
        return QStringLiteral("Уровень ограничения, м (наибольшее значение суммы по модулю %1):").arg(metres(largest));
    case SumOperation::Quantize:
        return QStringLiteral("Число уровней, от 2 до 64:");
    case SumOperation::SampleAndHold:
        return QStringLiteral("Число отсчётов за период, от 4 до 64:");
    default:
        return {};
    }
}

QString operationStepName(SumOperation operation, double value)
{
    switch (operation) {
    case SumOperation::HalfWaveRectify:
        return QStringLiteral("однополупериодное выпрямление");
    case SumOperation::FullWaveRectify:
        return QStringLiteral("двухполупериодное выпрямление");
    case SumOperation::Clip:
        return QStringLiteral("ограничение на уровне %1").arg(metres(value));
    case SumOperation::Invert:
        return QStringLiteral("инвертирование");
    case SumOperation::ReverseTime:
        return QStringLiteral("обращение времени");
    case SumOperation::KeepOdd:
        return QStringLiteral("нечётные гармоники");
    case SumOperation::KeepEven:
        return QStringLiteral("чётные гармоники");
    case SumOperation::Quantize:
        return QStringLiteral("квантование");
    case SumOperation::SampleAndHold:
        return QStringLiteral("выборка с запоминанием");
    }
    return {};
}

QString operationNote(SumOperation operation, double value)
{
    const int count = static_cast<int>(value);
    switch (operation) {
    case SumOperation::HalfWaveRectify:
        return QStringLiteral("Однополупериодное выпрямление суммы");
    case SumOperation::FullWaveRectify:
        return QStringLiteral("Двухполупериодное выпрямление суммы");
    case SumOperation::Clip:
        return QStringLiteral("Сумма ограничена на уровне ±%1").arg(metres(value));
    case SumOperation::Invert:
        return QStringLiteral("Сумма инвертирована: −f(t)");
    case SumOperation::ReverseTime:
        return QStringLiteral("Время обращено: f(−t)");
    case SumOperation::KeepOdd:
        return QStringLiteral("Оставлены нечётные гармоники");
    case SumOperation::KeepEven:
        return QStringLiteral("Оставлены чётные гармоники");
    case SumOperation::Quantize:
        return QStringLiteral("Сумма квантована: %1")
            .arg(CountToText(count, QStringLiteral("уровень"), QStringLiteral("уровня"), QStringLiteral("уровней")));
    case SumOperation::SampleAndHold:
        return QStringLiteral("Выборка с запоминанием: %1 за период")
            .arg(CountToText(count, QStringLiteral("отсчёт"), QStringLiteral("отсчёта"), QStringLiteral("отсчётов")));
    }
    return {};
}

QString zeroSumRefusal()
{
    return QStringLiteral("Сумма равна нулю: преобразовывать нечего. Слагаемые не изменены.");
}

QString uncomputableSumRefusal()
{
    return QStringLiteral("Сумму не удаётся вычислить: числа вышли за пределы, с которыми может работать программа. "
                          "Слагаемые не изменены.");
}

QString clipLevelRefusal(double level, double largest)
{
    if (!(level > 0))
        return QStringLiteral("Уровень ограничения должен быть больше нуля (дробную часть отделяйте точкой: 0.5). "
                              "Слагаемые не изменены.");
    return QStringLiteral("Сумма нигде не выходит за ±%1, так что ограничение на уровне %2 её не изменит. "
                          "Слагаемые не изменены.")
        .arg(metres(largest), metres(level));
}

QString wholeNumberRefusal(SumOperation operation, int lowest, int highest)
{
    const QString what = operation == SumOperation::Quantize ? QStringLiteral("Число уровней")
                                                             : QStringLiteral("Число отсчётов за период");
    return QStringLiteral("%1 должно быть целым, от %2 до %3. Слагаемые не изменены.")
        .arg(what, WholeToText(lowest), WholeToText(highest));
}

QString parityRefusal(bool odd, bool noneLeft)
{
    if (noneLeft) {
        return odd ? QStringLiteral("В сумме нет нечётных гармоник: осталась бы нулевая сумма. Слагаемые не изменены.")
                   : QStringLiteral("В сумме нет чётных гармоник: осталась бы нулевая сумма. Слагаемые не изменены.");
    }
    return odd ? QStringLiteral("В сумме и так только нечётные гармоники. Слагаемые не изменены.")
               : QStringLiteral("В сумме и так только чётные гармоники. Слагаемые не изменены.");
}

QString constantResultRefusal()
{
    return QStringLiteral("После преобразования осталась бы постоянная величина, а в ряду Фурье программы её нет. "
                          "Слагаемые не изменены.");
}
