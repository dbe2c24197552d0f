#include "platform/X11WineTargets.h"

#include <QFile>
#include <QFileInfo>

#include "platform/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray hostName()
{
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return QByteArray(name);
}

// One 32-bit property value, or `fallback`.
long cardinalProperty(Display *display, Window window, Atom property, long fallback)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    long value = fallback;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success && data) {
        if (count == 1 && format == 32)
            value = *reinterpret_cast<long *>(data);
        XFree(data);
    }
    return value;
}

QByteArray machineOf(Display *display, Window window)
{
    XTextProperty text{};
    QByteArray machine;
    if (XGetWMClientMachine(display, window, &text) && text.value) {
        machine = QByteArray(reinterpret_cast<const char *>(text.value), int(text.nitems));
        XFree(text.value);
    }
    return machine;
}
} // namespace

struct X11WineTargets::Private {
    Display *display = nullptr;
    Atom pidAtom = None;
};

X11WineTargets::X11WineTargets()
    : d(std::make_unique<Private>())
{
    d->display = XOpenDisplay(nullptr);
    if (d->display)
        d->pidAtom = XInternAtom(d->display, "_NET_WM_PID", False);
}

X11WineTargets::~X11WineTargets()
{
    if (d->display)
        XCloseDisplay(d->display);
}

WineTarget X11WineTargets::targetOf(WId id)
{
    if (!d->display || id == 0)
        return {};
    X11ErrorTrap trap(d->display); // the window may close while we look
    const Window root = DefaultRootWindow(d->display);
    // The program's own window is the first with WM_CLASS on the way up (the
    // pointer may rest on a child of it).
    for (Window window = Window(id); window != None && window != root;) {
        XClassHint hint{};
        if (XGetClassHint(d->display, window, &hint)) {
            WineTargetFacts facts;
            facts.wmClassName = hint.res_name;
            facts.wmClassClass = hint.res_class;
            XFree(hint.res_name);
            XFree(hint.res_class);
            const long pid = cardinalProperty(d->display, window, d->pidAtom, 0);
            // A process id means something only on the machine that runs it
            // (a window that does not say which is taken as ours).
            const QByteArray machine = machineOf(d->display, window);
            if (pid > 0 && (machine.isEmpty() || machine == hostName())) {
                const QString proc = u"/proc/"_s + QString::number(pid);
                facts.executable = QFileInfo(proc + u"/exe"_s).symLinkTarget();
                QFile environ(proc + u"/environ"_s);
                if (environ.open(QIODevice::ReadOnly)) {
                    for (const QByteArray &entry : environ.readAll().split('\0'))
                        if (!entry.isEmpty())
                            facts.environment.append(QString::fromLocal8Bit(entry));
                }
            }
            trap.ok();
            return wineTargetFrom(facts);
        }
        Window rootReturn = None, parent = None;
        Window *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d->display, window, &rootReturn, &parent, &children, &n))
            break;
        if (children)
            XFree(children);
        window = parent;
    }
    trap.ok();
    return {};
}
