#include "ui/series/termfieldcolumn.h"

#include "ui/widgets/autosizelabel.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/textfield.h"

#include <QKeyEvent>
#include <QMetaProperty>
#include <QScrollBar>

#include <algorithm>

namespace {

// What each copy gets for itself rather than from element 1: its name, text,
// visibility and accessible texts, the caret its text puts in place, and the
// icon of the window it lies in, which is the same window.
bool isOwnProperty(const char* name)
{
    static constexpr std::string_view own[] = {"objectName",     "text",          "visible",
                                               "accessibleName", "accessibleDescription",
                                               "cursorPosition", "windowIcon"};
    return std::find(std::begin(own), std::end(own), name) != std::end(own);
}

} // namespace

TermFieldColumn::TermFieldColumn(TextField* first, QScrollBar* bar, AutoSizeLabel* label,
                                 qsizetype labelPrefixLength, const QString& description, QObject* parent)
    : QObject(parent)
    , m_bar(bar)
    , m_label(label)
    , m_labelPrefixLength(labelPrefixLength)
    , m_description(description)
{
    adopt(1, first);
}

void TermFieldColumn::adopt(int index, TextField* field)
{
    m_fields[static_cast<std::size_t>(index)] = field;
    connect(field, &QLineEdit::textChanged, this, [this, index] { emit textChanged(index); });
    field->installEventFilter(this);
    // A screen reader names a field as its label does while the field is on show.
    field->setAccessibleName(m_label->text().left(m_labelPrefixLength) + WholeToLabelText(index));
    field->setAccessibleDescription(m_description.arg(index));
}

TextField* TermFieldColumn::copyOfFirst() const
{
    const TextField* first = field(1);
    auto* copy = new TextField(first->parentWidget());
    copy->setHidden(true);
    // Whatever the design sets on element 1 differs from what a new field in
    // the same frame has, so copying the differences copies the design.
    const QMetaObject* meta = first->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || isOwnProperty(property.name()))
            continue;
        const QVariant value = property.read(first);
        if (value != property.read(copy))
            property.write(copy, value);
    }
    for (const QByteArray& name : first->dynamicPropertyNames())
        copy->setProperty(name.constData(), first->property(name.constData()));
    return copy;
}

void TermFieldColumn::createCopies(const QString& text)
{
    const QString stem = field(1)->objectName().section(QLatin1Char('_'), 0, 0);
    for (int i = 2; i <= tavelo::kMaxTerms; ++i) {
        TextField* copy = copyOfFirst();
        copy->setObjectName(stem + QLatin1Char('_') + QString::number(i));
        adopt(i, copy);
        copy->setText(text);
        // Only the field on show can take the focus, in the place of element 1.
        QWidget::setTabOrder(field(i - 1), copy);
    }
}

void TermFieldColumn::showField(int shown, int index)
{
    m_label->setCaption(m_label->text().left(m_labelPrefixLength) + WholeToLabelText(index));
    field(shown)->setVisible(false);
    field(index)->setVisible(true);
    m_shown = index;
}

void TermFieldColumn::step(int step)
{
    const int target = m_bar->value() + step;
    if (target < m_bar->minimum() || target > m_bar->maximum())
        return;
    m_bar->setValue(target);
    focusWholeText(m_bar->value());
}

void TermFieldColumn::focusWholeText(int index)
{
    TextField* shown = field(index);
    shown->setSelection(0, static_cast<int>(shown->text().length()));
    shown->setFocus();
}

bool TermFieldColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool upOrDown = keyEvent->key() == Qt::Key_Up || keyEvent->key() == Qt::Key_Down;
    if (upOrDown && (keyEvent->modifiers() & ~Qt::KeypadModifier) == 0 && watched == fieldOnShow()) {
        step(keyEvent->key() == Qt::Key_Down ? 1 : -1);
        return true;
    }
    int keyAscii = 0;
    if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter)
        keyAscii = 13;
    else if (!keyEvent->text().isEmpty())
        keyAscii = keyEvent->text().at(0).unicode();
    if (keyAscii == 0)
        return false;
    const auto found = std::find(m_fields.begin() + 1, m_fields.end(), watched);
    if (found != m_fields.end())
        emit keyPressed(static_cast<int>(found - m_fields.begin()), keyAscii);
    return false;
}
