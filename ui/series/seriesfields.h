#pragma once

#include "core/harmonicparams.h"
#include "core/termcount.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QRadioButton;
class QScrollBar;
class TermFieldColumn;
class TextField;

// A whole series to write into the fields; what is left empty stays as it
// is. Terms are indexed from 1, as the fields are (index 0 is unused).
struct SeriesWrite {
    std::optional<bool> sinBasis = {};
    std::optional<int> termCount = {};
    std::vector<double> A = {};
    std::vector<double> Fi = {}; // in units of pi
    std::optional<double> H = {};
    std::optional<double> Amax = {};
    std::optional<double> P = {}; // the number of periods on screen
};

// What the spectrum draws: N as its field reads (below 1: no bars), the
// amplitudes 1..N and the scale H.
struct SpectrumInput {
    double N = 0;
    std::vector<double> A;
    double H = 0;
};

// The series as the window holds it: the number of terms, the amplitude and
// phase fields, the spectrum's scale, the largest visible coordinate, the
// number of periods and the basis, all as the texts of their fields, and the
// rules that keep those texts usable. Whatever reads or writes the series
// goes through here, so every write runs the fields' rules as typing does.
class SeriesFields : public QObject {
    Q_OBJECT

public:
    struct Controls {
        TextField* Counti;
        TextField* Hei;
        TextField* Amax;
        TextField* Tmax;
        QRadioButton* sinOption;
        QRadioButton* cosOption;
        TermFieldColumn* amplitudes;
        TermFieldColumn* phases;
    };

    SeriesFields(const Controls& controls, QObject* parent);

    const Controls& controls() const { return m_controls; }
    TermFieldColumn& amplitudes() const { return *m_controls.amplitudes; }
    TermFieldColumn& phases() const { return *m_controls.phases; }

    // How many terms a plot reads: the whole part of N's text, within 0..kMaxTerms.
    int termCount() const;
    bool sinBasis() const;
    // The series as a plot reads it when it starts: N, the number of periods,
    // the largest visible coordinate, the basis and the terms 1..N.
    tavelo::HarmonicParams read() const;
    SpectrumInput spectrumInput() const;
    // The texts of term n's fields, as typed.
    // The numbers of term n's fields, as their texts read.
    double amplitude(int n) const { return m_A[static_cast<std::size_t>(n)]; }
    double phase(int n) const { return m_Fi[static_cast<std::size_t>(n)]; }
    QString amplitudeText(int n) const;
    QString phaseText(int n) const;
    // The text of the number of periods on screen, and a new one, which its
    // rule then keeps usable.
    QString periodsText() const;
    void setPeriodsText(const QString& text);

    // Writes the basis, N, each term's phase and amplitude, H, the largest
    // visible coordinate and the periods, in this order, each through its
    // field's rule.
    void write(const SeriesWrite& series);
    // Writes term n's amplitude through its rule and shows its field.
    void writeAmplitude(int n, double A);

    // The rules of the fields, run at every change of their text.
    void countRule();
    void amplitudeRule(int index);
    void heightRule();
    void largestCoordinateRule();
    void periodsRule();

    // While a batch is open the spectrum is drawn once, when the last one
    // closes, however many of its fields the writes in it change: nothing
    // is shown between them.
    class Batch {
    public:
        explicit Batch(SeriesFields& fields)
            : m_fields(fields)
        {
            ++m_fields.m_batch;
        }
        ~Batch() { m_fields.endBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SeriesFields& m_fields;
    };

signals:
    // A rule changed what the spectrum shows, or asks for it to be drawn anew.
    void spectrumChanged();

private:
    Controls m_controls;
    QScrollBar* m_amplitudeBar;
    QScrollBar* m_phaseBar;
    // The numbers the amplitude and phase texts read as, read once at each
    // change: a whole series written reads each field once, not at each rule.
    std::array<double, tavelo::kMaxTerms + 1> m_A{};
    std::array<double, tavelo::kMaxTerms + 1> m_Fi{};
    int m_batch = 0;
    bool m_spectrumPending = false;

    void spectrumRuleEnded();
    void endBatch();
};
