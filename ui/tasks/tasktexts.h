#pragma once

#include <QString>

namespace tavelo {
struct ShapeMatch;
struct Task;
struct TaskCheck;
}

// What a task says: what to find, and what a check of the answer found.

// «Задание, уровень 2: подберите амплитуды слагаемых 1..3.»
QString taskText(const tavelo::Task& task);
// «Верно! Решено заданий: 2.»
QString taskSolvedText(int solved);
// «Пока нет: отклонение 0.212 м. Верных слагаемых: 1 из 3.»
QString taskMissedText(const tavelo::TaskCheck& check, int terms);

// A teacher's task: its words in the plot's corner, and what a check found.
QString teacherTaskText(const QString& words);
QString teacherTaskSolvedText(const tavelo::ShapeMatch& match);
QString teacherTaskMissedText(const tavelo::ShapeMatch& match);
