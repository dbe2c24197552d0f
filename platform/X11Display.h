#pragma once
// Small Xlib helpers shared by the X11 sending back end. Include after every
// Qt header: Xlib's macros (None, KeyPress, Bool …) clash with Qt's names.
#include <QByteArray>

#include <X11/Xlib.h>

#include <functional>

// Collects X protocol errors instead of letting Xlib end the process: windows
// of other programs may vanish between two requests. Traps nest.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display *display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap &) = delete;
    X11ErrorTrap &operator=(const X11ErrorTrap &) = delete;

    // Waits until the server has handled every request so far; true when
    // none of those made since the trap was set failed.
    bool ok();

private:
    Display *m_display;
    XErrorHandler m_previous;
    unsigned m_errorsBefore;
};

// Handles the events of `display` as they come until `done` says so or
// `timeoutMs` has passed; every event goes to `handle` first. False on timeout.
bool x11WaitFor(Display *display, const std::function<void(XEvent &)> &handle,
                const std::function<bool()> &done, int timeoutMs);

// The bytes of a window property of type UTF8_STRING (deleted when read if
// `remove`); false when missing or of another type (an INCR transfer too).
bool x11ReadTextProperty(Display *display, Window window, Atom property, bool remove,
                         QByteArray &text);
