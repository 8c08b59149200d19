#pragma once

#include "core/termcount.h"

#include <QObject>
#include <QString>

#include <array>

class AutoSizeLabel;
class QScrollBar;
class TextField;

// One array of term fields, the amplitudes or the phases: element 1 from the
// design and its copies 2..kMaxTerms, all in the same place of the same
// frame with one of them on show, the scroll bar that chooses it and the
// label that names its index. Fields are addressed 1..kMaxTerms.
class TermFieldColumn : public QObject {
    Q_OBJECT

public:
    // `labelPrefixLength` characters of the label's caption stand before the
    // index; `description` tells a screen reader what field %1 holds.
    TermFieldColumn(TextField* first, QScrollBar* bar, AutoSizeLabel* label, qsizetype labelPrefixLength,
                    const QString& description, QObject* parent);

    TextField* field(int index) const { return m_fields.at(static_cast<std::size_t>(index)); }
    TextField* fieldOnShow() const { return field(m_shown); }
    QScrollBar* scrollBar() const { return m_bar; }

    // Creates elements 2..kMaxTerms as hidden copies of element 1, each with
    // every property that element 1 has from the design, then writes `text`
    // into each; the change of that text is signalled like any other.
    void createCopies(const QString& text);

    // Names the index in the label, hides field `shown` and shows field `index`.
    void showField(int shown, int index);

    // Moves the scroll bar on by `step` within its range and gives the field
    // it then shows the focus, its text selected; at either end does nothing.
    // Up and Down in the field on show do this too; with a modifier they
    // keep their own meaning.
    void step(int step);
    void focusWholeText(int index);

signals:
    void textChanged(int index);
    // A key that types a character, or Enter as character 13.
    void keyPressed(int index, int keyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextField* copyOfFirst() const;
    void adopt(int index, TextField* field);

    std::array<TextField*, tavelo::kMaxTerms + 1> m_fields{};
    QScrollBar* m_bar;
    AutoSizeLabel* m_label;
    qsizetype m_labelPrefixLength;
    QString m_description;
    int m_shown = 1;
};
