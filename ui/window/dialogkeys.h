#pragma once

#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

// Default and cancel buttons for a plain window. Enter pressed on any control
// but a button presses the default button while it is enabled, and the
// control never sees that key; with the default button disabled, Enter goes to
// the control. Enter on a button presses that button. Escape presses the
// cancel button. Keys in other windows, such as a message box, are left alone.
class DialogKeys : public QObject {
    Q_OBJECT

public:
    DialogKeys(QWidget* window, QPushButton* defaultButton, QPushButton* cancelButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QPushButton> m_defaultButton;
    QPointer<QPushButton> m_cancelButton;
};
