#pragma once

#include <QObject>

class QWidget;

// The Menu key and Shift+F10 open a control's context menu while it has the
// focus, as a desktop user expects of any control, also of one for which Qt
// does not do it (a drawing area). Lives as long as its control.
class MenuKeys : public QObject {
    Q_OBJECT

public:
    explicit MenuKeys(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
