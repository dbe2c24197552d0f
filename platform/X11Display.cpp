#include <QByteArray>
#include <QElapsedTimer>

#include "platform/X11Display.h"

#include <poll.h>

namespace {
unsigned g_errors = 0;

int countError(Display *, XErrorEvent *)
{
    ++g_errors;
    return 0;
}
} // namespace

X11ErrorTrap::X11ErrorTrap(Display *display)
    : m_display(display)
{
    // Errors of earlier requests belong to whoever made them.
    XSync(m_display, False);
    m_previous = XSetErrorHandler(countError);
    m_errorsBefore = g_errors;
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
}

bool X11ErrorTrap::ok()
{
    XSync(m_display, False);
    return g_errors == m_errorsBefore;
}

bool x11WaitFor(Display *display, const std::function<void(XEvent &)> &handle,
                const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        if (done())
            return true;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
}

bool x11ReadTextProperty(Display *display, Window window, Atom property, bool remove,
                         QByteArray &text)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    // Lines and clipboard texts that matter here are far below 4 MB.
    if (XGetWindowProperty(display, window, property, 0, 1L << 20, remove ? True : False,
                           AnyPropertyType, &type, &format, &count, &after, &data) != Success)
        return false;
    const bool isText = type == utf8 && format == 8 && after == 0;
    if (isText)
        text = QByteArray(reinterpret_cast<const char *>(data), qsizetype(count));
    if (data)
        XFree(data);
    return isText;
}
