#pragma once
// Wine's notepad as a target for the tests and the benchmark of sending into
// programs under Wine: one prefix per user, made once (wineboot is slow) and
// shared by the build trees, notepad started in it in a chosen locale, its
// window found on the X display and the pointer put over its text box.
// Include after every Qt header (Xlib's macros).
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

class WineNotepad {
public:
    // Why sending into Wine cannot be tried here; empty when it can.
    static QString unavailable(const QString &bridge)
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            return QStringLiteral("No X display (DISPLAY is not set).");
        if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
            return QStringLiteral("wine is not installed (apt install wine).");
        if (bridge.isEmpty() || !QFileInfo::exists(bridge))
            return QStringLiteral("The bridge was not built (apt install g++-mingw-w64-x86-64-posix).");
        return {};
    }

    // The locale variables notepad runs with ("NAME=value").
    static QStringList localeOf(const QString &lang)
    {
        return {QStringLiteral("LANG=") + lang, QStringLiteral("LC_ALL=") + lang};
    }

    static QString prefixPath()
    {
        return QDir::tempPath() + QStringLiteral("/velmat-test-wine-") + QString::number(getuid());
    }

    ~WineNotepad() { stop(); }

    // Makes the prefix when there is none, starts notepad with LANG=`lang`
    // and waits for its window; false with `why`.
    bool start(const QString &lang, QString *why)
    {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("WINEPREFIX"), prefixPath());
        m_env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No Mono or Gecko installer dialogs in a fresh prefix.
        m_env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        // LC_ALL too: without the system's own locale of that name (CI has
        // only C.UTF-8), Wine heeds LC_ALL but not LANG alone.
        m_env.insert(QStringLiteral("LANG"), lang);
        m_env.insert(QStringLiteral("LC_ALL"), lang);
        m_env.remove(QStringLiteral("LC_CTYPE"));
        {
            QLockFile lock(prefixPath() + QStringLiteral(".lock"));
            lock.setStaleLockTime(0);
            if (!lock.tryLock(180000))
                return fail(why, QStringLiteral("the Wine prefix is locked"));
            if (!QFileInfo::exists(prefixPath() + QStringLiteral("/system.reg"))) {
                QProcess boot;
                boot.setProcessEnvironment(m_env);
                boot.setStandardOutputFile(QProcess::nullDevice());
                boot.setStandardErrorFile(QProcess::nullDevice());
                boot.start(QStringLiteral("wine"), {QStringLiteral("wineboot"), QStringLiteral("--init")});
                if (!boot.waitForFinished(170000) || boot.exitCode() != 0)
                    return fail(why, QStringLiteral("wineboot failed"));
                runWineserver(QStringLiteral("-w"));
            }
        }
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return fail(why, QStringLiteral("no display"));
        // Wine's windows come and go while we look for notepad's: their
        // errors are no reason to end.
        XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
        m_notepad.setProcessEnvironment(m_env);
        m_notepad.setStandardOutputFile(QProcess::nullDevice());
        m_notepad.setStandardErrorFile(QProcess::nullDevice());
        m_notepad.start(QStringLiteral("wine"), {QStringLiteral("notepad")});
        m_started = true;
        if (!m_notepad.waitForStarted(10000))
            return fail(why, QStringLiteral("wine notepad did not start"));
        if (!QTest::qWaitFor([this] { return (m_window = findWindow(DefaultRootWindow(m_display), 0)); },
                             60000))
            return fail(why, QStringLiteral("notepad's window did not appear"));
        pointAtTextBox();
        return true;
    }

    // Puts the pointer in the middle of notepad's window: its text box fills it.
    void pointAtTextBox()
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(m_display, m_window, &attributes);
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
        XWarpPointer(m_display, None, DefaultRootWindow(m_display), 0, 0, 0, 0,
                     x + attributes.width / 2, y + attributes.height / 2);
        XSync(m_display, False);
    }

    Display *display() const { return m_display; }
    Window window() const { return m_window; }
    const QProcessEnvironment &environment() const { return m_env; }

    // Ends notepad and everything else of the prefix (the bridges in it too).
    void stop()
    {
        if (m_started)
            runWineserver(QStringLiteral("-k"));
        if (m_notepad.state() != QProcess::NotRunning && !m_notepad.waitForFinished(5000)) {
            m_notepad.kill();
            m_notepad.waitForFinished(2000);
        }
        if (m_display)
            XCloseDisplay(m_display);
        m_display = nullptr;
    }

private:
    static bool fail(QString *why, const QString &text)
    {
        *why = text;
        return false;
    }

    void runWineserver(const QString &option)
    {
        QProcess server;
        server.setProcessEnvironment(m_env);
        server.start(QStringLiteral("wineserver"), {option});
        server.waitForFinished(30000);
    }

    // Notepad's main window: WM_CLASS "notepad.exe", on the screen, not the
    // 1×1 input-method window of the same class.
    Window findWindow(Window window, int depth)
    {
        XClassHint hint{};
        if (XGetClassHint(m_display, window, &hint)) {
            const bool notepad = qstrcmp(hint.res_name, "notepad.exe") == 0;
            XFree(hint.res_name);
            XFree(hint.res_class);
            XWindowAttributes attributes{};
            if (notepad && XGetWindowAttributes(m_display, window, &attributes)
                && attributes.map_state == IsViewable && attributes.width > 100)
                return window;
        }
        if (depth >= 3)
            return None;
        Window rootReturn = None, parent = None;
        Window *children = nullptr;
        unsigned n = 0;
        Window found = None;
        if (XQueryTree(m_display, window, &rootReturn, &parent, &children, &n)) {
            for (unsigned i = 0; i < n && found == None; ++i)
                found = findWindow(children[i], depth + 1);
            if (children)
                XFree(children);
        }
        return found;
    }

    QProcessEnvironment m_env;
    QProcess m_notepad;
    Display *m_display = nullptr;
    Window m_window = None;
    bool m_started = false;
};
