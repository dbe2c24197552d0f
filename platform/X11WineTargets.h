#pragma once
// Tells, for an X11 window, whether a program under Wine shows it: from the
// window's WM_CLASS and the process behind its _NET_WM_PID (its program file
// and environment, read from /proc when it runs on this machine as us).
#include "platform/WineTarget.h"

#include <QtGui/qwindowdefs.h>

#include <memory>

class X11WineTargets {
public:
    // Connects to the display named by DISPLAY; without one nothing is Wine's.
    X11WineTargets();
    ~X11WineTargets();

    WineTarget targetOf(WId window);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
