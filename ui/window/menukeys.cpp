#include "ui/window/menukeys.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

MenuKeys::MenuKeys(QWidget* widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const auto modifiers = keyEvent->modifiers() & ~Qt::KeypadModifier;
    const bool menuKey = keyEvent->key() == Qt::Key_Menu && modifiers == Qt::NoModifier;
    const bool shiftF10 = keyEvent->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier;
    auto* widget = static_cast<QWidget*>(watched);
    if ((!menuKey && !shiftF10) || widget->contextMenuPolicy() == Qt::NoContextMenu)
        return false;
    const QPoint centre = widget->rect().center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, centre, widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &menuEvent);
    return true;
}
