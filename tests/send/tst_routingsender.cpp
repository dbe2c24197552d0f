// The routing back end: F2 over a window of a program under Wine captures the
// Windows handle through the bridge and F1 sends there by window messages;
// every other window stays the desktop back end's. A missing wine or bridge
// is told once, and a failing bridge never passes for a delivered line.
#include "FakeWindowSender.h"

#include "platform/RoutingWindowSender.h"
#include "platform/ScriptedPrompter.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr WId kXWindow = 0x1c00003;  // a desktop window id
constexpr WId kWineXWindow = 0x400001;
constexpr WId kHandle = 131206;      // the Windows handle of the box in it

class FakeWine : public WineDelivery {
public:
    QString missingText;
    std::optional<WId> captured = kHandle;
    QString captureProblem;
    SendOutcome existsOutcome;
    SendOutcome sendOutcome;
    QList<WineTarget> captures;
    struct Sent {
        WId window;
        WineSendMethod method;
        QByteArray line;
        bool operator==(const Sent &) const = default;
    };
    QList<Sent> sent;

    QString missing(const WineTarget &) const override { return missingText; }
    std::optional<WId> capture(const WineTarget &target, QString *why) override
    {
        captures.append(target);
        if (!captured)
            *why = captureProblem;
        return captured;
    }
    SendOutcome exists(WId) override { return existsOutcome; }
    SendOutcome send(WId window, WineSendMethod method, QByteArrayView line) override
    {
        sent.append({window, method, line.toByteArray()});
        return sendOutcome;
    }
};
} // namespace

class TestRoutingSender : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captureReportsTheRightKindOfWindow_data();
    void captureReportsTheRightKindOfWindow();
    void missingWineIsToldOnce();
    void linesGoWhereTheCaptureCameFrom();
    void wineTargetGoneOrBridgeFailing();
    void desktopSendingSettingsAndHeldKeysPassThrough();

private:
    WId capture(WId desktopWindow);

    ScriptedPrompter m_prompter;
    FakeWindowSender *m_desktop = nullptr;
    FakeWine *m_wine = nullptr;
    std::unique_ptr<RoutingWindowSender> m_router;
};

void TestRoutingSender::initTestCase()
{
    Prompter::install(&m_prompter);
}

void TestRoutingSender::init()
{
    m_prompter.clear();
    auto desktop = std::make_unique<FakeWindowSender>();
    auto wine = std::make_unique<FakeWine>();
    m_desktop = desktop.get();
    m_wine = wine.get();
    m_desktop->windows = {kXWindow, kWineXWindow, kHandle};
    m_router = std::make_unique<RoutingWindowSender>(std::move(desktop), std::move(wine), [](WId w) {
        WineTarget target;
        target.wine = w == kWineXWindow;
        target.loader = u"/usr/lib/wine/wine64"_s;
        target.prefix = u"/home/a/.iptalk"_s;
        return target;
    });
}

void TestRoutingSender::cleanup()
{
    m_router.reset();
}

WId TestRoutingSender::capture(WId desktopWindow)
{
    QSignalSpy captured(m_router.get(), &WindowSender::captureKeyPressed);
    if (!m_router->armCaptureHotKey())
        return 0;
    m_desktop->pressF2(desktopWindow);
    return captured.size() == 1 ? captured[0][0].value<WId>() : 0;
}

void TestRoutingSender::captureReportsTheRightKindOfWindow_data()
{
    QTest::addColumn<WId>("underPointer");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<bool>("bridgeCaptures");
    QTest::addColumn<WId>("reported");
    QTest::addColumn<QString>("told");

    QTest::newRow("ordinary window: its desktop id") << kXWindow << QString() << true << kXWindow
                                                     << QString();
    QTest::newRow("Wine window: the Windows handle under the pointer")
        << kWineXWindow << QString() << true << kHandle << QString();
    QTest::newRow("Wine window without wine: told, the desktop id")
        << kWineXWindow << u"wine が必要です。"_s << true << kWineXWindow
        << u"wine が必要です。"_s;
    QTest::newRow("Wine window, bridge fails: told why, the desktop id")
        << kWineXWindow << QString() << false << kWineXWindow
        << u"Wine のウィンドウを特定できませんでした。\r\n起動できませんでした"_s;
}

void TestRoutingSender::captureReportsTheRightKindOfWindow()
{
    QFETCH(WId, underPointer);
    QFETCH(QString, missing);
    QFETCH(bool, bridgeCaptures);
    QFETCH(WId, reported);
    QFETCH(QString, told);
    m_wine->missingText = missing;
    if (!bridgeCaptures) {
        m_wine->captured.reset();
        m_wine->captureProblem = u"起動できませんでした"_s;
    }
    QCOMPARE(capture(underPointer), reported);
    QCOMPARE(m_router->isWineHandle(reported), reported == kHandle);
    if (told.isEmpty()) {
        QVERIFY(m_prompter.asked().isEmpty());
    } else {
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, told);
        QCOMPARE(m_prompter.asked()[0].caption, u"ウィンドウハンドルの取得"_s);
        QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Warning);
    }
    // The bridge is asked in the target's own Wine, and only for Wine windows.
    if (underPointer == kWineXWindow && missing.isEmpty()) {
        QCOMPARE(m_wine->captures.size(), 1);
        QCOMPARE(m_wine->captures[0].prefix, u"/home/a/.iptalk"_s);
    } else {
        QVERIFY(m_wine->captures.isEmpty());
    }
}

void TestRoutingSender::missingWineIsToldOnce()
{
    m_wine->missingText = u"wine が必要です。"_s;
    QCOMPARE(capture(kWineXWindow), kWineXWindow);
    QCOMPARE(capture(kWineXWindow), kWineXWindow);
    QCOMPARE(m_prompter.asked().size(), 1);
}

void TestRoutingSender::linesGoWhereTheCaptureCameFrom()
{
    QCOMPARE(capture(kWineXWindow), kHandle);
    QVERIFY(m_router->windowExists(kHandle));
    QVERIFY(m_router->replaceTextAndEnter(kHandle, "\x93\xfa").delivered());
    QVERIFY(m_router->typeTextAndEnter(kHandle, "ab").delivered());
    QVERIFY(m_router->typeTextAndEnter(kXWindow, "x").delivered());
    const QList<FakeWine::Sent> viaWine{{kHandle, WineSendMethod::ReplaceText, "\x93\xfa"},
                                        {kHandle, WineSendMethod::TypeText, "ab"}};
    QCOMPARE(m_wine->sent, viaWine);
    const QList<FakeWindowSender::Delivery> viaDesktop{{u"type"_s, kXWindow, "x"}};
    QCOMPARE(m_desktop->deliveries, viaDesktop);

    // A desktop window that happens to carry the same number is the desktop's
    // once captured as such.
    m_desktop->windows.insert(kHandle);
    QCOMPARE(capture(kHandle), kHandle);
    QVERIFY(!m_router->isWineHandle(kHandle));
    QVERIFY(m_router->replaceTextAndEnter(kHandle, "y").delivered());
    QCOMPARE(m_wine->sent.size(), 2);
    QCOMPARE(m_desktop->deliveries.size(), 2);
}

void TestRoutingSender::wineTargetGoneOrBridgeFailing()
{
    QCOMPARE(capture(kWineXWindow), kHandle);
    m_wine->existsOutcome = SendOutcome::failed(SendFailure::TargetGone);
    QVERIFY(!m_router->windowExists(kHandle));

    // A bridge that cannot tell lets the send say why; the failure comes back
    // as it is, never as a delivered line.
    m_wine->existsOutcome = SendOutcome::failed(SendFailure::BridgeFailed, u"応答しません"_s);
    QVERIFY(m_router->windowExists(kHandle));
    m_wine->sendOutcome = SendOutcome::failed(SendFailure::BridgeFailed, u"応答しません"_s);
    const SendOutcome outcome = m_router->typeTextAndEnter(kHandle, "a");
    QCOMPARE(outcome.failure, SendFailure::BridgeFailed);
    QCOMPARE(outcome.detail, u"応答しません"_s);
    QVERIFY(m_desktop->deliveries.isEmpty());
}

void TestRoutingSender::desktopSendingSettingsAndHeldKeysPassThrough()
{
    // The editor talks to the router only: the settle time must reach the
    // desktop back end, and an F1 it held during a send must reach the editor.
    m_router->setSettleTime(250);
    QCOMPARE(m_desktop->settleMs, 250);
    QSignalSpy held(m_router.get(), &WindowSender::keyPressedDuringSend);
    Q_EMIT m_desktop->keyPressedDuringSend(Qt::Key_F1);
    QCOMPARE(held.size(), 1);
    QCOMPARE(held[0][0].toInt(), int(Qt::Key_F1));
}

QTEST_GUILESS_MAIN(TestRoutingSender)
#include "tst_routingsender.moc"
