#pragma once

#include "core/lessonfile.h"

#include <QString>
#include <QStringList>

#include <vector>

// Why a lesson file could not be opened, in words, with the file's name.
QString lessonFaultMessage(const QString& fileName, const tavelo::LessonFault& fault);

// A file that could not be read or written at all: missing, a folder, too
// large, or what the system said.
QString missingFileMessage(const QString& fileName);
QString folderMessage(const QString& fileName);
QString tooLargeMessage(const QString& fileName);
QString unknownKindMessage(const QString& fileName);
QString readFailedMessage(const QString& fileName, const QString& reason);
QString saveFailedMessage(const QString& fileName, const QString& reason);
// A sound file that cannot be read, and why.
QString soundFaultMessage(const QString& fileName, const QString& why);
// What a table's or a sound's fault message begins with when it is a file's.
QString tableSourceText(const QString& fileName);

// What the plot's corner and its description say of the lesson's file.
QString fileFigure(const QString& fileName);
// Said when a file is opened or saved.
QString openedText(const QString& fileName);
QString savedText(const QString& fileName);

// Saving a task with no target shown.
QString noTargetMessage();

// The dialogs' titles, questions and filters.
QString saveTaskDialogTitle();
QString savePictureDialogTitle();
QString saveValuesDialogTitle();
QString pictureFilter();
QString valuesFilter();

// The names of the plot's values' columns: time, sum, the terms given, and
// the limit shape or the target where they have a column.
QStringList valueColumnNames(const std::vector<int>& terms, bool limit, bool target);
QString taskWordsQuestion();
QString openDialogTitle();
QString saveDialogTitle();
QString lessonFilter();
QString openFilter();
