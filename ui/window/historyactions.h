#pragma once

#include "ui/series/seriesmodel.h"

#include <QObject>

#include <optional>

class PictureBox;
class PlotControl;
class QAction;

// «Отменить: …» and «Повторить: …» at the top of both drawing areas' menus,
// named after the step they undo or redo and disabled when there is none or
// while a plot runs; Ctrl+Z, and Ctrl+Shift+Z or Ctrl+Y, anywhere in the
// window. A step that drew the plot draws it again, and a listener hears
// «Отменено: …» or «Повторено: …».
class HistoryActions : public QObject {
    Q_OBJECT

public:
    HistoryActions(SeriesModel* model, PlotControl* plot, PictureBox* plotArea, PictureBox* spectrumArea,
                   QObject* parent);

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    void undo();
    void redo();

private:
    void update();
    // Draws or clears the plot as the step put back had it, and says what was done.
    void finish(const std::optional<SeriesModel::Step>& step, const QString& said);
    void announce(const QString& text);

    SeriesModel* m_model;
    PlotControl* m_plot;
    PictureBox* m_plotArea;
    PictureBox* m_spectrumArea;
    QAction* m_undo;
    QAction* m_redo;
};
