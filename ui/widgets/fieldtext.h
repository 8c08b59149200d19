#pragma once

#include <QString>

class QLineEdit;

// The core's rules for field texts, in the toolkit's strings: every field
// text is read, and every number written back into a field or a label, here.

// The number the field's text reads as.
double NumberFromField(const QLineEdit* field);

QString WholeToText(long long n);
// A count and the noun's form Russian takes after it: "1 отсчёт",
// "3 отсчёта", "657 отсчётов", "11 отсчётов".
QString CountToText(long long count, const QString& one, const QString& few, const QString& many);
QString WholeToLabelText(long long n);

// Written with the full stop, the one decimal point that reading accepts, so
// that the text reads back as exactly the value written.
QString RealToText(double v);
