#pragma once
// The editor's side of the bridge to programs under Wine: starts
// velmat-wine-bridge.exe once in the target's Wine (its loader, prefix and
// locale), keeps it running while Wine windows are targets, starts it again
// if it ended, and asks it one request at a time. A request that is neither
// answered nor said to be under way in time fails (BridgeFailed) and the
// bridge is stopped, so the next one starts afresh.
#include "platform/WineDelivery.h"
#include "platform/win32/BridgeProtocol.h"

#include <QProcessEnvironment>

#include <memory>

class WineBridge : public WineDelivery {
public:
    // `bridgeProgram`: the bridge's .exe; empty: found by locateBridge().
    explicit WineBridge(QString bridgeProgram = {});
    ~WineBridge() override;

    // The bridge named by VELMAT_WINE_BRIDGE, else the one beside this
    // program, else where it is installed (../lib/velmat/ from the program);
    // empty when there is none.
    static QString locateBridge();

    QString missing(const WineTarget &target) const override;
    std::optional<WId> capture(const WineTarget &target, QString *why) override;
    SendOutcome exists(WId window) override;
    SendOutcome send(WId window, WineSendMethod method, QByteArrayView cp932Line) override;

    // The window's whole text (for tests and checks); nullopt with `why`.
    std::optional<QString> readText(WId window, QString *why = nullptr);
    // The ANSI code page the bridge runs with (932 in a Japanese locale); 0
    // when it cannot be started.
    int ansiCodePage();

    // Makes `target`'s Wine the one the bridge runs in (restarting it when it
    // ran in another); requests before any capture use the process's own.
    void useWine(const WineTarget &target);

    // Time limits in ms: for the bridge to start and say hello, and for one
    // request to be answered (or said to be under way again).
    static constexpr int kStartTimeoutMs = 30000;
    static constexpr int kRequestTimeoutMs = 8000;
    void setTimeouts(int startMs, int requestMs);

private:
    struct Reply {
        SendOutcome outcome;   // BridgeFailed or the target's failure
        std::string value;     // ok: the verb's value
    };
    Reply call(BridgeRequest request, int timeoutMs = -1); // -1: the request limit
    bool ensureRunning(QString *why);
    void stop();

    struct Private;
    std::unique_ptr<Private> d;
};
