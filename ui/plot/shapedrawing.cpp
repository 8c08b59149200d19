#include "ui/plot/shapedrawing.h"

#include "core/series.h"
#include "ui/plot/plottexts.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/picturebox.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/series/shapesource.h"

#include <QMouseEvent>
#include <QPen>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace {

const QColor kShapeColor(64, 64, 64);

} // namespace

ShapeDrawing::ShapeDrawing(PictureBox* plot, SeriesModel* model, PlotControl* plotControl, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_model(model)
    , m_plotControl(plotControl)
    , m_giveUpKeys(new QShortcut(plot))
    , m_plotKeys(new QShortcut(plot))
{
    // Esc gives the drawing up and Enter, which would start a plot over it,
    // does nothing, wherever the focus is in the window.
    m_giveUpKeys->setKeys({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::SHIFT | Qt::Key_Escape)});
    m_plotKeys->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                         QKeySequence(Qt::SHIFT | Qt::Key_Return), QKeySequence(Qt::SHIFT | Qt::Key_Enter)});
    for (QShortcut* keys : {m_giveUpKeys, m_plotKeys}) {
        keys->setContext(Qt::WindowShortcut);
        keys->setEnabled(false);
    }
    connect(m_giveUpKeys, &QShortcut::activated, this, &ShapeDrawing::cancel);
    // A plot started while a shape is drawn takes the plot area back.
    connect(m_plotControl, &PlotControl::runningChanged, this, [this](bool running) {
        if (running && m_drawing)
            cancel();
    });
}

void ShapeDrawing::start()
{
    if (m_drawing || m_plotControl->isRunning())
        return;
    m_periodsBefore = m_model->periodsText();
    m_before = m_plot->image().copy();
    const double Amax = m_model->read().Amax;
    m_Amax = Amax != 0 && std::isfinite(Amax) ? Amax : 1;
    // One period across the plot area's width, until the shape is drawn:
    // its step then writes the periods with its terms.
    m_model->setPeriodsDraft(WholeToText(ShapeSource::kDrawnPeriods));
    m_values.assign(static_cast<std::size_t>(std::max(1.0, std::floor(m_plot->ScaleWidth()))), std::nullopt);
    m_lastColumn.reset();
    m_drawing = true;
    m_pressed = false;
    m_plot->setMarker(std::nullopt);
    m_plot->setCursor(Qt::CrossCursor);
    m_plot->setFocus();
    // Before the cursor's filter on the area.
    m_plot->installEventFilter(this);
    m_giveUpKeys->setEnabled(true);
    m_plotKeys->setEnabled(true);
    showShape();
}

std::pair<int, double> ShapeDrawing::pointAt(const QMouseEvent* event) const
{
    const QRect area = m_plot->contentsRect();
    const double perUnit = m_plot->pixelsPerUnit();
    const double x = (event->position().x() - area.left()) / perUnit;
    const double Hs = m_plot->ScaleHeight();
    const double y = std::clamp((event->position().y() - area.top()) / perUnit, 0.0, Hs);
    const int column = std::clamp(static_cast<int>(std::lround(x)), 0, static_cast<int>(m_values.size()) - 1);
    // The inverse of the plot's mapping: Hs/2 at 0, the top edge at Amax.
    return {column, (Hs / 2 - y) * 2 * m_Amax / Hs};
}

void ShapeDrawing::drawTo(int column, double value)
{
    if (m_lastColumn && *m_lastColumn != column) {
        const int from = *m_lastColumn;
        const double fromValue = *m_values[std::size_t(from)];
        const int step = column > from ? 1 : -1;
        for (int c = from + step; c != column; c += step)
            m_values[std::size_t(c)] = fromValue + (value - fromValue) * double(c - from) / double(column - from);
    }
    m_values[std::size_t(column)] = value;
    m_lastColumn = column;
}

void ShapeDrawing::showShape()
{
    m_plot->Cls();
    const double Hs = m_plot->ScaleHeight();
    QList<QLineF> lines;
    for (std::size_t c = 1; c < m_values.size(); ++c) {
        if (m_values[c - 1] && m_values[c]) {
            lines.append(QLineF(double(c - 1), tavelo::ColumnY(*m_values[c - 1], Hs, m_Amax), double(c),
                                tavelo::ColumnY(*m_values[c], Hs, m_Amax)));
        }
    }
    if (!lines.isEmpty())
        m_plot->drawLines(lines, QPen(kShapeColor, 1.0));
    m_plot->drawText(4, 2, drawingHint(), m_plot->font(), Qt::black);
}

void ShapeDrawing::finish()
{
    std::vector<std::size_t> drawn;
    for (std::size_t c = 0; c < m_values.size(); ++c) {
        if (m_values[c])
            drawn.push_back(c);
    }
    if (drawn.size() < 2) {
        cancel();
        return;
    }
    // Columns never reached lie on straight lines between the nearest drawn
    // ones, round the period's ends.
    const std::size_t count = m_values.size();
    tavelo::Shape shape;
    shape.samples.resize(count);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const std::size_t from = drawn[i];
        const std::size_t to = drawn[(i + 1) % drawn.size()];
        const std::size_t gap = (to + count - from) % count;
        const double a = *m_values[from];
        const double b = *m_values[to];
        for (std::size_t k = 0; k < (gap == 0 ? 1 : gap); ++k)
            shape.samples[(from + k) % count] = a + (b - a) * double(k) / double(gap == 0 ? 1 : gap);
    }
    leave();
    m_model->setPeriodsDraft(m_periodsBefore);
    emit shapeDrawn(shape);
}

void ShapeDrawing::cancel()
{
    leave();
    m_model->setPeriodsDraft(m_periodsBefore);
    m_plot->setImage(m_before);
}

void ShapeDrawing::leave()
{
    m_drawing = false;
    m_pressed = false;
    m_plot->unsetCursor();
    m_plot->removeEventFilter(this);
    m_giveUpKeys->setEnabled(false);
    m_plotKeys->setEnabled(false);
}

bool ShapeDrawing::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_drawing)
        return false;
    if (watched != m_plot)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        m_pressed = true;
        m_lastColumn.reset();
        const auto [column, value] = pointAt(mouse);
        drawTo(column, value);
        showShape();
        return true;
    }
    case QEvent::MouseMove:
        if (m_pressed) {
            const auto [column, value] = pointAt(static_cast<QMouseEvent*>(event));
            drawTo(column, value);
            showShape();
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (m_pressed && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pressed = false;
            finish();
        }
        return true;
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return false;
    }
}
