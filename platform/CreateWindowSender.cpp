// The back end the editor uses on this desktop: X11 for ordinary windows,
// routed to the Wine bridge for programs under Wine.
#include "platform/RoutingWindowSender.h"
#include "platform/WineBridge.h"
#include "platform/X11WindowSender.h"
#include "platform/X11WineTargets.h"

std::unique_ptr<WindowSender> createWindowSender()
{
    auto wineTargets = std::make_shared<X11WineTargets>();
    return std::make_unique<RoutingWindowSender>(
        std::make_unique<X11WindowSender>(), std::make_unique<WineBridge>(),
        [wineTargets](WId window) { return wineTargets->targetOf(window); });
}
