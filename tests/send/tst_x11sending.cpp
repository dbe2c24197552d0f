// The X11 back end against a real window of another program under X (Xvfb
// in the test run): capture by F2 over it, then lines sent by both methods,
// read back from what the program received.
#include "platform/Cp932.h"
#include "platform/X11WindowSender.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTargetX = 200;
constexpr int kTargetY = 150;
} // namespace

class TestX11Sending : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void captureByF2OverTheTarget();
    void captureRefusedWhileF2IsHeld();
    void sendArrivesIntact_data();
    void sendArrivesIntact();
    void replaceOverwritesWhatTheBoxHeld();
    void pasteGivesTheUserClipboardBack();
    void typingGivesLentKeysBack();
    void vanishedOrOwnWindowReceivesNothing();
    void latency();

private:
    QString command(const QString &text);
    QString nextLine(int timeoutMs = 3000);
    int spareKeycodes();
    void send(int method, const QString &line);

    Display *m_display = nullptr; // the test's own: pointer, keys, checks
    QProcess m_target;
    WId m_targetWindow = 0;
    int m_spareKeycodes = 0; // before anything was typed
    std::unique_ptr<X11WindowSender> m_sender;
};

void TestX11Sending::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("No X display (DISPLAY is not set): sending to other windows needs one.");
    m_display = XOpenDisplay(nullptr);
    QVERIFY(m_display);
    m_sender = std::make_unique<X11WindowSender>();
    QVERIFY(m_sender->isOpen());
    m_spareKeycodes = spareKeycodes();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    m_target.setProcessEnvironment(env);
    m_target.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_target.start(QStringLiteral(VELMAT_SEND_TARGET),
                   {QString::number(kTargetX), QString::number(kTargetY)});
    QVERIFY(m_target.waitForStarted());
    const QString ready = nextLine(10000);
    QVERIFY2(ready.startsWith(u"ready "_s), qPrintable(ready));
    m_targetWindow = ready.mid(6).toULongLong();
    QVERIFY(m_targetWindow != 0);
}

void TestX11Sending::cleanupTestCase()
{
    if (m_target.state() != QProcess::NotRunning) {
        m_target.closeWriteChannel();
        if (!m_target.waitForFinished(3000))
            m_target.kill();
    }
    m_sender.reset();
    if (m_display)
        XCloseDisplay(m_display);
}

QString TestX11Sending::command(const QString &text)
{
    m_target.write((text + u'\n').toUtf8());
    return nextLine();
}

QString TestX11Sending::nextLine(int timeoutMs)
{
    // The event loop runs meanwhile, as the editor's does: a target that
    // asks for a pasted line late is still answered.
    if (!QTest::qWaitFor([this] { return m_target.canReadLine(); }, timeoutMs))
        return QString();
    return QString::fromUtf8(m_target.readLine()).chopped(1);
}

int TestX11Sending::spareKeycodes()
{
    int minCode = 0, maxCode = 0, perCode = 0;
    XDisplayKeycodes(m_display, &minCode, &maxCode);
    KeySym *map = XGetKeyboardMapping(m_display, KeyCode(minCode), maxCode - minCode + 1, &perCode);
    int spare = 0;
    for (int code = 0; code <= maxCode - minCode; ++code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[code * perCode + i] == NoSymbol;
        spare += empty ? 1 : 0;
    }
    XFree(map);
    return spare;
}

void TestX11Sending::send(int method, const QString &line)
{
    const QByteArray bytes = cp932Encode(line);
    const SendOutcome outcome = method == 0 ? m_sender->replaceTextAndEnter(m_targetWindow, bytes)
                                            : m_sender->typeTextAndEnter(m_targetWindow, bytes);
    QVERIFY2(outcome.delivered(), qPrintable(u"failure %1 %2"_s.arg(int(outcome.failure)).arg(outcome.detail)));
}

void TestX11Sending::captureByF2OverTheTarget()
{
    QSignalSpy captured(m_sender.get(), &WindowSender::captureKeyPressed);
    XWarpPointer(m_display, None, DefaultRootWindow(m_display), 0, 0, 0, 0, kTargetX + 40,
                 kTargetY + 30);
    XSync(m_display, False);
    QVERIFY(m_sender->armCaptureHotKey());
    const KeyCode f2 = XKeysymToKeycode(m_display, XK_F2);
    XTestFakeKeyEvent(m_display, f2, True, CurrentTime);
    XTestFakeKeyEvent(m_display, f2, False, CurrentTime);
    XSync(m_display, False);
    QVERIFY(captured.wait(3000));
    QCOMPARE(captured.size(), 1);
    QCOMPARE(captured[0][0].value<WId>(), m_targetWindow);

    // One use: F2 is the keyboard's again, and a new capture can be armed.
    XTestFakeKeyEvent(m_display, f2, True, CurrentTime);
    XTestFakeKeyEvent(m_display, f2, False, CurrentTime);
    XSync(m_display, False);
    QTest::qWait(200);
    QCOMPARE(captured.size(), 1);
    QVERIFY(m_sender->armCaptureHotKey());
    QVERIFY(!m_sender->armCaptureHotKey()); // already armed
    m_sender->disarmCaptureHotKey();
}

void TestX11Sending::captureRefusedWhileF2IsHeld()
{
    const Window root = DefaultRootWindow(m_display);
    const KeyCode f2 = XKeysymToKeycode(m_display, XK_F2);
    XGrabKey(m_display, f2, 0, root, False, GrabModeAsync, GrabModeAsync);
    XSync(m_display, False);
    QVERIFY(!m_sender->armCaptureHotKey());
    XUngrabKey(m_display, f2, 0, root);
    XSync(m_display, False);
    QVERIFY(m_sender->armCaptureHotKey());
    m_sender->disarmCaptureHotKey();
}

void TestX11Sending::sendArrivesIntact_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("arrived");
    const QString japanese = u"日本語のテスト、カタカナ。①ｶﾅ／ＡＢ"_s;
    const QString ascii = u"Hello, world! `r1 <b>~\\|"_s;
    // More distinct characters than the keyboard has spare keycodes.
    const QString long_ = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"_s;
    for (int method : {0, 1}) {
        const char *name = method == 0 ? "replace" : "type";
        QTest::addRow("%s: Japanese", name) << method << japanese << japanese;
        QTest::addRow("%s: ASCII", name) << method << ascii << ascii;
        QTest::addRow("%s: outside Shift-JIS arrives as ?", name)
            << method << u"a😀б€"_s << u"a?б?"_s;
        QTest::addRow("%s: empty line is an Enter alone", name) << method << QString() << QString();
        QTest::addRow("%s: long line", name) << method << long_ << long_;
    }
}

void TestX11Sending::sendArrivesIntact()
{
    QFETCH(int, method);
    QFETCH(QString, line);
    QFETCH(QString, arrived);
    Window focusBefore = None;
    int revert = 0;
    XGetInputFocus(m_display, &focusBefore, &revert);
    send(method, line);
    QCOMPARE(nextLine(), u"line "_s + arrived);
    Window focusAfter = None;
    XGetInputFocus(m_display, &focusAfter, &revert);
    QCOMPARE(focusAfter, focusBefore); // the focus is lent, not taken
}

void TestX11Sending::replaceOverwritesWhatTheBoxHeld()
{
    QCOMPARE(command(u"set 入力途中の文字"_s), u"ok"_s);
    send(0, u"差し替え"_s);
    QCOMPARE(nextLine(), u"line 差し替え"_s);
    // Typing adds to what is there, as keys do.
    QCOMPARE(command(u"set 前に"_s), u"ok"_s);
    send(1, u"続けて"_s);
    QCOMPARE(nextLine(), u"line 前に続けて"_s);
    QCOMPARE(command(u"set 空に"_s), u"ok"_s);
    send(0, QString());
    QCOMPARE(nextLine(), u"line "_s);
}

void TestX11Sending::pasteGivesTheUserClipboardBack()
{
    QCOMPARE(command(u"copy 利用者がコピーした文"_s), u"ok"_s);
    send(0, u"一行目"_s);
    QCOMPARE(nextLine(), u"line 一行目"_s);
    send(0, u"二行目"_s);
    QCOMPARE(nextLine(), u"line 二行目"_s);
    // The owner is now this process's sender, which must keep answering.
    QCOMPARE(command(u"clipboard"_s), u"clipboard 利用者がコピーした文"_s);
}

void TestX11Sending::typingGivesLentKeysBack()
{
    send(1, u"鍵を貸して返す"_s);
    QCOMPARE(nextLine(), u"line 鍵を貸して返す"_s);
    QVERIFY(spareKeycodes() < m_spareKeycodes);
    QTRY_COMPARE_WITH_TIMEOUT(spareKeycodes(), m_spareKeycodes, 5000);
}

void TestX11Sending::vanishedOrOwnWindowReceivesNothing()
{
    const Window gone = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10,
                                            0, 0, 0);
    XMapWindow(m_display, gone);
    XSync(m_display, False);
    QVERIFY(m_sender->windowExists(gone));
    XDestroyWindow(m_display, gone);
    XSync(m_display, False);
    QVERIFY(!m_sender->windowExists(gone));
    for (int method : {0, 1}) {
        const QByteArray bytes = cp932Encode(u"届かない"_s);
        // Reported as not delivered, so the editor can say so.
        QCOMPARE((method == 0 ? m_sender->replaceTextAndEnter(gone, bytes)
                              : m_sender->typeTextAndEnter(gone, bytes))
                     .failure,
                 SendFailure::TargetGone);
    }
    QVERIFY(!m_sender->replaceTextAndEnter(0, "x").delivered());
    // Nor does a window that is not on the screen (minimised).
    const Window hidden = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10,
                                              0, 0, 0);
    XSync(m_display, False);
    QVERIFY(!m_sender->windowExists(hidden));
    QVERIFY(!m_sender->replaceTextAndEnter(hidden, "x").delivered());
    XDestroyWindow(m_display, hidden);
    // A window of this very program takes nothing either.
    const Window own = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10,
                                           0, 0, 0);
    const long pid = long(QCoreApplication::applicationPid());
    XChangeProperty(m_display, own, XInternAtom(m_display, "_NET_WM_PID", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char *>(&pid), 1);
    XMapWindow(m_display, own);
    XSync(m_display, False);
    QVERIFY(!m_sender->windowExists(own));
    QVERIFY(!m_sender->typeTextAndEnter(own, "x").delivered());
    XDestroyWindow(m_display, own);
    QCOMPARE(nextLine(300), QString()); // nothing reached the box either
    // The sender still works afterwards.
    send(1, u"後でも届く"_s);
    QCOMPARE(nextLine(), u"line 後でも届く"_s);
}

void TestX11Sending::latency()
{
    // Printed, not judged: a figure for 20 Japanese characters per line.
    const QString line = u"本日は晴天なり、会場の皆様におかれましては。"_s.left(20);
    for (int method : {0, 1}) {
        QElapsedTimer clock;
        qint64 inCall = 0;
        clock.start();
        constexpr int kLines = 10;
        for (int i = 0; i < kLines; ++i) {
            QElapsedTimer call;
            call.start();
            send(method, line);
            inCall += call.elapsed();
            QCOMPARE(nextLine(), u"line "_s + line);
        }
        qInfo("%s: %.1f ms per line in the call, %.1f ms until the box printed it",
              method == 0 ? "replace (paste)" : "type (keys)", double(inCall) / kLines,
              double(clock.elapsed()) / kLines);
    }
}

QTEST_GUILESS_MAIN(TestX11Sending)
#include "tst_x11sending.moc"
