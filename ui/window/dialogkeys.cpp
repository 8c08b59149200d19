#include "ui/window/dialogkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

DialogKeys::DialogKeys(QWidget* window, QPushButton* defaultButton, QPushButton* cancelButton)
    : QObject(window)
    , m_window(window)
    , m_defaultButton(defaultButton)
    , m_cancelButton(cancelButton)
{
    // An application filter sees the key before the focused control does,
    // which a shortcut or a dialog's default button cannot guarantee.
    qApp->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_window)
        return false;
    // A key that a control passes on to its parents is not pressed again.
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus ? focus : m_window.data()))
        return false;

    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (keyEvent->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    if (key == Qt::Key_Escape) {
        if (m_cancelButton && m_cancelButton->isEnabled())
            m_cancelButton->click();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->click();
        return true;
    }
    if (m_defaultButton && m_defaultButton->isEnabled()) {
        m_defaultButton->click();
        return true;
    }
    return false;
}
