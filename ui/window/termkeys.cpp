#include "ui/window/termkeys.h"

#include "ui/widgets/textfield.h"
#include "ui/series/termfieldcolumn.h"

#include <QApplication>
#include <QKeyEvent>

TermKeys::TermKeys(std::initializer_list<TermFieldColumn*> columns, QObject* parent)
    : QObject(parent)
{
    for (TermFieldColumn* column : columns)
        m_columns.append(column);
    // Seen before the field itself, which would move its caret instead.
    qApp->installEventFilter(this);
}

bool TermKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool upOrDown = keyEvent->key() == Qt::Key_Up || keyEvent->key() == Qt::Key_Down;
    if (!upOrDown || (keyEvent->modifiers() & ~Qt::KeypadModifier) != 0)
        return false;
    const int step = keyEvent->key() == Qt::Key_Down ? 1 : -1;
    for (const QPointer<TermFieldColumn>& column : std::as_const(m_columns)) {
        if (column && watched == column->fieldOnShow()) {
            column->step(step);
            return true;
        }
    }
    return false;
}
