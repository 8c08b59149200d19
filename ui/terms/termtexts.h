#pragma once

#include "ui/series/shapesource.h"

#include <QString>

namespace tavelo {
struct TableFault;
}

// What the series' terms are called where the user meets them: the table of
// terms on the clipboard, the term chosen on the spectrum and the steps that
// write a shape's terms.

// The header of the table of terms the program copies: the two columns' names.
QString termTableHeader();

// Why a pasted table was not taken: its first faulty row and cell and what is
// wrong there, and that the fields are as they were.
enum class TableContent { Terms, Shape };
QString tableFaultMessage(const tavelo::TableFault& fault, TableContent content);

// Term n of N as the spectrum tells a screen reader of it when it is chosen
// or changed there: «Гармоника 3 из 15: амплитуда 0.333 м, начальная фаза 0 π».
QString termReadout(int n, int N, double A, double Fi);

// The step of the series' history that writes the terms of a shape of this
// source: «рисование формы».
QString shapeStepName(ShapeSource::Kind source);
