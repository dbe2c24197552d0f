// Which line the send key sends and where the caret lands; the text of the
// target window's handle.
#include "send/LineSending.h"

#include <QTest>

Q_DECLARE_METATYPE(CommentKinds)

using namespace Qt::StringLiterals;

class TestLineSending : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void step_data();
    void step();
    void parseHandle_data();
    void parseHandle();
    void formatHandleRoundTrips();
};

void TestLineSending::step_data()
{
    // Roll "abc\n<-memo\n\nxy": lines start at 0, 4, 11, 12; the end is 14.
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("caret");
    QTest::addColumn<CommentKinds>("kinds");
    QTest::addColumn<bool>("send");
    QTest::addColumn<int>("caretAfter");
    const CommentKinds simple;
    const CommentKinds none{false, false, false, false};
    const CommentKinds jumpOnly{false, true, false, false};
    QTest::newRow("caption line from column 0: start of the next line")
        << u"abc"_s << 0 << simple << true << 4;
    QTest::newRow("from column 2: column 2 of a long enough next line")
        << u"abc"_s << 2 << simple << true << 6;
    QTest::newRow("next line shorter than the column: counts characters, lands a line further")
        << u"<-memo"_s << 5 << none << true << 12;
    QTest::newRow("comment skipped, caret still moves")
        << u"<-memo"_s << 4 << simple << false << 11;
    QTest::newRow("comment sent when no kind is recognised")
        << u"<-memo"_s << 4 << none << true << 11;
    QTest::newRow("plain comment sent when only jump comments are recognised")
        << u"<-memo"_s << 4 << jumpOnly << true << 11;
    QTest::newRow("jump comment skipped when only jump comments are recognised")
        << u"<-◆見出し"_s << 4 << jumpOnly << false << 11;
    QTest::newRow("empty line is sent") << QString() << 11 << simple << true << 12;
    QTest::newRow("last line: caret ends at the end of the text")
        << u"xy"_s << 12 << simple << true << 14;
    QTest::newRow("last line from its end: stays at the end")
        << u"xy"_s << 14 << simple << true << 14;
}

void TestLineSending::step()
{
    QFETCH(QString, line);
    QFETCH(int, caret);
    QFETCH(CommentKinds, kinds);
    QFETCH(bool, send);
    QFETCH(int, caretAfter);
    const LineSendStep result = lineSendStep(line, caret, 14, kinds);
    QCOMPARE(result.send, send);
    QCOMPARE(result.caretAfter, caretAfter);
}

void TestLineSending::parseHandle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("window");
    QTest::newRow("initial text is no target") << u"0x0000000"_s << quint64(0);
    QTest::newRow("decimal as captured") << u"4194311"_s << quint64(4194311);
    QTest::newRow("empty") << QString() << quint64(0);
    QTest::newRow("negative is no target") << u"-5"_s << quint64(0);
    QTest::newRow("digits before junk count") << u"12ab"_s << quint64(12);
    QTest::newRow("overflow is no target") << u"99999999999999999999999"_s << quint64(0);
}

void TestLineSending::parseHandle()
{
    QFETCH(QString, text);
    QFETCH(quint64, window);
    QCOMPARE(parseSendHandle(text), window);
}

void TestLineSending::formatHandleRoundTrips()
{
    QCOMPARE(formatSendHandle(4194311), u"4194311"_s);
    QCOMPARE(parseSendHandle(formatSendHandle(0x3a00007)), quint64(0x3a00007));
}

QTEST_GUILESS_MAIN(TestLineSending)
#include "tst_linesending.moc"
