#pragma once

#include "ui/plot/readingtexts.h"

#include <QObject>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class PictureBox;
class PlotControl;
class PlotCursor;
class SeriesModel;

// Takes the plot's cursor where a listener wants to be, in one key each
// while the plot area has the focus: Ctrl+Right and Ctrl+Left to the next and
// previous extreme, Alt+Right and Alt+Left to a crossing of zero, Shift+Right
// and Shift+Left to a jump; with a target shown, Ctrl+Shift to the extremes
// of the sum's deviation from it and Alt+Shift to the target's own. Each says
// what it found there, or that nothing lies further, the cursor unmoved. I
// says the whole curve in a sentence; 1, 2 and 3 choose the trace's length.
class PlotReader : public QObject {
    Q_OBJECT

public:
    PlotReader(PictureBox* plot, const PlotControl* control, PlotCursor* cursor, const SeriesModel* model,
               QObject* parent);

    // The trace's lengths in seconds, chosen by 1, 2 and 3.
    static constexpr double kTraceSeconds[] = {2, 4, 8};

    // The plot in one sentence, as I says it.
    QString summary() const;

signals:
    // 1, 2 or 3: the trace's length in seconds.
    void traceSecondsChosen(double seconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    void jump(ReadingPlace place, bool forward);
    // The target's value at every column drawn; empty where none is shown.
    std::vector<double> targetColumns() const;
    double periodsAt(int column) const;

    PictureBox* m_plot;
    const PlotControl* m_control;
    PlotCursor* m_cursor;
    const SeriesModel* m_model;
};
