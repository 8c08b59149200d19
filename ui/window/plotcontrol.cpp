#include "ui/window/plotcontrol.h"

void PlotControl::setRunning(bool running)
{
    m_running = running;
    emit runningChanged(running);
}
