#pragma once

#include <QObject>
#include <QString>

class PlotControl;
class QWidget;
class SeriesModel;

// Keeps the sum as the fields hold it as the target, the grey dashed shape
// the plot compares the sum with, so that a series changed afterwards shows
// how far it is from the one kept; and takes any target away. Neither is a
// step of the series' history: the target is what the series is compared
// with, not part of it. A task's target is the student's to reach, so
// neither applies during one.
class TargetKeeper : public QObject {
    Q_OBJECT

public:
    TargetKeeper(SeriesModel* model, PlotControl* plot, QWidget* window, QObject* parent);

    // Keeps the sum and plots it with its target; says in a message why not,
    // where the sum cannot be kept.
    void keep();
    // The same, returning why not with nothing changed; empty when kept.
    QString keepSum();
    // Takes the target away and plots the sum without it.
    void remove();

private:
    SeriesModel* m_model;
    PlotControl* m_plot;
    QWidget* m_window;
};
