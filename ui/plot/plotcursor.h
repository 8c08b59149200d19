#pragma once

#include "core/plotreadout.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class PictureBox;
class PlotControl;
class QKeyEvent;

// Reads the plot point by point after it is drawn: with the pointer over the
// plot area, or with Left and Right, Page Up and Page Down (a tenth of a
// period), Home and End while the area has the focus, a thin line marks a
// column and its time and value are shown as a tooltip and given to a screen
// reader as the area's description, which ends with the point's place where
// the cursor moved by more than a column or the plot has another period
// count. The line is not part of the picture; it goes when both the pointer
// and the focus have left, and while a plot runs.
class PlotCursor : public QObject {
    Q_OBJECT

public:
    PlotCursor(PictureBox* plot, const PlotControl* control, QObject* parent);

    // The values of the plot that was drawn last, which the cursor reads.
    const tavelo::PlotReadout& readout() const;
    // A target the sum is matched to (a task's), whose value at a column the
    // readout tells too; empty: none.
    using Target = std::function<std::optional<double>(int x)>;
    void setTarget(Target target) { m_target = std::move(target); }

    // What the cursor says of column x.
    QString readoutText(int x) const;
    std::optional<int> column() const { return m_column; }
    std::optional<double> targetAt(int x) const { return m_target ? m_target(x) : std::nullopt; }
    bool isReadable() const;
    // Puts the line at column x for a reader who jumped there, saying
    // `words` (the readout when empty) and the point's place as a key would.
    void placeAt(int x, const QString& words = {});
    // Says `words` with the line where it is, as a reading that moved nothing.
    void say(const QString& words);

signals:
    // The line was moved to column x by a key; `crossedZero`: it passed a
    // crossing of zero on the way.
    void movedByKey(int x, bool crossedZero);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveTo(int x, bool fromKeyboard, const QString& words = {});
    bool moveByKey(const QKeyEvent* event);
    void hide();

    PictureBox* m_plot;
    const PlotControl* m_control;
    Target m_target;
    bool m_hovered = false;
    std::optional<int> m_column;
    // The plot's own description, given back when the cursor goes.
    std::optional<QString> m_plotDescription;
    // The period count of the plot whose point's place was said last.
    std::optional<double> m_placeSaidFor;
};
