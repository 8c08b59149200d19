#pragma once

#include "core/shape.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class PictureBox;
class PlotControl;
class SeriesModel;
class QMouseEvent;
class QShortcut;

// A shape drawn with the mouse (or a finger: Qt turns touch into the mouse's
// events) over the plot area, one period across its width: one value a
// column, where the pointer last went over it, joined by straight lines
// where a stroke went faster than the columns. The plot area shows one
// period and the shape as it stands while it is drawn; releasing the button
// ends the drawing, and columns never reached take their values by straight
// lines between the nearest drawn ones, round the period's ends. Esc, or a
// click that draws nothing, leaves everything as it was.
class ShapeDrawing : public QObject {
    Q_OBJECT

public:
    ShapeDrawing(PictureBox* plot, SeriesModel* model, PlotControl* plotControl, QObject* parent);

    bool isDrawing() const { return m_drawing; }
    // Starts drawing, unless a plot runs.
    void start();

signals:
    void shapeDrawn(const tavelo::Shape& shape);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The column and value under a point of the plot area.
    std::pair<int, double> pointAt(const QMouseEvent* event) const;
    void drawTo(int column, double value);
    void showShape();
    void finish();
    void cancel();
    void leave();

    PictureBox* m_plot;
    SeriesModel* m_model;
    PlotControl* m_plotControl;
    bool m_drawing = false;
    bool m_pressed = false;
    QImage m_before;
    QString m_periodsBefore;
    double m_Amax = 1;
    std::vector<std::optional<double>> m_values;
    std::optional<int> m_lastColumn;
    // The window's keys while a shape is drawn, before any control's.
    QShortcut* m_giveUpKeys;
    QShortcut* m_plotKeys;
};
