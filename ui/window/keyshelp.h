#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// «Клавиши»: every key of the window by area, opened by F1 anywhere in the
// window. One line a key, in a list that a screen reader reads line by line.
class KeysHelp : public QObject {
    Q_OBJECT

public:
    explicit KeysHelp(QWidget* window);

    // Opens the list, or brings it forward when it is open.
    void show();
    QDialog* dialog() const { return m_dialog; }

    // The areas' headings and the keys' lines, in the order shown.
    static QStringList lines();

private:
    QWidget* m_window;
    QDialog* m_dialog = nullptr;
};
