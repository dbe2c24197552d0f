#include "platform/X11WindowSender.h"

#include "platform/Cp932.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/X11ClipboardOwner.h"
#include "platform/X11Display.h"
#include "platform/X11KeyTyper.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <unistd.h>

namespace {
// How long a target may take to answer before we go on without it: the
// editor waits this long at most per line for a target that hangs.
constexpr int kTargetTimeoutMs = 500;
// How long a target and the window manager may take to hand over the focus,
// and a target to ask for a pasted line: a loaded desktop, or a program's
// first paste, takes some hundred ms.
constexpr int kFocusTimeoutMs = 1000;
constexpr int kPasteTimeoutMs = 1500;
// A line not asked for by then is taken back from the clipboard.
constexpr int kRestoreClipboardAfterMs = 3000;
// Lent keycodes go back after this pause in the sending.
constexpr int kRestoreKeysAfterMs = 1000;
// How often we look whether the window manager has done what we asked: it
// tells of the focus by no event of ours.
constexpr int kPollMs = 2;
// A pager's request: the user asked for the window, so window managers apply
// no focus-stealing prevention to it.
constexpr long kSourcePager = 2;

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

// Caps Lock and Num Lock count as modifiers to a grab: a key is grabbed with
// each combination of them.
std::array<unsigned, 4> lockCombinations(Display *display)
{
    const unsigned numLock = numLockMask(display);
    return {0u, unsigned(LockMask), numLock, LockMask | numLock};
}

// A window-valued property of `window`; None when missing (or the window gone).
Window windowProperty(Display *display, Window window, Atom property)
{
    X11ErrorTrap trap(display);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Window value = None;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success && data) {
        if (type == XA_WINDOW && format == 32 && count == 1)
            value = Window(*reinterpret_cast<unsigned long *>(data));
        XFree(data);
    }
    return trap.ok() ? value : None;
}
} // namespace

struct X11WindowSender::Private {
    X11WindowSender *q = nullptr;
    Display *display = nullptr;
    Window root = None;
    Window helper = None;
    QSocketNotifier *notifier = nullptr;
    QTimer restoreKeys;
    QTimer restoreClipboard;
    QTimer giveBack;
    std::unique_ptr<X11KeyTyper> typer;
    std::unique_ptr<X11ClipboardOwner> clipboard;
    Atom wmProtocols = None;
    Atom netWmPing = None;
    Atom netActiveWindow = None;
    Atom netSupportingWmCheck = None;
    Atom wmState = None;
    Atom stampProperty = None;
    Atom netRequestFrameExtents = None;
    Atom netFrameExtents = None;
    bool frameExtentsSet = false;
    // Changes of the active window seen so far: one during a line's keys
    // means they may have gone to, or been dropped by, another window.
    quint64 activeChanges = 0;
    long pingSent = 0;
    long pingAnswered = 0;
    KeyCode f2 = 0;
    bool armed = false;
    int settleMs = WindowSender::kDefaultSettleMs;
    Time stamp = CurrentTime;
    bool stamped = false;

    // The user's send keys, kept from the target while it holds the focus.
    struct SendKey {
        KeyCode code = 0;
        int qtKey = 0;
    };
    std::vector<SendKey> sendKeys;
    bool sendKeysHeld = false;

    // The focus lent to a target: by the window manager's activation (given
    // back the same way, a settle time after the last key) or, with no window
    // manager, by setting the input focus (given back at once).
    enum class Loan { Idle, Focus, Activation };
    Loan loan = Loan::Idle;
    Window lentTo = None;
    Window previousActive = None;
    Window previousFocus = None;
    int previousRevert = RevertToParent;

    void handle(XEvent &event);
    void pump();
    bool exists(Window window);
    bool waitFor(const std::function<bool()> &done, int timeoutMs);
    bool poll(const std::function<bool()> &done, int timeoutMs);
    void ungrabF2();
    Window windowUnderPointer();
    bool deliverable(Window target);
    bool ownWindow(Window window);
    Window pingWindowOf(Window target);
    Window parentOf(Window window);
    bool settle(Window pingWindow);
    void awaitPaste();
    void tap(KeySym key);
    void chord(KeySym modifier, KeySym key);
    void tapEnter();

    bool hasWindowManager();
    Window activeWindow() { return windowProperty(display, root, netActiveWindow); }
    Window managedTopLevel(Window window);
    bool focusWithin(Window window);
    bool holdsFocus(Window topLevel) { return activeWindow() == topLevel && focusWithin(topLevel); }
    Time serverTime();
    void requestActivation(Window window);
    bool windowManagerCaughtUp();
    // The target holds the focus, or why it does not.
    SendOutcome lend(Window target);
    void endLoan();
    void finish(const SendOutcome &outcome);
    void holdSendKeys();
    void releaseSendKeys();

    SendOutcome paste(Window target, const QByteArray &utf8);
    SendOutcome type(Window target, const QString &text);
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
    } else if (event.type == KeyPress) {
        // Only our grab of the send keys brings us a key now, possibly after
        // it was given up: the keyboard stays frozen until we let it go.
        for (const SendKey &key : sendKeys) {
            if (key.code != event.xkey.keycode)
                continue;
            // Our keys sent since the press waited in the server and reach
            // the target only now.
            XUngrabKeyboard(display, CurrentTime);
            typer->keysDeliveredNow();
            const int qtKey = key.qtKey;
            QMetaObject::invokeMethod(
                q, [q = q, qtKey] { Q_EMIT q->keyPressedDuringSend(qtKey); }, Qt::QueuedConnection);
            break;
        }
    } else if (event.type == ClientMessage && event.xclient.message_type == wmProtocols
               && Atom(event.xclient.data.l[0]) == netWmPing && event.xclient.window == root) {
        pingAnswered = event.xclient.data.l[1];
    } else if (event.type == PropertyNotify && event.xproperty.window == helper
               && event.xproperty.atom == stampProperty) {
        stamp = event.xproperty.time;
        stamped = true;
    } else if (event.type == PropertyNotify && event.xproperty.window == helper
               && event.xproperty.atom == netFrameExtents) {
        frameExtentsSet = true;
    } else if (event.type == PropertyNotify && event.xproperty.window == root
               && event.xproperty.atom == netActiveWindow) {
        ++activeChanges;
    }
}

// Handles every event read so far. Xlib reads events into its queue on any
// round trip, where the socket notifier no longer sees them: whatever ends
// a call or a timer's work pumps last (a grabbed key left in the queue would
// keep the keyboard frozen).
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

bool X11WindowSender::Private::poll(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        pump();
        if (done())
            return true;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        waitFor([] { return false; }, int(std::min<qint64>(left, kPollMs)));
    }
}

void X11WindowSender::Private::ungrabF2()
{
    for (unsigned mods : lockCombinations(display))
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

bool X11WindowSender::Private::exists(Window window)
{
    X11ErrorTrap trap(display);
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && trap.ok();
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
    // A native program handles its events in order: when it answers the
    // ping, it has read every key sent before, with the key mapping of that
    // moment. (Under Wine the answer comes before the program reads: that
    // path never relies on it.)
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
    waitFor([] { return false; }, settleMs);
    return true;
}

void X11WindowSender::Private::awaitPaste()
{
    // The target asks for the text when its widget handles Ctrl+V, which
    // may be some turns of its event loop after it has read the keys; some
    // programs ask for the list of forms first and the text later, a first
    // paste of a program may take some hundred ms. Pings prove nothing here:
    // they may be answered before the keys are read.
    waitFor([this] { return clipboard->textServed(); }, kPasteTimeoutMs + settleMs);
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

void X11WindowSender::Private::tapEnter()
{
    // The user's Return is grabbed while we send: ours goes on a keycode of
    // its own, which the grab does not catch.
    if (const unsigned char code = typer->enterKeycode()) {
        typer->tap(code);
        return;
    }
    const bool held = sendKeysHeld;
    if (held)
        releaseSendKeys();
    tap(XK_Return);
    XSync(display, False);
    if (held)
        holdSendKeys();
}

bool X11WindowSender::Private::hasWindowManager()
{
    // A running EWMH window manager names a window of its own on the root,
    // which names itself again; a stale name outlives a window manager gone.
    const Window check = windowProperty(display, root, netSupportingWmCheck);
    return check != None && windowProperty(display, check, netSupportingWmCheck) == check;
}

Window X11WindowSender::Private::managedTopLevel(Window window)
{
    // The window manager marks the client windows it manages with WM_STATE.
    X11ErrorTrap trap(display);
    while (window != None && window != root) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        const bool got = XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType,
                                            &type, &format, &count, &after, &data) == Success;
        if (data)
            XFree(data);
        if (got && type != None)
            return trap.ok() ? window : None;
        window = parentOf(window);
    }
    return None;
}

bool X11WindowSender::Private::focusWithin(Window window)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    X11ErrorTrap trap(display);
    while (focus != None && focus != PointerRoot && focus != root) {
        if (focus == window)
            return true;
        focus = parentOf(focus);
    }
    return false;
}

Time X11WindowSender::Private::serverTime()
{
    // An empty append to a property of ours: the server stamps the change.
    stamped = false;
    XChangeProperty(display, helper, stampProperty, XA_INTEGER, 8, PropModeAppend, nullptr, 0);
    XFlush(display);
    return waitFor([this] { return stamped; }, kTargetTimeoutMs) ? stamp : CurrentTime;
}

void X11WindowSender::Private::requestActivation(Window window)
{
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = netActiveWindow;
    request.xclient.format = 32;
    request.xclient.data.l[0] = kSourcePager;
    request.xclient.data.l[1] = long(serverTime());
    request.xclient.data.l[2] = 0;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);
}

bool X11WindowSender::Private::windowManagerCaughtUp()
{
    // Every change of the key mapping makes the window manager regrab its
    // keys; typed lines back to back can leave it tens of seconds behind,
    // with our requests to activate and give back queued in that backlog.
    // It answers a request for frame extents in turn: once it has, it has
    // handled everything sent before.
    frameExtentsSet = false;
    XDeleteProperty(display, helper, netFrameExtents);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = helper;
    request.xclient.message_type = netRequestFrameExtents;
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);
    return waitFor([this] { return frameExtentsSet; }, kFocusTimeoutMs);
}

SendOutcome X11WindowSender::Private::lend(Window target)
{
    giveBack.stop();
    holdSendKeys();
    const Window topLevel = hasWindowManager() ? managedTopLevel(target) : None;
    if (topLevel != None) {
        // Programs under Wine take a focus set behind the window manager's
        // back, and given straight back, as the loss of the foreground, and
        // then read no key: the desktop's own way is the one they follow.
        if (loan != Loan::Activation) {
            if (loan == Loan::Focus)
                endLoan();
            holdSendKeys();
            previousActive = activeWindow();
            XGetInputFocus(display, &previousFocus, &previousRevert);
            loan = Loan::Activation;
        }
        lentTo = topLevel;
        if (!holdsFocus(topLevel)) {
            requestActivation(topLevel);
            if (!poll([this, topLevel] { return holdsFocus(topLevel); }, kFocusTimeoutMs))
                return SendOutcome::failed(SendFailure::NoFocus);
        }
        if (target != topLevel && !focusWithin(target)) {
            X11ErrorTrap trap(display);
            XSetInputFocus(display, target, RevertToParent, CurrentTime);
            if (!trap.ok())
                return SendOutcome::failed(SendFailure::NoFocus);
        }
        return SendOutcome::ok();
    }
    if (loan == Loan::Activation)
        endLoan();
    holdSendKeys();
    XGetInputFocus(display, &previousFocus, &previousRevert);
    loan = Loan::Focus;
    lentTo = target;
    X11ErrorTrap trap(display);
    XSetInputFocus(display, target, RevertToParent, CurrentTime);
    // False when the target could not take the focus (gone or unmapped since
    // it was checked): keys sent now would reach our own editor instead.
    return trap.ok() ? SendOutcome::ok() : SendOutcome::failed(SendFailure::NoFocus);
}

void X11WindowSender::Private::endLoan()
{
    giveBack.stop();
    // A send key pressed meanwhile has frozen the keyboard: thawed first,
    // our keys reach the target before the focus leaves it.
    XSync(display, False);
    pump();
    X11ErrorTrap trap(display); // the windows may be gone
    if (loan == Loan::Activation) {
        if (previousActive != None && previousActive != lentTo && exists(previousActive)) {
            const Window back = previousActive;
            requestActivation(back);
            poll([this, back] { return activeWindow() == back; }, kFocusTimeoutMs);
        } else if (previousActive == None && previousFocus != None && previousFocus != PointerRoot) {
            XSetInputFocus(display, previousFocus, previousRevert, CurrentTime);
        }
    } else if (loan == Loan::Focus) {
        XSetInputFocus(display, previousFocus, previousRevert, CurrentTime);
    }
    trap.ok();
    loan = Loan::Idle;
    lentTo = previousActive = previousFocus = None;
    releaseSendKeys();
}

void X11WindowSender::Private::finish(const SendOutcome &outcome)
{
    // With the window manager the focus stays a settle time after the last
    // key, so the target reads it while it is still the active window; a
    // next line meanwhile finds it there.
    if (loan == Loan::Activation && outcome.delivered())
        giveBack.start();
    else
        endLoan();
}

void X11WindowSender::Private::holdSendKeys()
{
    if (sendKeysHeld)
        return;
    // The keyboard freezes when one is pressed (GrabModeSync), so that none
    // of our keys sent after it goes to us instead of the target.
    X11ErrorTrap trap(display);
    for (const SendKey &key : sendKeys) {
        for (unsigned mods : lockCombinations(display))
            XGrabKey(display, key.code, mods, root, False, GrabModeAsync, GrabModeSync);
    }
    trap.ok(); // a key another program holds stays its
    sendKeysHeld = true;
}

void X11WindowSender::Private::releaseSendKeys()
{
    if (!sendKeysHeld)
        return;
    for (const SendKey &key : sendKeys) {
        for (unsigned mods : lockCombinations(display))
            XUngrabKey(display, key.code, mods, root);
    }
    sendKeysHeld = false;
    XFlush(display);
}

SendOutcome X11WindowSender::Private::paste(Window target, const QByteArray &utf8)
{
    const Window pingWindow = pingWindowOf(target);
    if (const SendOutcome focus = lend(target); !focus.delivered())
        return focus;
    if (utf8.isEmpty()) {
        chord(XK_Control_L, XK_a);
        tap(XK_BackSpace);
    } else {
        clipboard->saveUserClipboard();
        if (!clipboard->offer(utf8))
            return SendOutcome::failed(SendFailure::NoAnswer, QStringLiteral("clipboard"));
        chord(XK_Control_L, XK_a);
        chord(XK_Control_L, XK_v);
        XFlush(display);
        // The target's request for the text is the proof that it pasted.
        awaitPaste();
        // Enter now would send what the box held before.
        if (!clipboard->textServed())
            return SendOutcome::failed(SendFailure::NoAnswer, QStringLiteral("paste"));
    }
    tapEnter();
    if (loan == Loan::Focus && pingWindow != None)
        settle(pingWindow);
    return SendOutcome::ok();
}

SendOutcome X11WindowSender::Private::type(Window target, const QString &text)
{
    const Window pingWindow = pingWindowOf(target);
    if (const SendOutcome focus = lend(target); !focus.delivered())
        return focus;
    pump();
    const quint64 activeChangesBefore = activeChanges;
    for (qsizetype from = 0; from < text.size();) {
        // A native program that answers the ping has read every key before
        // it (a busy one may take longer than the settle time); under Wine
        // the answer comes early, and the settle time alone holds.
        if (pingWindow != None)
            settle(pingWindow);
        XSync(display, False);
        pump(); // a send key pressed meanwhile thaws the keyboard before a remap
        const qsizetype to = typer->mapRun(text, from);
        if (to == from) {
            // Every keycode still carries a character the target may not
            // have read: remapped now, that key would change.
            waitFor([] { return false; }, std::max(1, typer->msUntilFree()));
            continue;
        }
        XSync(display, False); // the new mapping stands before its keys
        typer->typeRun(text, from, to);
        from = to;
    }
    tapEnter();
    if (loan == Loan::Focus)
        settle(pingWindow);
    if (loan == Loan::Activation) {
        // The next line's mapping changes wait for the window manager, so
        // that the activation stays ours and a give-back is not held up.
        windowManagerCaughtUp();
        XSync(display, False);
        pump();
        // The target reads keys only while it is the active window: had
        // that changed while they went out, some may be lost.
        if (activeChanges != activeChangesBefore || !holdsFocus(lentTo))
            return SendOutcome::failed(SendFailure::NoFocus, QStringLiteral("focus moved while typing"));
    }
    return SendOutcome::ok();
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
    XSelectInput(d->display, d->helper, PropertyChangeMask);
    d->wmProtocols = XInternAtom(d->display, "WM_PROTOCOLS", False);
    d->netWmPing = XInternAtom(d->display, "_NET_WM_PING", False);
    d->netActiveWindow = XInternAtom(d->display, "_NET_ACTIVE_WINDOW", False);
    d->netSupportingWmCheck = XInternAtom(d->display, "_NET_SUPPORTING_WM_CHECK", False);
    d->wmState = XInternAtom(d->display, "WM_STATE", False);
    d->stampProperty = XInternAtom(d->display, "VELMAT_TIMESTAMP", False);
    d->netRequestFrameExtents = XInternAtom(d->display, "_NET_REQUEST_FRAME_EXTENTS", False);
    d->netFrameExtents = XInternAtom(d->display, "_NET_FRAME_EXTENTS", False);
    d->f2 = XKeysymToKeycode(d->display, XK_F2);
    for (const auto &[sym, qtKey] : {std::pair{KeySym(XK_F1), int(Qt::Key_F1)},
                                     std::pair{KeySym(XK_Return), int(Qt::Key_Return)},
                                     std::pair{KeySym(XK_KP_Enter), int(Qt::Key_Enter)}}) {
        if (const KeyCode code = XKeysymToKeycode(d->display, sym))
            d->sendKeys.push_back({code, qtKey});
    }
    // Ping answers go to the root window's structure listeners: programs
    // differ in which of the two kinds they address.
    XSelectInput(d->display, d->root, StructureNotifyMask | SubstructureNotifyMask | PropertyChangeMask);
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
    connect(&d->restoreKeys, &QTimer::timeout, this, [this] {
        if (!d->typer->restore())
            d->restoreKeys.start(); // some key of the last line is still unread
        d->pump();
    });
    d->giveBack.setSingleShot(true);
    connect(&d->giveBack, &QTimer::timeout, this, [this] {
        d->endLoan();
        d->pump();
    });
    setSettleTime(WindowSender::kDefaultSettleMs);
}

X11WindowSender::~X11WindowSender()
{
    if (!d->display)
        return;
    if (d->armed)
        d->ungrabF2();
    if (d->loan != Private::Loan::Idle)
        d->endLoan();
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

void X11WindowSender::setSettleTime(int ms)
{
    d->settleMs = std::clamp(ms, 1, 10000);
    if (!d->display)
        return;
    d->typer->setSettleMs(d->settleMs);
    d->giveBack.setInterval(d->settleMs);
    d->restoreKeys.setInterval(std::max(kRestoreKeysAfterMs, 2 * d->settleMs));
}

int X11WindowSender::settleTime() const
{
    return d->settleMs;
}

bool X11WindowSender::armCaptureHotKey()
{
    if (!d->display || d->armed || d->f2 == 0)
        return false;
    X11ErrorTrap trap(d->display);
    for (unsigned mods : lockCombinations(d->display))
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
    SendOutcome outcome;
    {
        // The target may close at any moment: its errors must not end us.
        X11ErrorTrap trap(d->display);
        const QByteArray utf8 = cp932Decode(cp932Line).toUtf8();
        d->restoreKeys.stop();
        outcome = d->paste(Window(target), utf8);
        d->finish(outcome);
        d->restoreKeys.start(); // the Enter's keycode
        if (!utf8.isEmpty() && d->clipboard->lineOnOffer()) {
            d->clipboard->restoreUserClipboard(true);
            if (d->clipboard->lineOnOffer())
                d->restoreClipboard.start(); // a target that never asks
        }
    }
    d->pump();
    return outcome;
}

SendOutcome X11WindowSender::typeTextAndEnter(WId target, QByteArrayView cp932Line)
{
    if (!d->display || !d->deliverable(Window(target)))
        return SendOutcome::failed(SendFailure::TargetGone);
    if (!d->typer->canType()) {
        qWarning("The keyboard has no spare keycode: lines cannot be typed.");
        return SendOutcome::failed(SendFailure::NoAnswer, QStringLiteral("no spare keycode"));
    }
    SendOutcome outcome;
    {
        X11ErrorTrap trap(d->display); // the target may close at any moment
        d->restoreKeys.stop();
        outcome = d->type(Window(target), cp932Decode(cp932Line));
        d->finish(outcome);
        d->restoreKeys.start();
    }
    d->pump();
    return outcome;
}
