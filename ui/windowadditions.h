#pragma once

#include <QObject>

class Form1;
class PartsPlotter;
class PictureMenus;

// What the window offers beyond its design, put together: the drawing areas'
// menus and the objects that do what their items say (waveforms and tables
// written into the fields, the plot's parts, its cursor, its sound, the
// clipboard),
// each following the window's plot through its signals.
class WindowAdditions : public QObject {
    Q_OBJECT

public:
    explicit WindowAdditions(Form1* form);

    PictureMenus* pictureMenus() const { return m_pictureMenus; }
    PartsPlotter* partsPlotter() const { return m_partsPlotter; }

private:
    PictureMenus* m_pictureMenus;
    PartsPlotter* m_partsPlotter;
};
