// The line protocol between the editor and its bridge to programs under Wine:
// requests and answers survive the trip byte for byte, and anything that is
// not a well-formed line is refused rather than half understood.
#include "platform/win32/BridgeProtocol.h"

#include <QTest>

Q_DECLARE_METATYPE(BridgeVerb)

class TestBridgeProtocol : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void requestRoundTrip_data();
    void requestRoundTrip();
    void malformedRequestRefused_data();
    void malformedRequestRefused();
    void answerParsing_data();
    void answerParsing();
};

void TestBridgeProtocol::requestRoundTrip_data()
{
    QTest::addColumn<BridgeVerb>("verb");
    QTest::addColumn<quint64>("window");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("hello has no arguments") << BridgeVerb::Hello << quint64(0) << QByteArray()
                                            << QByteArray("7 hello");
    QTest::newRow("capture has no arguments") << BridgeVerb::Capture << quint64(0) << QByteArray()
                                              << QByteArray("7 capture");
    QTest::newRow("exists names the window") << BridgeVerb::Exists << quint64(131206)
                                             << QByteArray() << QByteArray("7 exists 131206");
    // 日本 in code page 932, a blank, a line break and a NUL: nothing may end
    // the request early.
    QTest::newRow("replace carries any byte as hex")
        << BridgeVerb::Replace << quint64(65560) << QByteArray("\x93\xfa\x96\x7b \r\n\0a", 9)
        << QByteArray("7 replace 65560 93fa967b200d0a0061");
    QTest::newRow("an empty line is a dash") << BridgeVerb::Type << quint64(65560) << QByteArray()
                                             << QByteArray("7 type 65560 -");
    QTest::newRow("read names the window") << BridgeVerb::Read << quint64(18446744073709551615ull)
                                           << QByteArray()
                                           << QByteArray("7 read 18446744073709551615");
}

void TestBridgeProtocol::requestRoundTrip()
{
    QFETCH(BridgeVerb, verb);
    QFETCH(quint64, window);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, line);
    BridgeRequest request;
    request.id = 7;
    request.verb = verb;
    request.window = window;
    request.text = text.toStdString();
    QCOMPARE(QByteArray::fromStdString(formatBridgeRequest(request)), line);

    for (const QByteArray &ending : {QByteArray(), QByteArray("\n"), QByteArray("\r\n")}) {
        const QByteArray sent = line + ending;
        const auto parsed = parseBridgeRequest(std::string_view(sent.constData(), sent.size()));
        QVERIFY(parsed);
        QCOMPARE(parsed->id, quint64(7));
        QCOMPARE(parsed->verb, verb);
        QCOMPARE(parsed->window, window);
        QCOMPARE(QByteArray::fromStdString(parsed->text), text);
    }
}

void TestBridgeProtocol::malformedRequestRefused_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("no verb") << QByteArray("3");
    QTest::newRow("unknown verb") << QByteArray("3 explode");
    QTest::newRow("id not a number") << QByteArray("x3 hello");
    QTest::newRow("negative id") << QByteArray("-3 hello");
    QTest::newRow("window missing") << QByteArray("3 exists");
    QTest::newRow("window not a number") << QByteArray("3 exists 12ab");
    QTest::newRow("window too large") << QByteArray("3 exists 18446744073709551616");
    QTest::newRow("text missing") << QByteArray("3 replace 12");
    QTest::newRow("odd hex") << QByteArray("3 type 12 abc");
    QTest::newRow("not hex") << QByteArray("3 type 12 zz");
    QTest::newRow("extra word") << QByteArray("3 hello there");
    QTest::newRow("double blank") << QByteArray("3  hello");
    QTest::newRow("trailing blank") << QByteArray("3 hello ");
}

void TestBridgeProtocol::malformedRequestRefused()
{
    QFETCH(QByteArray, line);
    QVERIFY(!parseBridgeRequest(std::string_view(line.constData(), line.size())));
}

void TestBridgeProtocol::answerParsing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint64>("id");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("ok alone") << QByteArray("4 ok\n") << true << quint64(4) << true << QByteArray();
    QTest::newRow("ok with value") << QByteArray("4 ok 1 932\r\n") << true << quint64(4) << true
                                   << QByteArray("1 932");
    QTest::newRow("failure with reason") << QByteArray("9 fail gone") << true << quint64(9)
                                         << false << QByteArray("gone");
    QTest::newRow("failure without reason") << QByteArray("9 fail") << false << quint64(0)
                                            << false << QByteArray();
    QTest::newRow("busy: still working") << QByteArray("9 busy") << true << quint64(9) << false
                                         << QByteArray();
    QTest::newRow("busy with a value") << QByteArray("9 busy 3") << false << quint64(0) << false
                                       << QByteArray();
    QTest::newRow("unknown status") << QByteArray("9 maybe") << false << quint64(0) << false
                                    << QByteArray();
    QTest::newRow("Wine's own noise") << QByteArray("fixme:ntdll:NtQuerySystemInformation")
                                      << false << quint64(0) << false << QByteArray();
}

void TestBridgeProtocol::answerParsing()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    const auto answer = parseBridgeAnswer(std::string_view(line.constData(), line.size()));
    QCOMPARE(bool(answer), valid);
    if (!valid)
        return;
    QFETCH(quint64, id);
    QFETCH(bool, ok);
    QFETCH(QByteArray, value);
    QCOMPARE(answer->id, id);
    QCOMPARE(answer->ok, ok);
    QCOMPARE(answer->busy, line.contains("busy"));
    QCOMPARE(QByteArray::fromStdString(answer->value), value);
    // What the bridge writes reads back the same.
    QCOMPARE(QByteArray::fromStdString(formatBridgeAnswer(*answer)),
             line.trimmed());
}

QTEST_GUILESS_MAIN(TestBridgeProtocol)
#include "tst_bridgeprotocol.moc"
