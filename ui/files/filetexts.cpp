#include "ui/files/filetexts.h"

namespace {

QString memberWords(const std::string& where)
{
    return where.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(where));
}

} // namespace

QString lessonFaultMessage(const QString& fileName, const tavelo::LessonFault& fault)
{
    using Kind = tavelo::LessonFault::Kind;
    const QString start = QStringLiteral("Файл «%1» не открыт: ").arg(fileName);
    const QString where = memberWords(fault.where);
    switch (fault.kind) {
    case Kind::TooLarge:
        return start + QStringLiteral("он больше 20 МБ — урок столько не занимает.");
    case Kind::NotUtf8:
        return start + QStringLiteral("в нём не текст UTF-8 (байт %1).").arg(qulonglong(fault.offset + 1));
    case Kind::NotJson:
        return start + QStringLiteral("он повреждён: ошибка в записи JSON у байта %1.").arg(qulonglong(fault.offset + 1));
    case Kind::NotLesson:
        return start + QStringLiteral("это не файл урока Tavelo.");
    case Kind::NewerVersion:
        return start
               + QStringLiteral("он записан более новой версией Tavelo (формат %1), а эта версия читает формат %2. "
                                "Обновите программу.")
                     .arg(fault.version)
                     .arg(tavelo::kLessonVersion);
    case Kind::Missing:
        return start + QStringLiteral("в нём не хватает данных%1.").arg(where);
    case Kind::WrongType:
        return start + QStringLiteral("в нём значение не того вида%1.").arg(where);
    case Kind::NotFinite:
        return start + QStringLiteral("в нём бесконечное число (байт %1).").arg(qulonglong(fault.offset + 1));
    case Kind::OutOfRange:
        return start + QStringLiteral("в нём значение вне допустимых пределов%1.").arg(where);
    case Kind::TooManyTerms:
        return start + QStringLiteral("в нём больше 250 слагаемых.");
    }
    return start;
}

QString missingFileMessage(const QString& fileName)
{
    return QStringLiteral("Файл «%1» не открыт: такого файла нет.").arg(fileName);
}

QString folderMessage(const QString& fileName)
{
    return QStringLiteral("«%1» — это папка, а не файл.").arg(fileName);
}

QString tooLargeMessage(const QString& fileName)
{
    return QStringLiteral("Файл «%1» не открыт: он больше 20 МБ — урок столько не занимает.").arg(fileName);
}

QString unknownKindMessage(const QString& fileName)
{
    return QStringLiteral("Файл «%1» не открыт: программа открывает уроки (.tavelo), таблицы (.csv, .tsv, .txt) "
                          "и звук (.wav).")
        .arg(fileName);
}

QString readFailedMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Файл «%1» не прочитан: %2.").arg(fileName, reason);
}

QString saveFailedMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Файл «%1» не сохранён: %2. Прежний файл остался как был.").arg(fileName, reason);
}

QString soundFaultMessage(const QString& fileName, const QString& why)
{
    return QStringLiteral("Файл «%1» не открыт: %2.").arg(fileName, why);
}

QString tableSourceText(const QString& fileName)
{
    return QStringLiteral("Файл «%1». ").arg(fileName);
}

QString fileFigure(const QString& fileName)
{
    return QStringLiteral("Файл: %1").arg(fileName);
}

QString openedText(const QString& fileName)
{
    return QStringLiteral("Открыт файл %1").arg(fileName);
}

QString savedText(const QString& fileName)
{
    return QStringLiteral("Сохранено в файл %1").arg(fileName);
}

QString noTargetMessage()
{
    return QStringLiteral("Задание — это цель, к которой ученики подбирают слагаемые, а цели сейчас нет. "
                          "Нарисуйте или вставьте форму, запишите звук или запомните сумму, а потом сохраните "
                          "задание.");
}

QString saveTaskDialogTitle()
{
    return QStringLiteral("Сохранить как задание");
}

QString savePictureDialogTitle()
{
    return QStringLiteral("Сохранить рисунок");
}

QString saveValuesDialogTitle()
{
    return QStringLiteral("Сохранить значения");
}

QString pictureFilter()
{
    return QStringLiteral("Рисунки PNG (*.png)");
}

QString valuesFilter()
{
    return QStringLiteral("Таблицы CSV (*.csv)");
}

QStringList valueColumnNames(const std::vector<int>& terms, bool limit, bool target)
{
    QStringList names{QStringLiteral("t, периоды"), QStringLiteral("f(t), м")};
    for (const int n : terms)
        names << QStringLiteral("Слагаемое %1, м").arg(n);
    if (limit)
        names << QStringLiteral("Предельная форма, м");
    if (target)
        names << QStringLiteral("Цель, м");
    return names;
}

QString taskWordsQuestion()
{
    return QStringLiteral("Слова задания для учеников (можно оставить пустыми):");
}

QString openDialogTitle()
{
    return QStringLiteral("Открыть");
}

QString saveDialogTitle()
{
    return QStringLiteral("Сохранить урок");
}

QString lessonFilter()
{
    return QStringLiteral("Уроки Tavelo (*.tavelo)");
}

QString openFilter()
{
    return QStringLiteral("Уроки, таблицы и звук (*.tavelo *.csv *.tsv *.txt *.wav);;Уроки Tavelo (*.tavelo);;"
                          "Таблицы (*.csv *.tsv *.txt);;Звук (*.wav);;Все файлы (*)");
}
