#pragma once

#include <QObject>

#include <random>

class Form1;

namespace tavelo {
enum class Waveform;
struct TermTable;
}

// Writes a whole series into the window's fields as typing would, each write
// through its field's rule, and plots it as «График» does.
class TermWriter : public QObject {
    Q_OBJECT

public:
    explicit TermWriter(Form1* form);

    // The terms, basis, spectrum scale and largest visible coordinate of a
    // classic waveform; N is raised from 1, since one term shows no shape.
    // While a plot runs it does nothing: one plot runs at a time.
    void writeWaveform(tavelo::Waveform waveform);
    // A random initial phase for each term 1..N, from [0, 2) in units of pi
    // with three decimals; the amplitudes stay.
    void writeRandomPhases();
    // A table's terms 1..k, with N = k; the fields beyond k keep their texts.
    void writeTable(const tavelo::TermTable& table);

private:
    Form1* m_form;
    std::mt19937 m_random{std::random_device{}()};
};
