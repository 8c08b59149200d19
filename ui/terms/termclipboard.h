#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QWidget;
class SeriesModel;
class TermWriter;

// The terms on the clipboard as a table, the way spreadsheets exchange one:
// the window's terms 1..N copied out, and a table of terms or of a shape
// pasted in as the series, or, when anything in it is wrong, a message that
// names the first faulty row and cell and leaves every field as it was.
class TermClipboard : public QObject {
    Q_OBJECT

public:
    // Messages stand over `messageParent`'s window.
    TermClipboard(SeriesModel* model, TermWriter* writer, QWidget* messageParent);

    void copyTerms();
    void pasteTerms();
    // One period of a shape pasted as a column of values, or of times and
    // values, whose terms become the series.
    void pasteShape();
    // A table from elsewhere (a file's text), read as a table of terms or of
    // a shape as a paste would read it; a fault's message begins with
    // `source`, the file's name in words.
    void pasteTable(const QByteArray& text, bool terms, const QString& source = {});

private:
    SeriesModel* m_model;
    TermWriter* m_writer;
    QWidget* m_messageParent;
};
