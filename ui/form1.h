#pragma once

#include "core/termcount.h"
#include "ui_Form1.h"

#include <QWidget>

class PictureMenus;
class WindowAdditions;
class TermFieldColumn;

namespace tavelo {
struct HarmonicParams;
struct PlotOutcome;
}

// The one window of the program. Its handlers keep the parameter fields valid,
// walk the amplitude and phase fields, redraw the spectrum and run the plot;
// the computation lives in the core library, and each addition to the design
// in a class of its own.
class Form1 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxTerms = tavelo::kMaxTerms;

    explicit Form1(QWidget* parent = nullptr);

    // Completes the designed window and shows it.
    void Form_Load();

    // The amplitude and phase fields, addressed 1..250 like the design.
    TextField* AAA(int index) const;
    TextField* FFF(int index) const;

    const Ui::Form1& controls() const { return ui; }
    const PictureMenus& pictureMenus() const;

    // Form-level state: continue flag of the plot, basis captured at its start
    // (-1 for sine), and the indices of the amplitude and phase fields on show.
    qint16 tdk() const { return m_tdk; }
    qint16 o1v() const { return m_o1v; }
    qint16 aa() const { return m_aa; }
    qint16 ff() const { return m_ff; }

    bool isPlotRunning() const { return m_plotRunning; }

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

signals:
    void spectrumRedrawn();
    void plotRunningChanged(bool running);
    // A running plot is processing the pending events at this column; what a
    // receiver does here counts as done during that processing.
    void plotYielded(double column);
    void plotFinished(const tavelo::PlotOutcome& outcome);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyFonts();
    void connectHandlers();
    void setPlotRunning(bool running);
    void DoEvents();
    tavelo::HarmonicParams ReadHarmonicParams();
    int termCount() const;

    Ui::Form1 ui;
    TermFieldColumn* m_amplitudes = nullptr;
    TermFieldColumn* m_phases = nullptr;
    WindowAdditions* m_additions = nullptr;
    qint16 m_tdk = 0;
    qint16 m_o1v = 0;
    qint16 m_aa = 0;
    qint16 m_ff = 0;
    bool m_plotRunning = false;
    // Set when the program ends or the window closes: a running plot stops at
    // its next yield and draws nothing more.
    bool m_ending = false;
};
