#pragma once

#include <QLineEdit>

// A single-line text field whose program writes behave like typing: the
// change notification runs inside the write, and writing the text it already
// holds is no change at all, so the caret and the selection stay put.
// Its own undo and redo keys work only while it is allowed its own undo
// (typing in it that no other step has followed) and has something to undo;
// otherwise they go on to the window.
class TextField : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    QString Text() const { return text(); }
    void setText(const QString& text);
    void setOwnUndo(bool own) { m_ownUndo = own; }

protected:
    bool event(QEvent* event) override;

private:
    bool m_ownUndo = false;
};
