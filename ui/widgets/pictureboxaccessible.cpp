#include "ui/widgets/pictureboxaccessible.h"

#include <QWidget>

// A child of a drawing area through which it speaks: a line of text that
// takes the focus within the area while the area has it. It is an animation
// to a screen reader, whose name Orca speaks as it is, without a role after it.
class AnnouncementAccessible : public QAccessibleInterface {
public:
    explicit AnnouncementAccessible(QWidget* box)
        : m_box(box)
    {
    }

    void setText(const QString& text) { m_text = text; }
    void setSpeaking(bool speaking) { m_speaking = speaking; }
    bool isSpeaking() const { return m_speaking && m_box && m_box->hasFocus(); }

    bool isValid() const override { return m_box; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_box ? m_box->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_box.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? m_text : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return m_box ? QRect(m_box->mapToGlobal(QPoint(0, 0)), m_box->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Animation; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        // Only while it speaks: a screen reader must not land on silence.
        state.focusable = isSpeaking();
        state.focused = isSpeaking();
        state.readOnly = true;
        return state;
    }

private:
    QPointer<QWidget> m_box;
    QString m_text;
    bool m_speaking = false;
};

PictureBoxAccessible::PictureBoxAccessible(QWidget* box)
    : QAccessibleWidget(box, QAccessible::Canvas)
{
    for (AnnouncementAccessible*& announcement : m_announcements) {
        announcement = new AnnouncementAccessible(box);
        QAccessible::registerAccessibleInterface(announcement);
    }
}

PictureBoxAccessible::~PictureBoxAccessible()
{
    for (AnnouncementAccessible* announcement : m_announcements)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(announcement));
}

AnnouncementAccessible* PictureBoxAccessible::speaking() const
{
    AnnouncementAccessible* last = m_announcements[m_last];
    return last->isSpeaking() ? last : nullptr;
}

QAccessible::Role PictureBoxAccessible::role() const
{
    return widget()->focusPolicy() == Qt::NoFocus ? QAccessible::Pane : QAccessible::Canvas;
}

int PictureBoxAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + int(m_announcements.size());
}

QAccessibleInterface* PictureBoxAccessible::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    return index >= widgets && index < childCount() ? m_announcements[std::size_t(index - widgets)]
                                                    : QAccessibleWidget::child(index);
}

int PictureBoxAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (std::size_t i = 0; i < m_announcements.size(); ++i) {
        if (child == m_announcements[i])
            return QAccessibleWidget::childCount() + int(i);
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* PictureBoxAccessible::focusChild() const
{
    return speaking();
}

QAccessibleInterface* PictureBoxAccessible::create(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new PictureBoxAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

void PictureBoxAccessible::announce(QWidget* box, const QString& text)
{
    if (!box->hasFocus() || !QAccessible::isActive())
        return;
    auto* area = static_cast<PictureBoxAccessible*>(QAccessible::queryAccessibleInterface(box));
    area->m_announcements[area->m_last]->setSpeaking(false);
    area->m_last = (area->m_last + 1) % area->m_announcements.size();
    AnnouncementAccessible* next = area->m_announcements[area->m_last];
    next->setText(text);
    next->setSpeaking(true);
    QAccessibleEvent focus(next, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}
