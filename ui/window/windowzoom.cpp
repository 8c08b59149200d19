#include "ui/window/windowzoom.h"

#include "core/zoomsteps.h"
#include "ui/plot/plotcontrol.h"
#include "ui/widgets/autosizelabel.h"
#include "ui/widgets/picturebox.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

namespace {

const QString kZoomKey = QStringLiteral("view/zoom");
constexpr int kAnnounceDelayMs = 250;

QRect zoomedRect(const QRect& design, int percent, QPoint offset)
{
    // Edges, not sizes, are scaled, so that controls that meet in the design
    // still meet.
    const int left = tavelo::zoomed(design.left(), percent);
    const int top = tavelo::zoomed(design.top(), percent);
    const int right = tavelo::zoomed(design.left() + design.width(), percent);
    const int bottom = tavelo::zoomed(design.top() + design.height(), percent);
    return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top)).translated(offset);
}

} // namespace

QString zoomText(int percent)
{
    return QStringLiteral("Масштаб %1 %").arg(percent);
}

WindowZoom::WindowZoom(QWidget* window, PictureBox* plot, PlotControl* control,
                       std::function<void()> redrawSpectrum, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_plot(plot)
    , m_control(control)
    , m_redrawSpectrum(std::move(redrawSpectrum))
{
}

void WindowZoom::restore()
{
    const QSettings settings;
    // A settings file that cannot be read gives no value: the design's size.
    bool read = false;
    const int saved = settings.value(kZoomKey).toInt(&read);
    if (read && settings.status() == QSettings::NoError && saved != 100)
        setPercent(saved);
}

void WindowZoom::captureDesign()
{
    if (!m_design.empty())
        return;
    m_windowSize = m_window->size();
    m_windowFont = m_window->font();
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        if (widget->isWindow())
            continue;
        DesignedWidget design{widget, widget->geometry(), widget->font(), widget->testAttribute(Qt::WA_SetFont)};
        if (const auto* box = qobject_cast<PictureBox*>(widget))
            design.pixelsPerUnit = box->pixelsPerUnit();
        m_design.push_back(design);
    }
}

void WindowZoom::setPercent(int percent)
{
    percent = tavelo::nearestZoom(percent);
    if (percent == m_percent || m_control->isRunning())
        return;
    captureDesign();
    apply(percent);
    // Full screen is a state of the moment: what is kept is the window's step.
    if (!m_fullScreen)
        save();
    emit percentChanged(m_percent);
}

void WindowZoom::larger()
{
    setPercent(tavelo::nextZoom(m_percent, +1));
}

void WindowZoom::smaller()
{
    setPercent(tavelo::nextZoom(m_percent, -1));
}

void WindowZoom::original()
{
    setPercent(100);
}

void WindowZoom::apply(int percent)
{
    m_percent = percent;
    const double scale = percent / 100.0;
    const auto scaledFont = [scale](QFont font) {
        font.setPointSizeF(font.pointSizeF() * scale);
        return font;
    };
    m_window->setFont(scaledFont(m_windowFont));
    const QSize size(tavelo::zoomed(m_windowSize.width(), percent), tavelo::zoomed(m_windowSize.height(), percent));
    // Full screen, the window fills the screen and the design stands in its middle.
    QPoint offset;
    if (m_fullScreen) {
        // Set by hand as well, for a desktop with no window manager to do it.
        const QRect screen = m_window->screen() ? m_window->screen()->geometry() : QRect(QPoint(), size);
        offset = QPoint(std::max(0, (screen.width() - size.width()) / 2),
                        std::max(0, (screen.height() - size.height()) / 2));
        m_window->setFixedSize(screen.size().expandedTo(size));
        m_window->move(screen.topLeft());
    } else {
        const QPoint centre = m_window->frameGeometry().center();
        m_window->setFixedSize(size);
        QRect frame = m_window->frameGeometry();
        frame.moveCenter(centre);
        m_window->move(frame.topLeft());
    }
    for (const DesignedWidget& design : m_design) {
        if (!design.widget)
            continue;
        if (design.ownFont)
            design.widget->setFont(scaledFont(design.font));
        const bool onWindow = design.widget->parentWidget() == m_window;
        design.widget->setGeometry(zoomedRect(design.geometry, percent, onWindow ? offset : QPoint()));
        if (auto* box = qobject_cast<PictureBox*>(design.widget.data())) {
            box->setLineWidth(scale);
            // The plot is drawn in pixels, so that it gains columns; the
            // other areas keep their units.
            if (box != m_plot)
                box->setPixelsPerUnit(design.pixelsPerUnit * scale);
            box->Cls();
        }
        if (auto* label = qobject_cast<AutoSizeLabel*>(design.widget.data()))
            label->adjustSize();
    }
    m_redrawSpectrum();
    // A plot is drawn again at the new size; an area that showed none stays empty.
    if (!m_control->lastResult().readout.isEmpty())
        m_control->request();
    else
        m_control->clear();
    // Said after the plot's own words and once the key is let go: a screen
    // reader that looks at the focus on the key's release takes what it finds
    // there for what it has already said.
    QTimer::singleShot(kAnnounceDelayMs, this, [this, percent] {
        for (PictureBox* area : m_window->findChildren<PictureBox*>())
            area->announce(zoomText(percent));
    });
}

void WindowZoom::save() const
{
    QSettings settings;
    settings.setValue(kZoomKey, m_percent);
}

void WindowZoom::toggleFullScreen()
{
    if (m_control->isRunning())
        return;
    if (!m_fullScreen) {
        m_percentBeforeFullScreen = m_percent;
        m_fullScreen = true;
        const QScreen* screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
        captureDesign();
        const QSize available = screen ? screen->geometry().size() : m_windowSize;
        m_windowPlace = m_window->pos();
        m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
        const int fitting = tavelo::largestFittingZoom(m_windowSize.width(), m_windowSize.height(),
                                                       available.width(), available.height());
        // The same step again places the design in the middle of the screen.
        if (fitting == m_percent)
            apply(fitting);
        else
            setPercent(fitting);
    } else {
        m_fullScreen = false;
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
        m_window->move(m_windowPlace);
        if (m_percentBeforeFullScreen == m_percent)
            apply(m_percent);
        else
            setPercent(m_percentBeforeFullScreen);
    }
}
