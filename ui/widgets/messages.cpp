#include "ui/widgets/messages.h"

#include "core/termcount.h"
#include "ui/widgets/fieldtext.h"

#include <QPushButton>

QString aboutPrompt()
{
    const QChar cr(13);
    const QChar tab(9);
    return QStringLiteral("Построение графиков негармонических колебаний.") + cr + QString() + cr + QString() + cr
           + QString() + cr + QString() + cr + cr + cr + tab
           + QStringLiteral("Данная программа предназначена для иллюстрации того, как любая периодическая функция "
                            "может быть представлена в виде ряда Фурье. Возможно задание до %1 гармонических "
                            "слагаемых.")
                 .arg(WholeToText(tavelo::kMaxTerms))
           + cr + tab + QStringLiteral("Для получения информации по какому-либо элементу интерфейса наведите на него мышью.");
}

QString amplitudeFieldDescription()
{
    return QStringLiteral("Амплитуда гармоники %1, м");
}

QString phaseFieldDescription()
{
    return QStringLiteral("Начальная фаза гармоники %1, в долях числа пи");
}

void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    QMessageBox box(icon, QStringLiteral("Tavelo"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Qt's Russian translation leaves this button in Latin letters.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));
    box.exec();
}
