#pragma once

#include <QString>

namespace tavelo {
enum class Waveform;
struct TableFault;
}

// What the series' terms are called where the user meets them: the classic
// waveforms' titles and the table of terms on the clipboard.

// A classic waveform as the spectrum's menu and the plot's description name it.
QString waveformTitle(tavelo::Waveform waveform);

// The header of the table of terms the program copies: the two columns' names.
QString termTableHeader();

// Why a pasted table was not taken: its first faulty row and cell and what is
// wrong there, and that the fields are as they were.
enum class TableContent { Terms, Shape };
QString tableFaultMessage(const tavelo::TableFault& fault, TableContent content);
