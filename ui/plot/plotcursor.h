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
// plot area, or with Left and Right (Shift for ten columns), Home and End
// while the area has the focus, a thin line marks a column and its time and
// value are shown as a tooltip and given to a screen reader as the area's
// description. The line is not part of the picture; it goes when both the
// pointer and the focus have left, and while a plot runs.
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

signals:
    // The line was moved to column x by a key.
    void movedByKey(int x);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isReadable() const;
    void moveTo(int x, bool fromKeyboard);
    bool moveByKey(const QKeyEvent* event);
    void hide();

    PictureBox* m_plot;
    const PlotControl* m_control;
    Target m_target;
    bool m_hovered = false;
    std::optional<int> m_column;
    // The plot's own description, given back when the cursor goes.
    std::optional<QString> m_plotDescription;
};
