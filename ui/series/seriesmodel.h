#pragma once

#include "core/harmonicparams.h"
#include "core/history.h"
#include "ui/series/seriesfields.h"
#include "ui/series/seriesstate.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The one model of the series that every addition reads and changes: the
// terms, N, H, the largest visible coordinate, the periods and the basis as
// the fields hold them (their rules keep working as typing does), the shape
// the sum is compared with, the limit shape's tick and a task. Every change
// is a step of the series' history, named for the user: a gesture of an
// addition through change(), typing in a field by itself, merged until the
// field loses the focus or a step closes it. Undo and redo put back the
// fields, the spectrum, the target and the task exactly as they were.
class SeriesModel : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxBytes = 20 * 1024 * 1024;

    SeriesModel(SeriesFields* fields, QWidget* window, QObject* parent);

    // The series as the fields read now.
    int termCount() const { return m_fields->termCount(); }
    bool sinBasis() const { return m_fields->sinBasis(); }
    tavelo::HarmonicParams read() const { return m_fields->read(); }
    SpectrumInput spectrumInput() const { return m_fields->spectrumInput(); }
    double amplitude(int n) const;
    double phase(int n) const;
    QString amplitudeText(int n) const { return m_fields->amplitudeText(n); }
    QString phaseText(int n) const { return m_fields->phaseText(n); }
    QString periodsText() const { return m_fields->periodsText(); }
    int amplitudeOnShow() const;

    // Everything a step of the history puts back, as it stands now.
    SeriesState state() const { return capture(); }
    const SeriesTarget& target() const { return m_target; }
    bool limitShown() const { return m_limitShown; }
    bool plotShown() const { return m_plotShown; }
    std::optional<tavelo::Waveform> lastWaveform() const { return m_lastWaveform; }
    const std::optional<TaskState>& task() const { return m_task; }

    // One step of the history: `edit` changes the series through the
    // writers below; the step is kept if anything changed. `plots`: the
    // change draws the plot, and so will its undo and redo. Steps with the
    // same merge key in a row are one step.
    struct Step {
        QString name;
        bool plots = false;
        QString mergeKey = {};
        bool plotShown = false; // of the state an undo or redo put back
    };
    void change(const Step& step, const std::function<void()>& edit);

    // Writers, inside change(); outside it they are changes of no step of
    // their own (a task's words, the limit shape ticked), which the next
    // step's undo keeps as they were before it.
    void write(const SeriesWrite& series);
    // A whole state, the fields' texts as they are given (their rules then
    // keep them usable, as typing does).
    void writeState(const SeriesState& state) { restore(state); }
    void writeAmplitude(int n, double A);
    void showAmplitude(int n);
    void setTarget(SeriesTarget target);
    void setLimitShown(bool shown);
    void setLastWaveform(std::optional<tavelo::Waveform> waveform);
    void setTask(std::optional<TaskState> task);
    // Whether the plot area shows a plot of the series as it stands.
    void setPlotShown(bool shown);
    // A text of the periods that is no step and no state to put back: what a
    // shape being drawn shows until it is drawn or given up.
    void setPeriodsDraft(const QString& text);

    // The state after start-up, where the history begins.
    void startHistory();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    QString undoName() const;
    QString redoName() const;
    // Put back the state before the step on top, or after the next undone
    // one; the step is returned, nothing when there was none.
    std::optional<Step> undo();
    std::optional<Step> redo();
    // Typing on top takes no more keys: a plot began.
    void closeStep();
    std::size_t historyBytes() const { return m_history.bytes(); }
    std::size_t historySize() const { return m_history.size(); }

signals:
    void historyChanged();
    void targetChanged();
    void limitShownChanged(bool shown);
    void taskChanged();

private:
    using History = tavelo::History<SeriesState>;

    SeriesState capture() const;
    void restore(const SeriesState& state);
    // Puts back the state before or after a step undone or redone.
    std::optional<Step> putBack(const History::Step* step, bool before);
    void fieldEdited(QWidget* field);
    void fieldsBasisEdited(bool sinBasis);
    void push(History::Step step);
    void allowFieldUndo(QWidget* field);

    SeriesFields* m_fields;
    QWidget* m_window;
    SeriesTarget m_target;
    bool m_limitShown = false;
    std::optional<tavelo::Waveform> m_lastWaveform;
    std::optional<TaskState> m_task;
    bool m_plotShown = false;
    History m_history;
    // The state after the last step, which typing's step starts from.
    SeriesState m_current;
    bool m_started = false;
    int m_changing = 0; // inside change() or restore(): the fields' changes are no typing
    QPointer<QWidget> m_typingField;
};
