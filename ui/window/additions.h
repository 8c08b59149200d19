#pragma once

#include <functional>

class AmplitudeBarControl;
class PartsPlotter;
class PictureBox;
class PictureMenus;
class PlotControl;
class QPushButton;
class QWidget;
class HistoryActions;
class LessonFiles;
class SeriesModel;
class TaskSession;
class WindowZoom;

// The controls of the design that the additions work on.
struct DesignedControls {
    PictureBox* plotArea = nullptr;     // Picture1
    PictureBox* spectrumArea = nullptr; // Picture2
    QPushButton* cancel = nullptr;      // Command4
    std::function<void()> redrawSpectrum; // spectrs
};

// What the window itself uses of its additions: the plot runs through the
// parts plotter, and the spectrum's chosen bar follows its redraws.
struct Additions {
    PictureMenus* menus = nullptr;
    PartsPlotter* partsPlotter = nullptr;
    TaskSession* tasks = nullptr;
    AmplitudeBarControl* barControl = nullptr;
    HistoryActions* history = nullptr;
    WindowZoom* zoom = nullptr;
    LessonFiles* files = nullptr;
};

// Creates every addition to the designed window, children of `window`, and
// connects them with each other, the series' model and the plot.
Additions createAdditions(const DesignedControls& controls, SeriesModel* model, PlotControl* plot, QWidget* window);
