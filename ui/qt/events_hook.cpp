#include "ui/qt/events_hook.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace korimbo {
namespace {

void ProcessQtEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace

void InstallQtEventsHook(EventThrottle::Clock clock)
{
    InstallThrottledEventsHook(&ProcessQtEvents, clock);
}

void RemoveQtEventsHook()
{
    RemoveThrottledEventsHook();
}

} // namespace korimbo
