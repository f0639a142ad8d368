#include "ui/qt/events_hook.h"

#include <optional>

#include <QCoreApplication>
#include <QEventLoop>

#include "convert/runtime.h"

namespace korimbo {
namespace {

std::optional<EventThrottle> throttle;

void DispatchWaitingEvents()
{
    if (throttle && throttle->ShouldDispatch())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace

void InstallQtEventsHook(EventThrottle::Clock clock)
{
    throttle.emplace(clock);
    SetPendingEventsHook(&DispatchWaitingEvents);
}

void RemoveQtEventsHook()
{
    SetPendingEventsHook(nullptr);
    throttle.reset();
}

} // namespace korimbo
