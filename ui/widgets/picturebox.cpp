#include "ui/widgets/picturebox.h"

#include "ui/widgets/drawableline.h"
#include "ui/widgets/pictureboxaccessible.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    m_repaintTimer.setSingleShot(true);
    connect(&m_repaintTimer, &QTimer::timeout, this, [this] { update(changedArea()); });
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

PictureBox::~PictureBox()
{
    // QWidget's destructor gives up the focus, and the filters of the area
    // (the plot's cursor) hear of it: while it is still a PictureBox.
    if (hasFocus())
        clearFocus();
}

void PictureBox::setForeColor(const QColor& color)
{
    m_foreColor = color;
    endPainting();
}

void PictureBox::setBackColor(const QColor& color)
{
    m_backColor = color;
    Cls();
}

double PictureBox::ScaleWidth() const
{
    return contentsRect().width() / m_pixelsPerUnit;
}

double PictureBox::ScaleHeight() const
{
    return contentsRect().height() / m_pixelsPerUnit;
}

double PictureBox::Width() const
{
    return width() / m_pixelsPerUnit;
}

double PictureBox::Height() const
{
    return height() / m_pixelsPerUnit;
}

void PictureBox::Cls()
{
    endPainting();
    ensureImage();
    m_image.fill(m_backColor);
    m_current = {};
    update(contentsRect());
}

void PictureBox::PSet(float x, float y)
{
    m_current = toPixels(x, y);
    drawSegment(m_current, m_current);
}

void PictureBox::Line(float x, float y)
{
    const QPointF from = m_current;
    m_current = toPixels(x, y);
    drawSegment(from, m_current);
}

void PictureBox::Line(float x1, float y1, float x2, float y2)
{
    m_current = toPixels(x2, y2);
    drawSegment(toPixels(x1, y1), m_current);
}

QPointF PictureBox::toPixels(float x, float y) const
{
    return {static_cast<qreal>(x) * m_pixelsPerUnit, static_cast<qreal>(y) * m_pixelsPerUnit};
}

void PictureBox::drawSegment(QPointF from, QPointF to)
{
    const std::optional<QLineF> line = drawableLine(from, to);
    if (!line)
        return;
    QPainter& painter = imagePainter();
    for (int i = 0; i < m_linePixels; ++i) {
        const QPointF offset = across(*line, i);
        if (line->p1() == line->p2())
            painter.drawPoint(line->p1() + offset);
        else
            painter.drawLine(line->translated(offset));
    }
    noteChanged(QRectF(line->p1(), line->p2()).normalized().adjusted(0, 0, m_lineWidth - 1, m_lineWidth - 1));
}

void PictureBox::noteChanged(const QRectF& pixels)
{
    // One growing rectangle keeps the pending repaint a single rectangle, where
    // hundreds of small ones would make every further update slower.
    m_changed |= pixels.adjusted(-2, -2, 2, 2);
    scheduleRepaint();
}

void PictureBox::drawLines(const QList<QLineF>& lines, const QPen& pen)
{
    QList<QLineF> pixels;
    pixels.reserve(lines.size());
    QRectF bounds;
    for (const QLineF& line : lines) {
        const auto drawable = drawableLine(toPixels(float(line.x1()), float(line.y1())),
                                           toPixels(float(line.x2()), float(line.y2())));
        if (drawable) {
            pixels.append(*drawable);
            bounds |= QRectF(drawable->p1(), drawable->p2()).normalized();
        }
    }
    if (pixels.isEmpty())
        return;
    QPainter& painter = imagePainter();
    painter.setPen(pen);
    painter.drawLines(pixels);
    for (int i = 1; i < m_linePixels; ++i) {
        QList<QLineF> moved = pixels;
        for (QLineF& line : moved)
            line.translate(across(line, i));
        painter.drawLines(moved);
    }
    painter.setPen(QPen(m_foreColor, 1.0));
    noteChanged(bounds);
}

void PictureBox::drawText(float x, float y, const QString& text, const QFont& font, const QColor& color)
{
    QPainter& painter = imagePainter();
    painter.setFont(font);
    const QPointF corner = toPixels(x, y);
    const QRectF box = painter.boundingRect(QRectF(corner, QSizeF(1e4, 1e4)), Qt::AlignLeft | Qt::AlignTop, text)
                           .adjusted(-2, 0, 2, 0);
    painter.fillRect(box, Qt::white);
    painter.setPen(color);
    painter.drawText(box.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    painter.setPen(QPen(m_foreColor, 1.0));
    noteChanged(box);
}

void PictureBox::setMarker(std::optional<double> x)
{
    update(m_marker.moveTo(x, contentsRect(), m_pixelsPerUnit));
}

void PictureBox::setHighlight(std::optional<double> x)
{
    update(m_highlight.moveTo(x, contentsRect(), m_pixelsPerUnit));
}

void PictureBox::scheduleRepaint()
{
    // A plot draws a segment per column and lets the window repaint every 20
    // columns; repainting more often than the screen refreshes only slows it.
    if (m_repaintTimer.isActive())
        return;
    const qint64 sinceRepaint = m_lastRepaint.isValid() ? m_lastRepaint.elapsed() : kFrameMilliseconds;
    if (sinceRepaint >= kFrameMilliseconds)
        update(changedArea());
    else
        m_repaintTimer.start(static_cast<int>(kFrameMilliseconds - sinceRepaint));
}

QRect PictureBox::changedArea() const
{
    const QRect area = contentsRect();
    return m_changed.translated(area.topLeft()).toAlignedRect().intersected(area);
}

void PictureBox::endPainting()
{
    if (m_painter.isActive())
        m_painter.end();
}

void PictureBox::setLineWidth(double width)
{
    m_lineWidth = width;
    m_linePixels = std::max(1, static_cast<int>(std::lround(width)));
}

QPointF PictureBox::across(const QLineF& line, int pixel)
{
    // A line wider than a pixel is drawn as lines of one pixel side by side,
    // which the painter draws several times as fast as one wide line: below a
    // flat line, beside a steep one.
    return std::abs(line.dx()) >= std::abs(line.dy()) ? QPointF(0, pixel) : QPointF(pixel, 0);
}

QPainter& PictureBox::imagePainter()
{
    // A change of size or pixel ratio repaints, which ends the painter, so the
    // image needs checking only when the painter begins.
    if (!m_painter.isActive()) {
        ensureImage();
        m_painter.begin(&m_image);
        m_painter.setPen(QPen(m_foreColor, 1.0));
    }
    return m_painter;
}

const QImage& PictureBox::image()
{
    endPainting();
    return m_image;
}

void PictureBox::setImage(const QImage& image)
{
    endPainting();
    ensureImage();
    QPainter painter(&m_image);
    painter.drawImage(QPointF(0, 0), image);
    painter.end();
    update(contentsRect());
}

QImage PictureBox::picture()
{
    ensureImage();
    QImage shown = image().copy();
    // Children are rendered onto the copy; painting this box itself would
    // count as a repaint of the screen and could drop a pending stroke.
    QPainter painter(&shown);
    const QPoint origin = contentsRect().topLeft();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible())
            child->render(&painter, child->pos() - origin);
    }
    return shown;
}

void PictureBox::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(picture());
}

void PictureBox::announce(const QString& text)
{
    PictureBoxAccessible::announce(this, text);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    endPainting();
    m_lastRepaint.start();
    // A paint of only part of the area (an uncovered corner) leaves the
    // changes outside it waiting for their own repaint.
    if ((QRegion(changedArea()) - event->region()).isEmpty())
        m_changed = {};
    else
        scheduleRepaint();
    ensureImage();
    QPainter painter(this);
    const QRect target = event->rect().intersected(contentsRect());
    const QPoint origin = contentsRect().topLeft();
    const qreal ratio = m_image.devicePixelRatio();
    // The raster engine hands a copy of more than about a hundred lines to a
    // thread pool; waking it and waiting for it costs more than copying these
    // few hundred lines here, and a plot repaints dozens of times.
    const int bandHeight = std::max(1, static_cast<int>(kBandDeviceLines / ratio));
    for (int top = target.top(); top <= target.bottom(); top += bandHeight) {
        const QRect band(target.left(), top, target.width(), std::min(bandHeight, target.bottom() + 1 - top));
        const QRectF source((band.topLeft() - origin) * ratio, band.size() * ratio);
        painter.drawImage(QRectF(band), m_image, source);
    }
    m_marker.paint(painter, contentsRect(), m_pixelsPerUnit);
    m_highlight.paint(painter, contentsRect(), m_pixelsPerUnit);
}

void PictureBox::ensureImage()
{
    // The drawing area follows the border and the screen's pixel ratio; what
    // was drawn is kept when either changes.
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1)) * ratio;
    if (m_image.size() == size && m_image.devicePixelRatio() == ratio)
        return;
    endPainting();
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QPointF(0, 0), m_image);
    }
    m_image = image;
}
