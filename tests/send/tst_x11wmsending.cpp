// The X11 back end under a window manager (openbox, started here on the
// test's display) against a target that reads its keys late and drops those
// that come while it is not the active window, as programs under Wine do:
// every line and its Enter arrive in both methods, the user's F1 pressed
// during a send stays with us, and a line the target did not take is
// reported with its reason.
#include "platform/Cp932.h"
#include "platform/X11WindowSender.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace Qt::StringLiterals;

namespace {
// A line a captioner sends: more distinct characters than a run of keys
// usually lends, Japanese punctuation, a wave dash, half-width katakana.
const QString kLongLine =
    u"本日は晴天なり、会場の皆様におかれましては「～」もｶﾀｶﾅも①も交えて最後までお付き合いください。"_s;

class Process : public QProcess {
public:
    // The next line printed, without its break; empty after `timeoutMs`.
    QString nextLine(int timeoutMs = 3000)
    {
        if (!QTest::qWaitFor([this] { return canReadLine(); }, timeoutMs))
            return QString();
        return QString::fromUtf8(readLine()).chopped(1);
    }
    void stop()
    {
        if (state() == NotRunning)
            return;
        closeWriteChannel();
        terminate();
        if (!waitForFinished(3000))
            kill();
        waitForFinished(1000);
    }
};

// Presses F1 on the keyboard, as the user does, after `delayMs`.
class UserPressesF1 : public QThread {
public:
    explicit UserPressesF1(int delayMs) : m_delayMs(delayMs) {}
    void run() override
    {
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            return;
        msleep(m_delayMs);
        const KeyCode f1 = XKeysymToKeycode(display, XK_F1);
        XTestFakeKeyEvent(display, f1, True, CurrentTime);
        XSync(display, False);
        msleep(30);
        XTestFakeKeyEvent(display, f1, False, CurrentTime);
        XSync(display, False);
        XCloseDisplay(display);
    }

private:
    int m_delayMs;
};
} // namespace

class TestX11WmSending : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void everyLineAndItsEnterArrive_data();
    void everyLineAndItsEnterArrive();
    void focusGoesBackToTheEditorAfterTheSettleTime();
    void f1PressedDuringASendStaysWithUs_data();
    void f1PressedDuringASendStaysWithUs();
    void targetThatDoesNotPasteIsReported();
    void targetThatTakesNoFocusIsReported();

private:
    bool windowManagerRuns();
    Window activeWindow();
    void activate(Window window);
    bool startTarget(Process &target, const QStringList &extra, WId *window);

    Display *m_display = nullptr;
    Process m_windowManager;
    Process m_target;
    WId m_targetWindow = 0;
    Window m_editor = None; // stands for the editor's window
    std::unique_ptr<X11WindowSender> m_sender;
};

bool TestX11WmSending::windowManagerRuns()
{
    const Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(m_display, DefaultRootWindow(m_display), check, 0, 1, False, XA_WINDOW, &type, &format,
                       &count, &after, &data);
    if (data)
        XFree(data);
    return count == 1;
}

Window TestX11WmSending::activeWindow()
{
    const Atom active = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Window value = None;
    if (XGetWindowProperty(m_display, DefaultRootWindow(m_display), active, 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success && data) {
        if (count == 1)
            value = Window(*reinterpret_cast<unsigned long *>(data));
        XFree(data);
    }
    return value;
}

void TestX11WmSending::activate(Window window)
{
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = 2;
    XSendEvent(m_display, DefaultRootWindow(m_display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XSync(m_display, False);
}

bool TestX11WmSending::startTarget(Process &target, const QStringList &extra, WId *window)
{
    target.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    target.start(QStringLiteral(VELMAT_LAG_TARGET), QStringList{u"300"_s, u"200"_s} + extra);
    if (!target.waitForStarted())
        return false;
    const QString ready = target.nextLine(10000);
    *window = ready.startsWith(u"ready "_s) ? ready.mid(6).toULongLong() : 0;
    return *window != 0;
}

void TestX11WmSending::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("No X display (DISPLAY is not set): sending to other windows needs one.");
    const QString openbox = QStandardPaths::findExecutable(u"openbox"_s);
    if (openbox.isEmpty())
        QSKIP("openbox is not installed (scripts/setup.sh installs it).");
    m_display = XOpenDisplay(nullptr);
    QVERIFY(m_display);
    // Nobody reads what it prints: a full pipe would stop it.
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(QProcess::nullDevice());
    m_windowManager.start(openbox, {u"--sm-disable"_s});
    QVERIFY(m_windowManager.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(windowManagerRuns(), 10000);

    // A managed window of another client in place of the editor's own.
    m_editor = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 10, 10, 200, 100, 0, 0, 0);
    XStoreName(m_display, m_editor, "editor");
    // A window mapped while openbox still starts up is left unmanaged: map
    // it again until openbox has taken it.
    const Atom wmState = XInternAtom(m_display, "WM_STATE", False);
    const auto managed = [&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(m_display, m_editor, wmState, 0, 1, False, AnyPropertyType, &type, &format, &count,
                           &after, &data);
        if (data)
            XFree(data);
        return type != None;
    };
    for (int attempt = 0; attempt < 20 && !managed(); ++attempt) {
        XUnmapWindow(m_display, m_editor);
        XMapWindow(m_display, m_editor);
        XSync(m_display, False);
        (void)QTest::qWaitFor(managed, 500);
    }
    QVERIFY(managed());

    QVERIFY(startTarget(m_target, {}, &m_targetWindow));
    m_sender = std::make_unique<X11WindowSender>();
    QVERIFY(m_sender->isOpen());
    QCOMPARE(m_sender->settleTime(), WindowSender::kDefaultSettleMs);
}

void TestX11WmSending::cleanupTestCase()
{
    m_sender.reset();
    m_target.stop();
    m_windowManager.stop();
    if (m_display)
        XCloseDisplay(m_display);
}

void TestX11WmSending::init()
{
    // Each case starts from the editor, as after a capture.
    activate(m_editor);
    QTRY_COMPARE(activeWindow(), m_editor);
    m_target.readAll();
    m_target.write("clear\n");
    QCOMPARE(m_target.nextLine(), u"ok"_s);
}

void TestX11WmSending::everyLineAndItsEnterArrive_data()
{
    QTest::addColumn<int>("method");
    for (int method : {0, 1})
        QTest::addRow("%s", method == 0 ? "paste" : "typing") << method;
}

// Sent back to back as fast as F1 allows: a key read late must still mean the
// character it was sent for, and the Enter must come while the target is
// still the active window.
void TestX11WmSending::everyLineAndItsEnterArrive()
{
    QFETCH(int, method);
    const QStringList roll{u"日本語の字幕です。"_s, u"「～」と〜"_s, u"ｶﾀｶﾅとカタカナ"_s, u"①②③"_s,
                           QString(),           kLongLine,        u"。最後の行"_s,   u"abc ABC 123"_s};
    for (const QString &line : roll) {
        const QByteArray bytes = cp932Encode(line);
        const SendOutcome outcome = method == 0 ? m_sender->replaceTextAndEnter(m_targetWindow, bytes)
                                                : m_sender->typeTextAndEnter(m_targetWindow, bytes);
        QVERIFY2(outcome.delivered(), qPrintable(u"%1: failure %2"_s.arg(line).arg(int(outcome.failure))));
    }
    for (const QString &line : roll)
        QCOMPARE(m_target.nextLine(), u"line "_s + cp932Decode(cp932Encode(line)));
    QCOMPARE(m_target.nextLine(300), QString()); // nothing ignored, nothing more
}

void TestX11WmSending::focusGoesBackToTheEditorAfterTheSettleTime()
{
    QVERIFY(m_sender->replaceTextAndEnter(m_targetWindow, cp932Encode(u"戻る"_s)).delivered());
    // The target stays active until it has read the Enter.
    QCOMPARE(activeWindow(), Window(m_targetWindow));
    QCOMPARE(m_target.nextLine(), u"line 戻る"_s);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editor, 5000);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    QCOMPARE(focus, m_editor);
}

void TestX11WmSending::f1PressedDuringASendStaysWithUs_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("pressAfterMs");
    QTest::newRow("typing, while the keys go out") << 1 << 5;
    QTest::newRow("paste, while the target reads") << 0 << 20;
    QTest::newRow("typing, before the focus comes back") << 1 << 60;
}

void TestX11WmSending::f1PressedDuringASendStaysWithUs()
{
    QFETCH(int, method);
    QFETCH(int, pressAfterMs);
    QSignalSpy held(m_sender.get(), &WindowSender::keyPressedDuringSend);
    UserPressesF1 user(pressAfterMs);
    user.start();
    const QByteArray bytes = cp932Encode(kLongLine);
    const SendOutcome outcome = method == 0 ? m_sender->replaceTextAndEnter(m_targetWindow, bytes)
                                            : m_sender->typeTextAndEnter(m_targetWindow, bytes);
    QVERIFY(outcome.delivered());
    QVERIFY(user.wait(3000));
    QTRY_COMPARE(held.size(), 1);
    QCOMPARE(held[0][0].toInt(), int(Qt::Key_F1));
    // The line arrived whole, and the F1 never reached the target.
    QCOMPARE(m_target.nextLine(), u"line "_s + kLongLine);
    QCOMPARE(m_target.nextLine(400), QString());
    // F1 is the keyboard's again once the focus is back.
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editor, 5000);
    UserPressesF1 later(0);
    later.start();
    QVERIFY(later.wait(3000));
    QTest::qWait(200);
    QCOMPARE(held.size(), 1);
}

void TestX11WmSending::targetThatDoesNotPasteIsReported()
{
    m_target.write("nopaste\n");
    QCOMPARE(m_target.nextLine(), u"ok"_s);
    const QByteArray bytes = cp932Encode(u"貼られない行"_s);
    QCOMPARE(m_sender->replaceTextAndEnter(m_targetWindow, bytes).failure, SendFailure::NoAnswer);
    // No Enter went after it: the box did not send what it held.
    QCOMPARE(m_target.nextLine(400), QString());
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editor, 5000);
    m_target.write("paste\n");
    QCOMPARE(m_target.nextLine(), u"ok"_s);
    QVERIFY(m_sender->replaceTextAndEnter(m_targetWindow, bytes).delivered());
    QCOMPARE(m_target.nextLine(), u"line 貼られない行"_s);
}

void TestX11WmSending::targetThatTakesNoFocusIsReported()
{
    Process deaf;
    WId window = 0;
    QVERIFY(startTarget(deaf, {u"--no-focus"_s}, &window));
    for (int method : {0, 1}) {
        const QByteArray bytes = cp932Encode(u"届かない"_s);
        const SendOutcome outcome = method == 0 ? m_sender->replaceTextAndEnter(window, bytes)
                                                : m_sender->typeTextAndEnter(window, bytes);
        QCOMPARE(outcome.failure, SendFailure::NoFocus);
    }
    QCOMPARE(deaf.nextLine(300), QString());
    deaf.stop();
    // The focus is the editor's again.
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editor, 5000);
}

QTEST_GUILESS_MAIN(TestX11WmSending)
#include "tst_x11wmsending.moc"
