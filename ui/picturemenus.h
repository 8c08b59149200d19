#pragma once

#include <QList>
#include <QObject>

class PictureBox;
class QAction;

namespace tavelo {
enum class Waveform;
}

// The context menus of the two drawing areas, opened by the right mouse
// button, the Menu key or Shift+F10: the spectrum offers the classic
// waveforms and both areas copy their picture (also Ctrl+C).
class PictureMenus : public QObject {
    Q_OBJECT

public:
    PictureMenus(PictureBox* plot, PictureBox* spectrum, QObject* parent);

    const QList<QAction*>& waveformActions() const { return m_waveformActions; }

    // A waveform plots, and one plot runs at a time.
    void setPlotRunning(bool running);

signals:
    void waveformChosen(tavelo::Waveform waveform);

private:
    static void addCopyAction(PictureBox* box);

    QList<QAction*> m_waveformActions;
};
