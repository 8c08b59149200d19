#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <initializer_list>

class TermFieldColumn;

// Up and Down in the amplitude or phase field on show walk the terms as the
// field's scroll bar does, and give the new field the focus with its text
// selected; at either end they do nothing. Only plain arrows count: with a
// modifier, and in any other control, the keys keep their own meaning.
class TermKeys : public QObject {
    Q_OBJECT

public:
    TermKeys(std::initializer_list<TermFieldColumn*> columns, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<TermFieldColumn>> m_columns;
};
