#include "ui/terms/amplitudebarcontrol.h"

#include "core/amplitudebars.h"
#include "ui/plot/readingtexts.h"
#include "ui/terms/termtexts.h"
#include "ui/series/seriesmodel.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/picturebox.h"
#include "ui/plot/plotcontrol.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

AmplitudeBarControl::AmplitudeBarControl(PictureBox* spectrum, SeriesModel* model, PlotControl* plot, QObject* parent)
    : QObject(parent)
    , m_spectrum(spectrum)
    , m_model(model)
    , m_plot(plot)
{
    m_spectrum->installEventFilter(this);
    // A change made during a plot is drawn once that plot has ended, unless
    // the user cancelled it.
    connect(m_plot, &PlotControl::finished, this,
            [this](const tavelo::PlotResult& result) {
                if (!m_plotPending)
                    return;
                m_plotPending = false;
                if (result.outcome.end != tavelo::PlotEnd::Cancelled)
                    m_plot->request();
            },
            Qt::QueuedConnection);
}

QPointF AmplitudeBarControl::unitsAt(QPointF position) const
{
    return (position - m_spectrum->contentsRect().topLeft()) / m_spectrum->pixelsPerUnit();
}

void AmplitudeBarControl::showSelection()
{
    if (!m_selected)
        return;
    const int N = m_model->termCount();
    if (N < 1) {
        m_spectrum->setHighlight(std::nullopt);
        return;
    }
    m_selected = std::min(*m_selected, N);
    m_spectrum->setHighlight(tavelo::spectrumBarX(*m_selected, N, m_spectrum->Width()));
}

void AmplitudeBarControl::select(int n)
{
    const std::optional<int> before = m_selected;
    m_selected = std::clamp(n, 1, std::max(1, m_model->termCount()));
    m_model->showAmplitude(*m_selected);
    showSelection();
    describe();
    if (m_selected != before)
        emit selectionChanged();
}

int AmplitudeBarControl::chosenTerm()
{
    if (!m_selected)
        select(m_model->amplitudeOnShow());
    return *m_selected;
}

void AmplitudeBarControl::change(double A)
{
    if (!m_selected || !std::isfinite(A))
        return;
    m_model->change({QStringLiteral("изменение спектра"), true, QStringLiteral("spectrum %1").arg(m_gesture)},
                    [&] { m_model->writeAmplitude(*m_selected, A); });
    showSelection();
    describe();
    plotAgain();
}

void AmplitudeBarControl::plotAgain()
{
    if (m_plot->isRunning())
        m_plotPending = true;
    else
        m_plot->request();
}

void AmplitudeBarControl::describe()
{
    const int n = *m_selected;
    const QString text = termReadout(n, m_model->termCount(), m_model->amplitude(n), m_model->phase(n));
    m_spectrum->setAccessibleDescription(text);
    m_spectrum->announce(text);
}

void AmplitudeBarControl::selectNonZero(bool forward)
{
    const int N = m_model->termCount();
    const int from = m_selected.value_or(forward ? 0 : N + 1);
    for (int n = forward ? from + 1 : from - 1; n >= 1 && n <= N; n += forward ? 1 : -1) {
        if (m_model->amplitude(n) != 0)
            return select(n);
    }
    const QString text = nonZeroTermsEndText(forward);
    m_spectrum->setAccessibleDescription(text);
    m_spectrum->announce(text);
}

void AmplitudeBarControl::summarize()
{
    const SpectrumInput spectrum = m_model->spectrumInput();
    const QString text = spectrumSummaryText(spectrum.A);
    m_spectrum->setAccessibleDescription(text);
    m_spectrum->announce(text);
}

bool AmplitudeBarControl::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        selectNonZero(key == Qt::Key_Right);
        return true;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_I) {
        summarize();
        return true;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    const bool shift = modifiers == Qt::ShiftModifier;
    const int onShow = m_model->amplitudeOnShow();
    const auto step = [&](tavelo::AmplitudeStep by) {
        if (!m_selected)
            select(onShow);
        const double A = m_model->amplitude(*m_selected);
        change(tavelo::steppedAmplitude(A, m_model->spectrumInput().H, by));
    };
    using Step = tavelo::AmplitudeStep;
    switch (key) {
    case Qt::Key_Left:
        select(m_selected ? *m_selected - 1 : onShow);
        return true;
    case Qt::Key_Right:
        select(m_selected ? *m_selected + 1 : onShow);
        return true;
    case Qt::Key_Home:
        select(1);
        return true;
    case Qt::Key_End:
        select(m_model->termCount());
        return true;
    case Qt::Key_Up:
        step(shift ? Step::FineUp : Step::Up);
        return true;
    case Qt::Key_Down:
        step(shift ? Step::FineDown : Step::Down);
        return true;
    case Qt::Key_PageUp:
        step(Step::PageUp);
        return true;
    case Qt::Key_PageDown:
        step(Step::PageDown);
        return true;
    case Qt::Key_Delete:
        if (!m_selected)
            select(onShow);
        change(0);
        return true;
    default:
        return false;
    }
}

bool AmplitudeBarControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_spectrum)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        return handleKey(key->key(), key->modifiers());
    }
    case QEvent::FocusOut:
        ++m_gesture;
        return false;
    case QEvent::MouseButtonPress: {
        ++m_gesture;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || m_model->termCount() < 1)
            return false;
        m_spectrum->setFocus(Qt::MouseFocusReason);
        select(tavelo::spectrumTermAt(unitsAt(mouse->position()).x(), m_model->termCount(), m_spectrum->Width()));
        m_dragScale = m_model->spectrumInput().H;
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragScale || !m_selected)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const double A = tavelo::spectrumAmplitudeAt(unitsAt(mouse->position()).y(), *m_dragScale,
                                                     m_spectrum->Height());
        if (RealToText(A) != m_model->amplitudeText(*m_selected))
            change(A);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_dragScale.reset();
            ++m_gesture;
        }
        return false;
    default:
        return false;
    }
}
