#pragma once

#include <QMessageBox>
#include <QString>

// The About message, its lines broken by carriage returns as designed.
QString aboutPrompt();

// What a screen reader is told of amplitude field %1 and of phase field %1.
QString amplitudeFieldDescription();
QString phaseFieldDescription();

// The program's message box: the text as plain text and one button, «ОК».
void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent);
