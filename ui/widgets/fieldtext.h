#pragma once

#include <QString>

class QLineEdit;

// The core's rules for field texts, in the toolkit's strings: every field
// text is read, and every number written back into a field or a label, here.

// The number the field's text reads as.
double NumberFromField(const QLineEdit* field);

QString WholeToText(long long n);
QString WholeToLabelText(long long n);

// Written with the full stop, the one decimal point that reading accepts, so
// that the text reads back as exactly the value written.
QString RealToText(double v);
