#include "ui/plot/plotcontrol.h"

#include "ui/widgets/picturebox.h"

PlotControl::PlotControl(PictureBox* area, QObject* parent)
    : QObject(parent)
    , m_area(area)
    , m_designDescription(area->accessibleDescription())
{
}

double PlotControl::width() const
{
    return m_area->ScaleWidth();
}

void PlotControl::setRunning(bool running)
{
    m_running = running;
    emit runningChanged(running);
}

void PlotControl::reportResult(const tavelo::PlotResult& result)
{
    m_lastResult = result;
    emit finished(result);
}

void PlotControl::clear()
{
    if (m_running)
        return;
    m_lastResult = {};
    m_area->Cls();
    m_area->setAccessibleDescription(m_designDescription);
    emit cleared();
}
