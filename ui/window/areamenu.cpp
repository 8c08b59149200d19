#include "ui/window/areamenu.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

AreaMenu::AreaMenu(QWidget* area)
    : QObject(area)
    , m_area(area)
    , m_menu(new QMenu(area))
{
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, this, &AreaMenu::open);
    area->installEventFilter(this);
}

void AreaMenu::open(const QPoint& position)
{
    // The area's actions are the menu's: items added later (the history's,
    // a recorded pitch) are in it from the next opening on.
    if (m_menu->actions() != m_area->actions()) {
        m_menu->clear();
        m_menu->addActions(m_area->actions());
    }
    if (!m_menu->isEmpty())
        m_menu->exec(m_area->mapToGlobal(position));
}

bool AreaMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || watched != m_area)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const auto modifiers = keyEvent->modifiers() & ~Qt::KeypadModifier;
    const bool menuKey = keyEvent->key() == Qt::Key_Menu && modifiers == Qt::NoModifier;
    const bool shiftF10 = keyEvent->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier;
    if (!menuKey && !shiftF10)
        return false;
    const QPoint centre = m_area->rect().center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, centre, m_area->mapToGlobal(centre));
    QCoreApplication::sendEvent(m_area, &menuEvent);
    return true;
}
