#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

class AnnouncementAccessible;

// What a screen reader is told a drawing area is. As a frame, which is what
// Qt makes of it, Orca takes it for a window of its own: it never follows the
// focus there and drops every change of its description. As a canvas it is
// a control of the window that takes the focus, whose name and description
// are spoken when it gets the focus. A drawing area that takes no focus and
// only holds another is a pane.
//
// What the area says later (the plot's result, the cursor's readout) reaches
// a screen reader as the focus moving within the area to a child whose name
// is what is said: Qt 6.4 sends a changed name or description without the
// new text, so a screen reader cannot speak those changes. Two children take
// turns, since the focus moving to where it already is says nothing.
class PictureBoxAccessible : public QAccessibleWidget {
public:
    explicit PictureBoxAccessible(QWidget* box);
    ~PictureBoxAccessible() override;

    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    // For QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    // Says `text` to a screen reader, if the area has the focus.
    static void announce(QWidget* box, const QString& text);

private:
    AnnouncementAccessible* speaking() const;

    std::array<AnnouncementAccessible*, 2> m_announcements{};
    std::size_t m_last = 0;
};
