#include "ui/tasks/tasktexts.h"

#include "core/numbertext.h"
#include "core/task.h"
#include "ui/widgets/fieldtext.h"

QString taskText(const tavelo::Task& task)
{
    return QStringLiteral("Задание, уровень %1: подберите %2 слагаемых 1..%3.")
        .arg(WholeToText(task.level),
             task.asksForPhases() ? QStringLiteral("амплитуды и фазы") : QStringLiteral("амплитуды"),
             WholeToText(task.terms));
}

QString taskSolvedText(int solved)
{
    return QStringLiteral("Верно! Решено заданий: %1.").arg(WholeToText(solved));
}

QString taskMissedText(const tavelo::TaskCheck& check, int terms)
{
    return QStringLiteral("Пока нет: отклонение %1 м. Верных слагаемых: %2 из %3.")
        .arg(RealToText(tavelo::RoundedToSignificant(check.deviation, 3)), WholeToText(check.rightTerms),
             WholeToText(terms));
}

QString teacherTaskText(const QString& words)
{
    const QString trimmed = words.trimmed();
    return QStringLiteral("Задание учителя: %1")
        .arg(trimmed.isEmpty() ? QStringLiteral("подберите слагаемые, чтобы сумма совпала с целью.") : trimmed);
}

QString teacherTaskSolvedText(const tavelo::ShapeMatch& match)
{
    return QStringLiteral("Верно! Отклонение %1 м, допустимо до %2 м.")
        .arg(RealToText(tavelo::RoundedToSignificant(match.deviation, 3)),
             RealToText(tavelo::RoundedToSignificant(match.allowed, 3)));
}

QString teacherTaskMissedText(const tavelo::ShapeMatch& match)
{
    return QStringLiteral("Пока нет: отклонение %1 м, а допустимо до %2 м (5 % размаха цели).")
        .arg(RealToText(tavelo::RoundedToSignificant(match.deviation, 3)),
             RealToText(tavelo::RoundedToSignificant(match.allowed, 3)));
}
