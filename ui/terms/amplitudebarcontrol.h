#pragma once

#include <QObject>

#include <optional>

class PictureBox;
class PlotControl;
class SeriesModel;

// The spectrum as a control: a term chosen with Left, Right, Home and End,
// the next or previous term that is not 0 with Ctrl+Right and Ctrl+Left, or
// by pressing on its bar; I says which terms are not 0 and the largest; its amplitude changed with Up and Down (Shift: in
// finer steps), Page Up and Page Down, Delete, or by dragging the bar. Every
// change is written into the term's amplitude field through its rule, shows
// that field and draws the plot again, at once or when the running plot
// ends. The chosen bar is framed, and a screen reader hears the term.
class AmplitudeBarControl : public QObject {
    Q_OBJECT

public:
    AmplitudeBarControl(PictureBox* spectrum, SeriesModel* model, PlotControl* plot, QObject* parent);

    std::optional<int> selected() const { return m_selected; }
    // The chosen term; where none is, the one whose amplitude field is on
    // show is chosen, as the first key on the spectrum does.
    int chosenTerm();
    // Frames the chosen bar where the spectrum now draws it.
    void showSelection();

signals:
    void selectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    // The spectrum area's own units under a point of it.
    QPointF unitsAt(QPointF position) const;
    void select(int n);
    void change(double A);
    void describe();
    void selectNonZero(bool forward);
    void summarize();
    void plotAgain();

    PictureBox* m_spectrum;
    SeriesModel* m_model;
    PlotControl* m_plot;
    std::optional<int> m_selected;
    // While a bar is dragged: the scale H it is dragged against.
    std::optional<double> m_dragScale;
    // A change made while a plot ran, to be plotted when it ends.
    bool m_plotPending = false;
    // Counts the gestures: the changes of one are one step.
    int m_gesture = 0;
};
