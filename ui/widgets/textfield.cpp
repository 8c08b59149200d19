#include "ui/widgets/textfield.h"

void TextField::setText(const QString& text)
{
    // QLineEdit::setText moves the caret to the end even when nothing changes,
    // which would break typing into the middle of a field that a rule rewrites.
    if (text == QLineEdit::text())
        return;
    QLineEdit::setText(text);
}
