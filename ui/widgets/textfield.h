#pragma once

#include <QLineEdit>

// A single-line text field whose program writes behave like typing: the
// change notification runs inside the write, and writing the text it already
// holds is no change at all, so the caret and the selection stay put.
class TextField : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    QString Text() const { return text(); }
    void setText(const QString& text);
};
