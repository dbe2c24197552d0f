#pragma once
// The WindowSender the editor uses: the desktop's own back end for ordinary
// windows, and window messages through the Wine bridge for programs under
// Wine, whose input boxes no key or focus of the desktop reaches reliably.
// F2 over a Wine window captures the Windows handle of the box under the
// pointer (the editor shows that handle); F1 to such a handle goes through
// the bridge. Everything else is the desktop back end's, unchanged.
#include "platform/WindowSender.h"
#include "platform/WineDelivery.h"

#include <QSet>

#include <functional>
#include <memory>

class RoutingWindowSender : public WindowSender {
    Q_OBJECT
public:
    // `wineTargetOf` tells, for a desktop window under the pointer, whether a
    // program under Wine shows it and how to reach its Wine.
    RoutingWindowSender(std::unique_ptr<WindowSender> desktop, std::unique_ptr<WineDelivery> wine,
                        std::function<WineTarget(WId)> wineTargetOf);
    ~RoutingWindowSender() override;

    bool armCaptureHotKey() override;
    void disarmCaptureHotKey() override;
    bool windowExists(WId window) override;
    SendOutcome replaceTextAndEnter(WId target, QByteArrayView cp932Line) override;
    SendOutcome typeTextAndEnter(WId target, QByteArrayView cp932Line) override;
    void setSettleTime(int ms) override;

    // True when `window` was captured in a Wine program (a Windows handle).
    bool isWineHandle(WId window) const;

private:
    void desktopCaptured(WId window);
    void tellOnce(const QString &text);

    std::unique_ptr<WindowSender> m_desktop;
    std::unique_ptr<WineDelivery> m_wine;
    std::function<WineTarget(WId)> m_wineTargetOf;
    // Windows handles and desktop window ids are numbers of different kinds
    // that may coincide: a number is a Windows handle only when a Wine
    // capture gave it.
    QSet<WId> m_wineHandles;
    bool m_toldMissing = false;
};
