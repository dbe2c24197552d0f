// A test target that behaves as a Windows program under Wine does towards
// the X server, with Xlib only: it answers _NET_WM_PING at once but reads its
// key events a while after they came (50 ms unless --delay MS), looks the
// key's symbol up only when it reads it, ignores keys while the window
// manager does not name it the active window, and pastes by asking for
// CLIPBOARD on Ctrl+V (waiting for the answer before it reads on). At each
// Return it prints "line TEXT" on standard output and empties its box; a key
// it has no use for prints "key NAME", one ignored "ignored NAME". Commands on
// standard input: "nopaste" (Ctrl+V asks for nothing), "paste" (asks again),
// "clear" (empties the box).
// Started as:
//   lagtarget X Y [--delay MS] [--no-focus]
// --no-focus: the window takes no input focus (WM_HINTS input false).
// With LAGTARGET_TRACE set in the environment it tells on standard error when
// each key came and was read, its focus changes and why a key was ignored.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

namespace {

long nowMs()
{
    using namespace std::chrono;
    return long(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Wall-clock ms for the trace, to line up with other programs' logs.
long wallMs()
{
    using namespace std::chrono;
    return long(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 100000);
}

void say(const std::string &text)
{
    if (std::getenv("LAGTARGET_TRACE"))
        std::fprintf(stderr, "%d %ld says %s\n", int(getpid()), wallMs(), text.c_str());
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void appendUtf8(std::string &out, unsigned long c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The character a keysym types; 0 for none.
unsigned long characterOf(KeySym sym)
{
    if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF))
        return sym;
    if ((sym & 0xFF000000) == 0x01000000)
        return sym & 0x00FFFFFF;
    return 0;
}

struct Target {
    Display *display = nullptr;
    Window root = None;
    Window window = None;
    Atom protocols = None, ping = None, deleteWindow = None, active = None;
    Atom clipboard = None, utf8 = None, transfer = None;
    long delayMs = 50;
    bool pastes = true;
    std::deque<std::pair<XKeyEvent, long>> unread; // key events and when they came
    std::string text;
    bool allSelected = false;

    bool isActive()
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        Window value = None;
        if (XGetWindowProperty(display, root, active, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                               &data) == Success && data) {
            if (count == 1)
                value = Window(*reinterpret_cast<unsigned long *>(data));
            XFree(data);
        }
        if (value != window && std::getenv("LAGTARGET_TRACE"))
            std::fprintf(stderr, "active is %lu, not %lu\n", value, window);
        return value == window;
    }

    void insert(const std::string &s)
    {
        if (allSelected)
            text.clear();
        allSelected = false;
        text += s;
    }

    // Events that need no reading of keys: pings, closing, keys kept for later.
    void take(XEvent &event)
    {
        if (event.type == KeyPress) {
            if (std::getenv("LAGTARGET_TRACE"))
                std::fprintf(stderr, "%d %ld came code %u\n", int(getpid()), wallMs(), event.xkey.keycode);
            unread.emplace_back(event.xkey, nowMs());
        } else if (event.type == FocusIn || event.type == FocusOut) {
            if (std::getenv("LAGTARGET_TRACE"))
                std::fprintf(stderr, "%d %ld focus %s mode %d detail %d\n", int(getpid()), wallMs(),
                             event.type == FocusIn ? "in" : "out", event.xfocus.mode, event.xfocus.detail);
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping); // read at once, used late
        } else if (event.type == ClientMessage && event.xclient.message_type == protocols) {
            if (Atom(event.xclient.data.l[0]) == ping) {
                event.xclient.window = root;
                XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
                XFlush(display);
            } else if (Atom(event.xclient.data.l[0]) == deleteWindow) {
                std::exit(0);
            }
        }
    }

    void paste(Time time)
    {
        XDeleteProperty(display, window, transfer);
        XConvertSelection(display, clipboard, utf8, transfer, window, time);
        XFlush(display);
        // As a program reads the clipboard: it waits for the answer.
        const long until = nowMs() + 1000;
        while (nowMs() < until) {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == SelectionNotify && event.xselection.requestor == window) {
                    if (event.xselection.property == None)
                        return;
                    Atom type = None;
                    int format = 0;
                    unsigned long count = 0, after = 0;
                    unsigned char *data = nullptr;
                    if (XGetWindowProperty(display, window, transfer, 0, 1 << 20, True, AnyPropertyType, &type,
                                           &format, &count, &after, &data) == Success && data) {
                        insert(std::string(reinterpret_cast<char *>(data), count));
                        XFree(data);
                    }
                    return;
                }
                take(event);
            }
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            ::poll(&fd, 1, 10);
        }
    }

    void read(XKeyEvent &key)
    {
        char buffer[32];
        KeySym sym = NoSymbol;
        // The symbol as the key mapping has it now, not when the key came.
        XLookupString(&key, buffer, sizeof buffer, &sym, nullptr);
        const char *name = XKeysymToString(sym);
        const std::string symName = name ? name : std::to_string(sym);
        if (std::getenv("LAGTARGET_TRACE"))
            std::fprintf(stderr, "%d %ld read code %u sym %s state %u\n", int(getpid()), wallMs(), key.keycode,
                         symName.c_str(), key.state);
        if (!isActive()) {
            if (std::getenv("LAGTARGET_TRACE"))
                std::fprintf(stderr, "%d %ld not active\n", int(getpid()), wallMs());
            say("ignored " + symName);
            return;
        }
        if (IsModifierKey(sym))
            return;
        if (key.state & ControlMask) {
            if (sym == XK_a || sym == XK_A)
                allSelected = true;
            else if ((sym == XK_v || sym == XK_V) && pastes)
                paste(key.time);
            return;
        }
        if (sym == XK_Return || sym == XK_KP_Enter) {
            say("line " + text);
            text.clear();
            allSelected = false;
        } else if (sym == XK_BackSpace) {
            if (allSelected) {
                text.clear();
                allSelected = false;
            } else {
                while (!text.empty() && (text.back() & 0xC0) == 0x80)
                    text.pop_back();
                if (!text.empty())
                    text.pop_back();
            }
        } else if (const unsigned long c = characterOf(sym)) {
            std::string s;
            appendUtf8(s, c);
            insert(s);
        } else {
            say("key " + symName);
        }
    }

    void command(const std::string &line)
    {
        if (line == "nopaste")
            pastes = false;
        else if (line == "paste")
            pastes = true;
        else if (line == "clear")
            text.clear();
        say("ok");
    }
};

} // namespace

int main(int argc, char **argv)
{
    Target t;
    int x = 0, y = 0;
    bool takesFocus = true;
    int position = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--delay") && i + 1 < argc)
            t.delayMs = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-focus"))
            takesFocus = false;
        else if (position++ == 0)
            x = std::atoi(argv[i]);
        else
            y = std::atoi(argv[i]);
    }
    t.display = XOpenDisplay(nullptr);
    if (!t.display) {
        std::fputs("lagtarget: no display\n", stderr);
        return 1;
    }
    Display *d = t.display;
    t.root = DefaultRootWindow(d);
    t.window = XCreateSimpleWindow(d, t.root, x, y, 400, 80, 1, BlackPixel(d, 0), WhitePixel(d, 0));
    t.protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    t.ping = XInternAtom(d, "_NET_WM_PING", False);
    t.deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    t.active = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    t.clipboard = XInternAtom(d, "CLIPBOARD", False);
    t.utf8 = XInternAtom(d, "UTF8_STRING", False);
    t.transfer = XInternAtom(d, "LAGTARGET_PASTE", False);
    Atom wanted[] = {t.deleteWindow, t.ping};
    XSetWMProtocols(d, t.window, wanted, 2);
    XStoreName(d, t.window, "lagtarget");
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = takesFocus ? True : False;
    XSetWMHints(d, t.window, &hints);
    XSizeHints size{};
    size.flags = USPosition;
    size.x = x;
    size.y = y;
    XSetWMNormalHints(d, t.window, &size);
    const long pid = long(getpid());
    XChangeProperty(d, t.window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);
    XSelectInput(d, t.window, KeyPressMask | StructureNotifyMask | FocusChangeMask);
    XMapWindow(d, t.window);
    for (;;) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type == MapNotify && event.xmap.window == t.window)
            break;
    }
    // A window mapped while the window manager still starts up is left
    // unmanaged (and would never be activated): map it again until managed.
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    const Atom wmCheck = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    const auto hasProperty = [d](Window window, Atom property) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(d, window, property, 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                           &data);
        if (data)
            XFree(data);
        return type != None;
    };
    for (int attempt = 1; hasProperty(t.root, wmCheck) && !hasProperty(t.window, wmState) && attempt <= 50;
         ++attempt) {
        usleep(100 * 1000);
        if (attempt % 5 == 0) {
            XUnmapWindow(d, t.window);
            XMapWindow(d, t.window);
            XSync(d, False);
        }
    }
    say("ready " + std::to_string(t.window));

    std::string input;
    for (;;) {
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            t.take(event);
        }
        while (!t.unread.empty() && nowMs() >= t.unread.front().second + t.delayMs) {
            XKeyEvent key = t.unread.front().first;
            t.unread.pop_front();
            t.read(key);
        }
        // Events read into Xlib's queue by a round trip above are no longer
        // on the socket: poll would sleep on them.
        if (XEventsQueued(d, QueuedAlready) > 0)
            continue;
        int timeout = -1;
        if (!t.unread.empty())
            timeout = int(std::max(0L, t.unread.front().second + t.delayMs - nowMs()));
        pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        ::poll(fds, 2, timeout);
        if (fds[1].revents) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                return 0; // the test has gone
            input.append(buffer, size_t(n));
            for (size_t end; (end = input.find('\n')) != std::string::npos;) {
                t.command(input.substr(0, end));
                input.erase(0, end + 1);
            }
        }
    }
}
