#include "ui/window/historyactions.h"

#include "ui/series/seriesmodel.h"
#include "ui/widgets/picturebox.h"
#include "ui/plot/plotcontrol.h"

#include <QAction>

HistoryActions::HistoryActions(SeriesModel* model, PlotControl* plot, PictureBox* plotArea,
                               PictureBox* spectrumArea, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
    , m_plotArea(plotArea)
    , m_spectrumArea(spectrumArea)
    , m_undo(new QAction(plotArea))
    , m_redo(new QAction(plotArea))
{
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {m_undo, m_redo})
        action->setShortcutContext(Qt::WindowShortcut);
    // At the top of both menus, as in every editor's menu.
    for (PictureBox* area : {plotArea, spectrumArea}) {
        auto* separator = new QAction(area);
        separator->setSeparator(true);
        area->insertActions(area->actions().value(0), {m_undo, m_redo, separator});
    }
    connect(m_undo, &QAction::triggered, this, &HistoryActions::undo);
    connect(m_redo, &QAction::triggered, this, &HistoryActions::redo);
    connect(m_model, &SeriesModel::historyChanged, this, &HistoryActions::update);
    connect(m_plot, &PlotControl::finished, m_model, [this] { m_model->setPlotShown(true); });
    connect(m_plot, &PlotControl::runningChanged, this, [this](bool running) {
        // Typing before a plot is one step, typing after it another.
        if (running)
            m_model->closeStep();
        update();
    });
    update();
}

void HistoryActions::update()
{
    const bool idle = !m_plot->isRunning();
    m_undo->setText(m_model->canUndo() ? QStringLiteral("Отменить: %1").arg(m_model->undoName())
                                       : QStringLiteral("Отменить"));
    m_redo->setText(m_model->canRedo() ? QStringLiteral("Повторить: %1").arg(m_model->redoName())
                                       : QStringLiteral("Повторить"));
    m_undo->setEnabled(idle && m_model->canUndo());
    m_redo->setEnabled(idle && m_model->canRedo());
}

void HistoryActions::undo()
{
    if (m_plot->isRunning())
        return;
    // The plot the change drew goes: the series before it is drawn, or the
    // area is as it was when nothing had been drawn.
    finish(m_model->undo(), QStringLiteral("Отменено: %1"));
}

void HistoryActions::redo()
{
    if (!m_plot->isRunning())
        finish(m_model->redo(), QStringLiteral("Повторено: %1"));
}

void HistoryActions::finish(const std::optional<SeriesModel::Step>& step, const QString& said)
{
    if (!step)
        return;
    if (step->plots && step->plotShown)
        m_plot->request();
    else if (step->plots)
        m_plot->clear();
    announce(said.arg(step->name));
}

void HistoryActions::announce(const QString& text)
{
    // Heard from the drawing area that has the focus; in a field, the
    // field's own text is what changed and is heard.
    for (PictureBox* area : {m_plotArea, m_spectrumArea}) {
        if (area->hasFocus())
            area->announce(text);
    }
}
