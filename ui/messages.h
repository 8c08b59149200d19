#pragma once

#include <QMessageBox>
#include <QString>

namespace tavelo {
struct PlotOutcome;
struct TermTableFault;
}

// What the window says in words beyond its design's captions: the About
// message, what a plot tells a listener and the user, and the message box.

// The About message, its lines broken by carriage returns as designed.
QString aboutPrompt();

// What a listener who cannot see the plot area is told about the finished
// plot: how it ended and the range of the sum that was drawn.
QString plotDescription(const tavelo::PlotOutcome& outcome);

// What the user is told when a plot stopped on a number it could not compute:
// where it stopped, what overflowed and which parameter to change.
QString plotFaultMessage(const tavelo::PlotOutcome& outcome);

// The header of the table of terms the program copies: the two columns' names.
QString termTableHeader();

// Why a pasted table was not taken: its first faulty row and cell and what is
// wrong there, and that the fields are as they were.
QString termTableFaultMessage(const tavelo::TermTableFault& fault);

// The program's message box: the text as plain text and one button, «ОК».
void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent);
