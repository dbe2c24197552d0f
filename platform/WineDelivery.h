#pragma once
// The face through which lines reach programs under Wine: by window messages,
// from a program of ours in the target's Wine (WineBridge), so that no focus
// moves and no key is injected.
#include "platform/WindowSender.h"
#include "platform/WineTarget.h"

#include <optional>

enum class WineSendMethod { ReplaceText, TypeText };

class WineDelivery {
public:
    virtual ~WineDelivery();

    // What keeps lines from reaching programs in `target`'s Wine at all (no
    // wine, no bridge), said for the user with what to install; empty when
    // nothing is known to.
    virtual QString missing(const WineTarget &target) const = 0;

    // The Windows handle of the deepest window under the pointer, asked in
    // `target`'s Wine. nullopt with `why` (for the user) when it cannot be had.
    virtual std::optional<WId> capture(const WineTarget &target, QString *why) = 0;
    // Whether the handle names a window now (TargetGone when not; BridgeFailed
    // when the bridge cannot tell).
    virtual SendOutcome exists(WId window) = 0;
    // The line (code page 932, no line break) into the window, then Enter.
    virtual SendOutcome send(WId window, WineSendMethod method, QByteArrayView cp932Line) = 0;
};
