#pragma once

#include <QObject>

class QMenu;
class QWidget;

// A drawing area's context menu: the area's actions in one menu kept for the
// area's whole life, opened by the right mouse button, and by the Menu key
// and Shift+F10 while the area has the focus, as a desktop user expects of
// any control. Qt's own menu of a widget's actions is made anew at every
// opening, and a screen reader then heard none of the items it had heard in
// an earlier one.
class AreaMenu : public QObject {
    Q_OBJECT

public:
    explicit AreaMenu(QWidget* area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QPoint& position);

    QWidget* m_area;
    QMenu* m_menu;
};
