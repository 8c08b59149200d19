#pragma once

// moc needs nothing of the generated design and must not read it: uic may or
// may not have written it when moc runs, and moc's output would differ with it.
#ifndef Q_MOC_RUN
#include "ui_Form1.h"
#endif

#include <QWidget>

class HistoryActions;
class LessonFiles;
class PartsPlotter;
class PictureMenus;
class PlotControl;
class SeriesFields;
class SeriesModel;
class TaskSession;
class WindowZoom;

// The one window of the program. Its handlers keep the parameter fields
// valid through the series' own rules, walk the amplitude and phase fields,
// redraw the spectrum and run the plot; the computation lives in the core
// library, and each addition to the design in a class of its own, which
// createAdditions creates and connects and hands the series and the plot.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Completes the designed window and shows it.
    void Form_Load();

    // The amplitude and phase fields, addressed 1..kMaxTerms like the design.
    TextField* AAA(int index) const;
    TextField* FFF(int index) const;

    SeriesFields& fields() const { return *m_series; }
    SeriesModel& series() const { return *m_model; }
    PlotControl& plot() const { return *m_plot; }
    const PictureMenus& pictureMenus() const { return *m_pictureMenus; }
    const HistoryActions& historyActions() const { return *m_historyActions; }
    WindowZoom& zoom() const { return *m_zoom; }
    TaskSession& tasks() const { return *m_tasks; }
    LessonFiles& files() const { return *m_files; }

    // Form-level state: continue flag of the plot, basis captured at its start
    // (-1 for sine), and the indices of the amplitude and phase fields on show.
    qint16 tdk() const { return m_tdk; }
    qint16 o1v() const { return m_o1v; }
    qint16 aa() const { return m_aa; }
    qint16 ff() const { return m_ff; }

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyFonts();
    void connectHandlers();
    void setPlotRunning(bool running);
    void DoEvents();

    Ui::Form1 ui;
    SeriesFields* m_series = nullptr;
    SeriesModel* m_model = nullptr;
    PlotControl* m_plot = nullptr;
    PartsPlotter* m_partsPlotter = nullptr;
    TaskSession* m_tasks = nullptr;
    PictureMenus* m_pictureMenus = nullptr;
    WindowZoom* m_zoom = nullptr;
    LessonFiles* m_files = nullptr;
    HistoryActions* m_historyActions = nullptr;
    qint16 m_tdk = 0;
    qint16 m_o1v = 0;
    qint16 m_aa = 0;
    qint16 m_ff = 0;
    // Set when the program ends or the window closes: a running plot stops at
    // its next yield and draws nothing more.
    bool m_ending = false;
};
