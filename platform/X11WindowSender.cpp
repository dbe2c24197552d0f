#include "platform/X11WindowSender.h"

#include "platform/Cp932.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/X11ClipboardOwner.h"
#include "platform/X11Display.h"
#include "platform/X11KeyTyper.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <unistd.h>

namespace {
// How long a target may take to answer before we go on without it: the
// editor waits this long at most per line for a target that hangs.
constexpr int kTargetTimeoutMs = 500;
// Without the ping protocol we cannot see a target read its keys; this is
// ample for a program that is not busy.
constexpr int kBlindSettleMs = 50;
// Pings a pasting target gets to show that it asks for the text.
constexpr int kPastePings = 4;
// A line not asked for by then is taken back from the clipboard.
constexpr int kRestoreClipboardAfterMs = 3000;
// Lent keycodes go back after this pause in the sending.
constexpr int kRestoreKeysAfterMs = 1000;

// The modifier bit of Num Lock (Mod2 on most keyboards).
unsigned numLockMask(Display *display)
{
    unsigned mask = 0;
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    XModifierKeymap *map = XGetModifierMapping(display);
    if (!map)
        return Mod2Mask;
    for (int mod = 0; mod < 8; ++mod) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (numLock != 0 && map->modifiermap[mod * map->max_keypermod + k] == numLock)
                mask = 1u << mod;
        }
    }
    XFreeModifiermap(map);
    return mask ? mask : Mod2Mask;
}

// Lends the input focus to a window while a line is delivered, so that XTest
// keys reach it; the previous focus (our editor, normally) comes back after.
class FocusLoan {
public:
    FocusLoan(Display *display, Window target)
        : m_display(display)
    {
        XGetInputFocus(m_display, &m_previous, &m_revert);
        X11ErrorTrap trap(m_display);
        XSetInputFocus(m_display, target, RevertToParent, CurrentTime);
        m_lent = trap.ok();
    }
    // False when the target could not take the focus (gone or unmapped since
    // it was checked): keys sent now would reach our own editor instead.
    bool lent() const { return m_lent; }
    ~FocusLoan()
    {
        X11ErrorTrap trap(m_display); // the previous focus may be gone
        XSetInputFocus(m_display, m_previous, m_revert, CurrentTime);
        trap.ok();
    }
    FocusLoan(const FocusLoan &) = delete;
    FocusLoan &operator=(const FocusLoan &) = delete;

private:
    Display *m_display;
    Window m_previous = None;
    int m_revert = RevertToParent;
    bool m_lent = false;
};
} // namespace

struct X11WindowSender::Private {
    X11WindowSender *q = nullptr;
    Display *display = nullptr;
    Window root = None;
    Window helper = None;
    QSocketNotifier *notifier = nullptr;
    QTimer restoreKeys;
    QTimer restoreClipboard;
    std::unique_ptr<X11KeyTyper> typer;
    std::unique_ptr<X11ClipboardOwner> clipboard;
    Atom wmProtocols = None;
    Atom netWmPing = None;
    long pingSent = 0;
    long pingAnswered = 0;
    KeyCode f2 = 0;
    bool armed = false;

    void handle(XEvent &event);
    void pump();
    bool waitFor(const std::function<bool()> &done, int timeoutMs);
    void ungrabF2();
    Window windowUnderPointer();
    bool deliverable(Window target);
    bool ownWindow(Window window);
    Window pingWindowOf(Window target);
    Window parentOf(Window window);
    bool settle(Window pingWindow);
    void awaitPaste(Window pingWindow);
    void tap(KeySym key);
    void chord(KeySym modifier, KeySym key);
};

void X11WindowSender::Private::handle(XEvent &event)
{
    if (clipboard->handle(event))
        return;
    if (event.type == KeyPress && armed && event.xkey.keycode == f2) {
        ungrabF2();
        XUngrabKeyboard(display, CurrentTime); // F2's release goes where it belongs
        const WId window = windowUnderPointer();
        QMetaObject::invokeMethod(
            q, [q = q, window] { Q_EMIT q->captureKeyPressed(window); }, Qt::QueuedConnection);
    } else if (event.type == ClientMessage && event.xclient.message_type == wmProtocols
               && Atom(event.xclient.data.l[0]) == netWmPing && event.xclient.window == root) {
        pingAnswered = event.xclient.data.l[1];
    }
}

void X11WindowSender::Private::pump()
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
}

bool X11WindowSender::Private::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    return x11WaitFor(display, [this](XEvent &e) { handle(e); }, done, timeoutMs);
}

void X11WindowSender::Private::ungrabF2()
{
    const unsigned numLock = numLockMask(display);
    for (unsigned mods : {0u, unsigned(LockMask), numLock, LockMask | numLock})
        XUngrabKey(display, f2, mods, root);
    armed = false;
    XFlush(display);
}

Window X11WindowSender::Private::windowUnderPointer()
{
    X11ErrorTrap trap(display); // a window may close while we descend
    Window window = root;
    for (;;) {
        Window rootReturn = None;
        Window child = None;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        if (!XQueryPointer(display, window, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)
            || child == None)
            break;
        window = child;
    }
    trap.ok();
    return window;
}

bool X11WindowSender::Private::deliverable(Window target)
{
    if (target == None)
        return false;
    X11ErrorTrap trap(display);
    XWindowAttributes attributes{};
    const bool got = XGetWindowAttributes(display, target, &attributes) != 0;
    // Only a window on the screen can take the input focus.
    return trap.ok() && got && attributes.map_state == IsViewable && !ownWindow(target);
}

bool X11WindowSender::Private::ownWindow(Window window)
{
    // Our own window cannot take a line: it would have to answer us while we
    // wait for it, and the keys would select and overwrite the whole roll.
    X11ErrorTrap trap(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    while (window != None && window != root) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success && data) {
            const long pid = count == 1 && format == 32 ? *reinterpret_cast<long *>(data) : 0;
            XFree(data);
            if (count == 1)
                return pid == long(getpid());
        }
        window = parentOf(window);
    }
    return false;
}

// The window's parent; None when the server cannot tell (the window is gone).
Window X11WindowSender::Private::parentOf(Window window)
{
    Window rootReturn = None, parent = None;
    Window *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(display, window, &rootReturn, &parent, &children, &n))
        return None;
    if (children)
        XFree(children);
    return parent;
}

Window X11WindowSender::Private::pingWindowOf(Window target)
{
    // The top-level that speaks the ping protocol is the target itself or
    // one of its ancestors.
    X11ErrorTrap trap(display);
    for (Window window = target; window != None && window != root;) {
        Atom *protocols = nullptr;
        int count = 0;
        bool pings = false;
        if (XGetWMProtocols(display, window, &protocols, &count)) {
            for (int i = 0; i < count; ++i)
                pings = pings || protocols[i] == netWmPing;
            XFree(protocols);
        }
        if (pings)
            return trap.ok() ? window : None;
        window = parentOf(window);
    }
    return None;
}

bool X11WindowSender::Private::settle(Window pingWindow)
{
    // A program handles its events in order: when it answers the ping, it
    // has read every key sent before, with the key mapping of that moment.
    if (pingWindow != None) {
        XEvent ping{};
        ping.xclient.type = ClientMessage;
        ping.xclient.window = pingWindow;
        ping.xclient.message_type = wmProtocols;
        ping.xclient.format = 32;
        ping.xclient.data.l[0] = long(netWmPing);
        ping.xclient.data.l[1] = ++pingSent;
        ping.xclient.data.l[2] = long(pingWindow);
        X11ErrorTrap trap(display);
        XSendEvent(display, pingWindow, False, NoEventMask, &ping);
        // False when gone or hanging: waiting longer helps nobody.
        return trap.ok() && waitFor([this] { return pingAnswered == pingSent; }, kTargetTimeoutMs);
    }
    waitFor([] { return false; }, kBlindSettleMs);
    return true;
}

void X11WindowSender::Private::awaitPaste(Window pingWindow)
{
    // The target asks for the text when its widget handles Ctrl+V, which
    // may be some turns of its event loop after it has read the keys (a ping
    // answer shows only the reading); some programs ask for the list of forms
    // first and the text later. After a few pings answered with no question
    // the editor goes on: a busy target may still ask (the line stays on
    // offer until it does), one that does not paste (a button) never will.
    const auto served = [this] { return clipboard->textServed(); };
    if (pingWindow != None) {
        for (int turn = 0; turn < kPastePings && !clipboard->askedSinceOffer(); ++turn) {
            if (!settle(pingWindow) || served())
                return;
        }
        if (!clipboard->askedSinceOffer())
            return;
    }
    waitFor(served, kTargetTimeoutMs);
}

void X11WindowSender::Private::tap(KeySym key)
{
    const KeyCode code = XKeysymToKeycode(display, key);
    if (code == 0)
        return;
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

void X11WindowSender::Private::chord(KeySym modifier, KeySym key)
{
    const KeyCode code = XKeysymToKeycode(display, modifier);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    tap(key);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

X11WindowSender::X11WindowSender()
    : d(std::make_unique<Private>())
{
    d->q = this;
    d->display = XOpenDisplay(nullptr);
    if (!d->display)
        return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d->display, &event, &error, &major, &minor)) {
        qWarning("The display has no XTest extension: lines cannot be sent.");
        XCloseDisplay(d->display);
        d->display = nullptr;
        return;
    }
    d->root = DefaultRootWindow(d->display);
    d->helper = XCreateSimpleWindow(d->display, d->root, -10, -10, 1, 1, 0, 0, 0);
    d->wmProtocols = XInternAtom(d->display, "WM_PROTOCOLS", False);
    d->netWmPing = XInternAtom(d->display, "_NET_WM_PING", False);
    d->f2 = XKeysymToKeycode(d->display, XK_F2);
    // Ping answers go to the root window's structure listeners: programs
    // differ in which of the two kinds they address.
    XSelectInput(d->display, d->root, StructureNotifyMask | SubstructureNotifyMask);
    d->typer = std::make_unique<X11KeyTyper>(d->display);
    d->clipboard = std::make_unique<X11ClipboardOwner>(
        d->display, d->helper,
        [this](const std::function<bool()> &done, int ms) { return d->waitFor(done, ms); });
    XFlush(d->display);

    d->notifier = new QSocketNotifier(ConnectionNumber(d->display), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] { d->pump(); });
    d->restoreClipboard.setSingleShot(true);
    d->restoreClipboard.setInterval(kRestoreClipboardAfterMs);
    connect(&d->restoreClipboard, &QTimer::timeout, this, [this] {
        d->clipboard->restoreUserClipboard();
        d->pump();
    });
    d->restoreKeys.setSingleShot(true);
    d->restoreKeys.setInterval(kRestoreKeysAfterMs);
    connect(&d->restoreKeys, &QTimer::timeout, this, [this] {
        d->typer->restore();
        d->pump();
    });
}

X11WindowSender::~X11WindowSender()
{
    if (!d->display)
        return;
    if (d->armed)
        d->ungrabF2();
    delete d->notifier;
    d->clipboard.reset();
    d->typer.reset();
    XDestroyWindow(d->display, d->helper);
    XCloseDisplay(d->display);
}

bool X11WindowSender::isOpen() const
{
    return d->display != nullptr;
}

bool X11WindowSender::armCaptureHotKey()
{
    if (!d->display || d->armed || d->f2 == 0)
        return false;
    const unsigned numLock = numLockMask(d->display);
    X11ErrorTrap trap(d->display);
    // Caps Lock and Num Lock count as modifiers to a grab: take F2 with each.
    for (unsigned mods : {0u, unsigned(LockMask), numLock, LockMask | numLock})
        XGrabKey(d->display, d->f2, mods, d->root, False, GrabModeAsync, GrabModeAsync);
    d->armed = true;
    if (!trap.ok()) // another program holds F2
        d->ungrabF2();
    d->pump();
    return d->armed;
}

void X11WindowSender::disarmCaptureHotKey()
{
    if (d->display && d->armed)
        d->ungrabF2();
}

bool X11WindowSender::windowExists(WId window)
{
    return d->display && d->deliverable(Window(window));
}

SendOutcome X11WindowSender::replaceTextAndEnter(WId target, QByteArrayView cp932Line)
{
    if (!d->display || !d->deliverable(Window(target)))
        return SendOutcome::failed(SendFailure::TargetGone);
    // The target may close at any moment: its errors must not end us.
    X11ErrorTrap trap(d->display);
    const QByteArray utf8 = cp932Decode(cp932Line).toUtf8();
    const Window pingWindow = d->pingWindowOf(Window(target));
    {
        FocusLoan focus(d->display, Window(target));
        if (!focus.lent())
            return SendOutcome::failed(SendFailure::NoFocus);
        if (utf8.isEmpty()) {
            d->chord(XK_Control_L, XK_a);
            d->tap(XK_BackSpace);
        } else {
            d->clipboard->saveUserClipboard();
            if (!d->clipboard->offer(utf8))
                return SendOutcome::failed(SendFailure::NoAnswer, QStringLiteral("clipboard"));
            d->chord(XK_Control_L, XK_a);
            d->chord(XK_Control_L, XK_v);
            XFlush(d->display);
            d->awaitPaste(pingWindow);
        }
        d->tap(XK_Return);
    }
    if (!utf8.isEmpty()) {
        d->clipboard->restoreUserClipboard(true);
        if (d->clipboard->lineOnOffer())
            d->restoreClipboard.start(); // a target that never asks
    }
    XSync(d->display, False);
    d->pump();
    return SendOutcome::ok();
}

SendOutcome X11WindowSender::typeTextAndEnter(WId target, QByteArrayView cp932Line)
{
    if (!d->display || !d->deliverable(Window(target)))
        return SendOutcome::failed(SendFailure::TargetGone);
    if (!d->typer->canType()) {
        qWarning("The keyboard has no spare keycode: lines cannot be typed.");
        return SendOutcome::failed(SendFailure::NoAnswer, QStringLiteral("no spare keycode"));
    }
    X11ErrorTrap trap(d->display); // the target may close at any moment
    const QString text = cp932Decode(cp932Line);
    const Window pingWindow = d->pingWindowOf(Window(target));
    d->restoreKeys.stop();
    {
        FocusLoan focus(d->display, Window(target));
        if (!focus.lent())
            return SendOutcome::failed(SendFailure::NoFocus);
        for (qsizetype from = 0; from < text.size();) {
            // Keycodes of the last run may be lent anew: its keys must be read.
            if (from > 0)
                d->settle(pingWindow);
            const qsizetype to = d->typer->mapRun(text, from);
            XSync(d->display, False); // the new mapping stands before its keys
            d->typer->typeRun(text, from, to);
            from = to;
        }
        d->tap(XK_Return);
    }
    // The next line may lend these keycodes again.
    d->settle(pingWindow);
    d->restoreKeys.start();
    d->pump();
    return SendOutcome::ok();
}
