#include "ui/widgets/textfield.h"

#include <QKeyEvent>

void TextField::setText(const QString& text)
{
    // QLineEdit::setText moves the caret to the end even when nothing changes,
    // which would break typing into the middle of a field that a rule rewrites.
    if (text == QLineEdit::text())
        return;
    QLineEdit::setText(text);
}

bool TextField::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo);
        if ((undo && !(m_ownUndo && isUndoAvailable())) || (redo && !(m_ownUndo && isRedoAvailable()))) {
            // Left to the window's shortcut, which undoes the series' steps.
            event->ignore();
            return false;
        }
    }
    return QLineEdit::event(event);
}
