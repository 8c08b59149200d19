#pragma once

#include "ui_Form1.h"

#include <QWidget>

#include <array>

class QAction;

namespace tavelo {
struct HarmonicParams;
struct PlotOutcome;
enum class Waveform;
}

// The one window of the program. Its handlers keep the parameter fields valid,
// walk the amplitude and phase fields, redraw the spectrum and run the plot;
// all computation lives in the core library.
class Form1 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxTerms = 250;

    explicit Form1(QWidget* parent = nullptr);

    // Completes the designed window and shows it.
    void Form_Load();

    // The amplitude and phase fields, addressed 1..250 like the design.
    TextField* AAA(int index) const { return m_AAA.at(static_cast<std::size_t>(index)); }
    TextField* FFF(int index) const { return m_FFF.at(static_cast<std::size_t>(index)); }

    const Ui::Form1& controls() const { return ui; }

    // Form-level state: continue flag of the plot, basis captured at its start
    // (-1 for sine), and the indices of the amplitude and phase fields on show.
    qint16 tdk() const { return m_tdk; }
    qint16 o1v() const { return m_o1v; }
    qint16 aa() const { return m_aa; }
    qint16 ff() const { return m_ff; }

    static QString aboutPrompt();

    void Command1_Click();
    void Command4_Click();
    void Command3_Click();
    void Command2_Click();

    void Counti_Change();
    void AAA_Change(int Index);
    void Hei_Change();
    void Amax_Change();
    void Tmax_Change();

    void VScroll3_Change();
    void VScroll2_Change();
    void AAA_KeyPress(int Index, int KeyAscii);

    void spectrs();

    // The waveform items of the spectrum's context menu.
    QList<QAction*> waveformActions() const { return m_waveformActions; }

signals:
    void spectrumRedrawn();
    // A running plot is processing the pending events at this column; what a
    // receiver does here counts as done during that processing.
    void plotYielded(double column);
    void plotFinished(const tavelo::PlotOutcome& outcome);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFonts();
    void createPictureMenus();
    // Fills the fields with a classic waveform through their own rules, then
    // plots it.
    void applyWaveform(tavelo::Waveform waveform);
    // «График» and the waveform items are enabled exactly when no plot runs.
    void setPlotStartable(bool startable);
    void copyPicture(PictureBox* box);
    // Moves the scroll bar on by `step` within its range and gives the field
    // it shows the focus, its text selected.
    void stepTerm(QScrollBar* bar, const std::array<TextField*, kMaxTerms + 1>& fields, int step);
    void focusWholeText(TextField* field);
    void connectHandlers();
    TextField* createCopy(TextField* original);
    void describeFields(int index);
    void DoEvents();
    tavelo::HarmonicParams ReadHarmonicParams();
    int termCount() const;
    void reportFault(const tavelo::PlotOutcome& outcome);

    Ui::Form1 ui;
    std::array<TextField*, kMaxTerms + 1> m_AAA{};
    std::array<TextField*, kMaxTerms + 1> m_FFF{};
    qint16 m_tdk = 0;
    qint16 m_o1v = 0;
    qint16 m_aa = 0;
    qint16 m_ff = 0;
    // Set when the program ends or the window closes: a running plot stops at
    // its next yield and draws nothing more.
    bool m_ending = false;
    QList<QAction*> m_waveformActions;
};
