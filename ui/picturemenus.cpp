#include "ui/picturemenus.h"

#include "core/waveforms.h"
#include "ui/menukeys.h"
#include "ui/picturebox.h"

#include <QAction>

PictureMenus::PictureMenus(PictureBox* plot, PictureBox* spectrum, QObject* parent)
    : QObject(parent)
{
    for (const tavelo::WaveformDefinition& definition : tavelo::classicWaveforms()) {
        auto* action = new QAction(QString::fromUtf8(definition.title.data(), qsizetype(definition.title.size())),
                                   spectrum);
        const tavelo::Waveform waveform = definition.waveform;
        connect(action, &QAction::triggered, this, [this, waveform] { emit waveformChosen(waveform); });
        m_waveformActions.append(action);
    }
    spectrum->addActions(m_waveformActions);
    addSeparator(spectrum);
    addCopyAction(spectrum);

    m_termsAction = addCheckAction(plot, QStringLiteral("Показать слагаемые"));
    connect(m_termsAction, &QAction::toggled, this, &PictureMenus::termsToggled);
    m_limitAction = addCheckAction(plot, QStringLiteral("Показать предельную форму"));
    connect(m_limitAction, &QAction::toggled, this, &PictureMenus::limitToggled);
    addSeparator(plot);
    addCopyAction(plot);
    for (PictureBox* box : {plot, spectrum}) {
        box->setContextMenuPolicy(Qt::ActionsContextMenu);
        new MenuKeys(box);
    }
}

void PictureMenus::addSeparator(PictureBox* box)
{
    auto* separator = new QAction(box);
    separator->setSeparator(true);
    box->addAction(separator);
}

QAction* PictureMenus::addCheckAction(PictureBox* box, const QString& text)
{
    auto* action = new QAction(text, box);
    action->setCheckable(true);
    box->addAction(action);
    return action;
}

void PictureMenus::addCopyAction(PictureBox* box)
{
    auto* copy = new QAction(QStringLiteral("Копировать рисунок"), box);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, box, &PictureBox::copyToClipboard);
    box->addAction(copy);
}

void PictureMenus::setPlotRunning(bool running)
{
    for (QAction* action : std::as_const(m_waveformActions))
        action->setEnabled(!running);
}
