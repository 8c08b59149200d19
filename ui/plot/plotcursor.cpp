#include "ui/plot/plotcursor.h"

#include "ui/plot/plotcontrol.h"
#include "ui/plot/plottexts.h"
#include "ui/plot/readingtexts.h"
#include "ui/widgets/picturebox.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>

PlotCursor::PlotCursor(PictureBox* plot, const PlotControl* control, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_control(control)
{
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    connect(m_control, &PlotControl::runningChanged, this, [this](bool running) {
        if (running)
            hide();
    });
    connect(m_control, &PlotControl::cleared, this, [this] {
        // The cleared area's description stands; the plot's is gone with it.
        m_plotDescription.reset();
        hide();
    });
}

const tavelo::PlotReadout& PlotCursor::readout() const
{
    return m_control->lastResult().readout;
}

bool PlotCursor::isReadable() const
{
    return !m_control->isRunning() && !readout().isEmpty();
}

QString PlotCursor::readoutText(int x) const
{
    const QString text = cursorReadout(readout().periods(x), readout().value(x));
    const std::optional<double> target = m_target ? m_target(x) : std::nullopt;
    return target ? text + targetReadout(*target) : text;
}

void PlotCursor::placeAt(int x, const QString& words)
{
    moveTo(x, true, words);
}

void PlotCursor::say(const QString& words)
{
    if (!m_plotDescription)
        m_plotDescription = m_plot->accessibleDescription();
    m_plot->setAccessibleDescription(words);
    m_plot->announce(words);
}

void PlotCursor::moveTo(int x, bool fromKeyboard, const QString& words)
{
    const std::optional<int> from = m_column;
    m_column = std::clamp(x, 0, readout().lastColumn());
    m_plot->setMarker(*m_column);
    QString text = words.isEmpty() ? readoutText(*m_column) : words;
    if (fromKeyboard) {
        // The place is said where the reader may have lost it: after a move
        // of more than a column, and on a plot of another period count.
        const bool far = !from || std::abs(*m_column - *from) > 1;
        if (far || m_placeSaidFor != readout().P()) {
            text += pointPlaceText(*m_column, readout().lastColumn());
            m_placeSaidFor = readout().P();
        }
        bool crossedZero = false;
        if (from && std::abs(*m_column - *from) > 1) {
            const auto [low, high] = std::minmax(*from, *m_column);
            for (int c = low; c < high && !crossedZero; ++c)
                crossedZero = (readout().value(c) < 0) != (readout().value(c + 1) < 0);
        }
        say(text);
        emit movedByKey(*m_column, crossedZero);
    }
    // The tooltip stands by the line: at the pointer, or for the keyboard at
    // the line's foot.
    const double pixels = *m_column * m_plot->pixelsPerUnit();
    const QPoint at = fromKeyboard ? QPoint(m_plot->contentsRect().left() + int(pixels), m_plot->height() / 2)
                                   : m_plot->mapFromGlobal(QCursor::pos());
    QToolTip::showText(m_plot->mapToGlobal(at), text, m_plot);
}

void PlotCursor::hide()
{
    m_column.reset();
    m_plot->setMarker(std::nullopt);
    QToolTip::hideText();
    if (m_plotDescription) {
        m_plot->setAccessibleDescription(*m_plotDescription);
        m_plotDescription.reset();
    }
}

bool PlotCursor::moveByKey(const QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int from = m_column.value_or(0);
    // A tenth of a period, in columns.
    const double tenth = readout().P() > 0 ? readout().W() / readout().P() / 10 : 1;
    const int page = int(std::lround(std::clamp(tenth, 1.0, double(std::max(1, readout().lastColumn())))));
    switch (event->key()) {
    case Qt::Key_Left:
        moveTo(m_column ? from - 1 : 0, true);
        return true;
    case Qt::Key_Right:
        moveTo(m_column ? from + 1 : 0, true);
        return true;
    case Qt::Key_PageUp:
        moveTo(from - page, true);
        return true;
    case Qt::Key_PageDown:
        moveTo(m_column ? from + page : 0, true);
        return true;
    case Qt::Key_Home:
        moveTo(0, true);
        return true;
    case Qt::Key_End:
        moveTo(readout().lastColumn(), true);
        return true;
    default:
        return false;
    }
}

bool PlotCursor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_plot)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        m_hovered = true;
        if (isReadable()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            const double x = (move->position().x() - m_plot->contentsRect().left()) / m_plot->pixelsPerUnit();
            moveTo(static_cast<int>(std::lround(x)), false);
        }
        break;
    case QEvent::Leave:
        m_hovered = false;
        if (!m_plot->hasFocus())
            hide();
        break;
    case QEvent::FocusOut:
        if (!m_hovered)
            hide();
        break;
    case QEvent::ToolTip:
        // The design's tooltip names the area; once there is a plot, the
        // readout takes its place.
        return isReadable();
    case QEvent::KeyPress:
        return isReadable() && moveByKey(static_cast<QKeyEvent*>(event));
    default:
        break;
    }
    return false;
}
