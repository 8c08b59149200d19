#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class PictureBox;
class PlotControl;
class QWidget;

// The window at 100 to 200 % of its design for a projector: every control,
// margin, font and line in proportion, the plot drawn at the screen's
// resolution (more columns, not an enlarged picture) and the spectrum redrawn.
// F11 fills the screen with the largest step that fits it, and puts back the
// window as it was. The step is kept between runs in the user's settings; at
// 100 % nothing of the design is touched.
class WindowZoom : public QObject {
    Q_OBJECT

public:
    // `redrawSpectrum` draws the spectrum afresh, as an edit does.
    WindowZoom(QWidget* window, PictureBox* plot, PlotControl* control, std::function<void()> redrawSpectrum,
               QObject* parent);

    int percent() const { return m_percent; }
    bool isFullScreen() const { return m_fullScreen; }

    // The step the settings keep, applied once the window has all its controls.
    void restore();
    void setPercent(int percent);
    void larger();
    void smaller();
    void original();
    void toggleFullScreen();

signals:
    void percentChanged(int percent);

private:
    struct DesignedWidget {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool ownFont = false;
        double pixelsPerUnit = 0; // of a drawing area
    };

    void captureDesign();
    void apply(int percent);
    void save() const;

    QWidget* m_window;
    PictureBox* m_plot;
    PlotControl* m_control;
    std::function<void()> m_redrawSpectrum;
    std::vector<DesignedWidget> m_design;
    QSize m_windowSize;
    QFont m_windowFont;
    int m_percent = 100;
    bool m_fullScreen = false;
    int m_percentBeforeFullScreen = 100;
    QPoint m_windowPlace;
};

// What a listener hears of a step: «Масштаб 150 %».
QString zoomText(int percent);
