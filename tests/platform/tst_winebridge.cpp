// The editor's side of the Wine bridge against stand-in bridges (shell
// scripts run in place of wine): answers are matched to their request, noise
// and late answers are passed over, a slow line is waited for while the
// bridge says it is busy, and a bridge that is silent or ends fails the
// request (never as delivered) and is started afresh for the next one.
#include "platform/WineBridge.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SendFailure)

namespace {
// How often the stand-in was started, kept beside it.
const QByteArray kCountStarts =
    "n=$(cat \"$0.starts\" 2>/dev/null || echo 0); n=$((n+1)); echo $n > \"$0.starts\"\n";
const QByteArray kHello = "read id verb rest; echo \"$id ok 1 932\"\n";
const QByteArray kAnswerAll = "while read id verb rest; do echo \"$id ok\"; done\n";
} // namespace

class TestWineBridge : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void requestOutcome_data();
    void requestOutcome();
    void missingWineOrBridgeIsNamed();

private:
    QString standIn(const QByteArray &body);
    QTemporaryDir m_dir;
    int m_scripts = 0;
};

QString TestWineBridge::standIn(const QByteArray &body)
{
    const QString path = m_dir.filePath(u"bridge%1.sh"_s.arg(++m_scripts));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(kCountStarts + body);
    return path;
}

void TestWineBridge::requestOutcome_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<SendFailure>("first");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<SendFailure>("second");
    QTest::addColumn<int>("starts");

    QTest::newRow("answered") << kHello + kAnswerAll << SendFailure::None << QString()
                              << SendFailure::None << 1;
    QTest::newRow("noise and a late answer are passed over")
        << kHello + "read id verb rest; echo 'fixme:ntdll:stub'; echo \"999 ok\"; "
                    "echo \"$id fail gone\"\n" + kAnswerAll
        << SendFailure::TargetGone << QString() << SendFailure::None << 1;
    QTest::newRow("target does not answer")
        << kHello + "read id verb rest; echo \"$id fail noanswer\"\n" + kAnswerAll
        << SendFailure::NoAnswer << QString() << SendFailure::None << 1;
    QTest::newRow("busy for longer than the limit, then delivered")
        << kHello + "read id verb rest; for i in 1 2 3 4 5; do sleep 0.2; echo \"$id busy\"; done; "
                    "echo \"$id ok\"\n" + kAnswerAll
        << SendFailure::None << QString() << SendFailure::None << 1;
    QTest::newRow("silent bridge: failed, started afresh")
        << kHello + "if [ $n = 1 ]; then read id verb rest; exec sleep 30; fi\n" + kAnswerAll
        << SendFailure::BridgeFailed << u"応答しませんでした"_s << SendFailure::None << 2;
    QTest::newRow("bridge ends: failed, started afresh")
        << kHello + "if [ $n = 1 ]; then read id verb rest; exit 0; fi\n" + kAnswerAll
        << SendFailure::BridgeFailed << u"終了しました"_s << SendFailure::None << 2;
    QTest::newRow("another version of the bridge")
        << QByteArray("read id verb rest; echo \"$id ok 2 932\"\n") + kAnswerAll
        << SendFailure::BridgeFailed << u"版が合いません"_s << SendFailure::BridgeFailed << 2;
}

void TestWineBridge::requestOutcome()
{
    QFETCH(QByteArray, body);
    QFETCH(SendFailure, first);
    QFETCH(QString, detail);
    QFETCH(SendFailure, second);
    QFETCH(int, starts);
    const QString script = standIn(body);
    WineBridge bridge(script);
    bridge.setTimeouts(5000, 500);
    WineTarget sh;
    sh.wine = true;
    sh.loader = u"/bin/sh"_s;
    bridge.useWine(sh);

    QElapsedTimer t;
    t.start();
    const SendOutcome outcome = bridge.send(65560, WineSendMethod::TypeText, "\x93\xfa");
    QCOMPARE(outcome.failure, first);
    QVERIFY2(outcome.detail.contains(detail), qPrintable(outcome.detail));
    QVERIFY2(t.elapsed() < 4000, "a silent bridge holds the editor only for the time limit");
    QCOMPARE(bridge.send(65560, WineSendMethod::ReplaceText, "").failure, second);

    QFile count(script + u".starts"_s);
    QVERIFY(count.open(QIODevice::ReadOnly));
    QCOMPARE(count.readAll().trimmed().toInt(), starts);
}

void TestWineBridge::missingWineOrBridgeIsNamed()
{
    WineTarget target;
    target.wine = true;
    target.loader = u"/bin/sh"_s;
    WineBridge noBridge(m_dir.filePath(u"absent.exe"_s));
    QCOMPARE(noBridge.missing(target),
             u"Wine のプログラムへ送信するための部品（velmat-wine-bridge.exe）が見つかりません。\r\n"
             u"Velmat をインストールし直してください。"_s);
    QCOMPARE(noBridge.send(1, WineSendMethod::TypeText, "a").failure, SendFailure::BridgeFailed);

    WineBridge bridge(standIn(kHello + kAnswerAll));
    QVERIFY(bridge.missing(target).isEmpty());
    target.loader = u"/nonexistent/wine"_s;
    QCOMPARE(bridge.missing(target),
             u"Wine のプログラムへ送信するには wine が必要です。\r\n"
             u"sudo apt install wine を実行してから、もう一度「入力ウィンドウ特定」をしてください。"_s);
}

QTEST_GUILESS_MAIN(TestWineBridge)
#include "tst_winebridge.moc"
