#include "ui/plot/targetkeeper.h"

#include "core/sumoperations.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/widgets/messages.h"

#include <algorithm>
#include <cmath>
#include <memory>

TargetKeeper::TargetKeeper(SeriesModel* model, PlotControl* plot, QWidget* window, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_plot(plot)
    , m_window(window)
{
}

void TargetKeeper::keep()
{
    if (const QString refusal = keepSum(); !refusal.isEmpty())
        showMessage(QMessageBox::Information, refusal, m_window);
}

QString TargetKeeper::keepSum()
{
    if (m_model->task() || m_plot->isRunning())
        return QStringLiteral("Сейчас сумму запомнить нельзя.");
    auto shape = std::make_shared<tavelo::Shape>();
    shape->samples = tavelo::tabledPeriodSamples(m_model->read(), tavelo::kOperationSamples);
    if (!std::all_of(shape->samples.begin(), shape->samples.end(), [](double v) { return std::isfinite(v); }))
        return QStringLiteral("Сумму не удаётся вычислить: числа вышли за пределы, с которыми может работать "
                              "программа. Цель не изменена.");
    if (tavelo::largestMagnitude(shape->samples) == 0)
        return QStringLiteral("Сумма равна нулю: запоминать нечего. Цель не изменена.");
    const ShapeSource source{ShapeSource::Kind::Kept, tavelo::kOperationSamples, std::nullopt,
                             {QStringLiteral("Цель: запомненная сумма.")}};
    m_model->setTarget({std::move(shape), source});
    m_model->setLimitShown(true);
    m_plot->request();
    return {};
}

void TargetKeeper::remove()
{
    if (!m_model->target().shape || m_model->task() || m_plot->isRunning())
        return;
    m_model->setTarget({});
    m_plot->request();
}
