// Joining roll files as plain logic: the joined lines, files that cannot be
// read, and hostile contents that must neither crash nor leak into other files.
#include "support/TestSupport.h"
#include "join/RollJoin.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRollJoin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void header();
    void twoFiles();
    void missingFileKeepsItsMarkOnly();
    void emptyList();
    void hostileContents_data();
    void hostileContents();
    void documentsWithoutAFilterFail();
    void partlyDecodedFileIsNamed();
    void documentReadInPartKeepsItsText_data();
    void documentReadInPartKeepsItsText();
    void oneBoundForAllFiles();
    void namesWithLineBreaksStayOneLine_data();
    void namesWithLineBreaksStayOneLine();

private:
    QString write(const QString &name, const QByteArray &bytes) { return writeTestFile(m_dir.filePath(name), bytes); }
    QTemporaryDir m_dir;
    const QString m_header = u"<- ファイル結合実施  2012/09/02 13:45:01"_s;
};

void TestRollJoin::header()
{
    QCOMPARE(joinHeaderLine(QDateTime(QDate(2012, 9, 2), QTime(13, 45, 1))), m_header);
}

void TestRollJoin::twoFiles()
{
    const QString a = write(u"a.txt"_s, cp932Encode(u"あ\r\nい\r\n"_s));
    const QString b = write(u"b.txt"_s, cp932Encode(u"う"_s)); // no final line break
    const QList<JoinSource> sources{readJoinSource(a, {}), readJoinSource(b, {})};
    const QStringList expected{m_header, QString(), QString(), u"<-●a.txt"_s, u"あ"_s, u"い"_s,
                               u"<-●b.txt"_s, u"う"_s};
    QCOMPARE(joinedRollLines(m_header, sources), expected);
    QCOMPARE(joinResultMessage(sources), u"結合を完了しました。"_s);
}

void TestRollJoin::missingFileKeepsItsMarkOnly()
{
    const QString a = write(u"a.txt"_s, "A\r\n");
    const QString missing = m_dir.filePath(u"欠番.txt"_s);
    const QString c = write(u"c.txt"_s, "C\r\n");
    const QList<JoinSource> sources{readJoinSource(a, {}), readJoinSource(missing, {}), readJoinSource(c, {})};
    QVERIFY(!sources.at(1).ok);
    QVERIFY(!sources.at(1).error.isEmpty());
    const QStringList expected{m_header, QString(), QString(), u"<-●a.txt"_s, u"A"_s,
                               u"<-●欠番.txt"_s, u"<-●c.txt"_s, u"C"_s};
    QCOMPARE(joinedRollLines(m_header, sources), expected);
    const QString message = joinResultMessage(sources);
    QVERIFY(message.startsWith(u"結合を完了しました。\r\n\r\n【注意】結合できなかったファイルがあります。"_s));
    QVERIFY(message.contains(missing + u"："_s + sources.at(1).error));
    QVERIFY(!message.contains(a));
}

void TestRollJoin::emptyList()
{
    QCOMPARE(joinedRollLines(m_header, {}), (QStringList{m_header, QString(), QString()}));
    QCOMPARE(joinResultMessage({}), u"結合を完了しました。"_s);
}

void TestRollJoin::hostileContents_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("only a line break") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("lone CRs") << QByteArray("a\rb\r") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\n") << QStringList{u"あ"_s};
    QTest::newRow("UTF-16LE with a mark") << QByteArray("\xFF\xFE\x42\x30\r\0\n\0", 8) << QStringList{u"あ"_s};
    QTest::newRow("cut inside a Shift-JIS character") << QByteArray("A\r\n\x82") << QStringList{u"A"_s, u"\uFFFD"_s};
    QTest::newRow("binary with NULs") << QByteArray("\0\x01\x02\r\nZ", 6)
                                      << QStringList{QString(QChar(0)) + QChar(1) + QChar(2), u"Z"_s};
    QTest::newRow("a line that looks like a mark") << QByteArray("<-\x81\x9c" "b.txt\r\n")
                                                   << QStringList{u"<-●b.txt"_s};
    QTest::newRow("a 1 MB line") << QByteArray(1 << 20, 'x') << QStringList{QString(1 << 20, u'x')};
}

void TestRollJoin::hostileContents()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString odd = write(u"odd.txt"_s, bytes);
    const QString after = write(u"after.txt"_s, "end\r\n");
    const QList<JoinSource> sources{readJoinSource(odd, {}), readJoinSource(after, {})};
    QVERIFY(sources.at(0).ok);
    const QStringList expected = QStringList{m_header, QString(), QString(), u"<-●odd.txt"_s} + lines
                                 + QStringList{u"<-●after.txt"_s, u"end"_s};
    QCOMPARE(joinedRollLines(m_header, sources), expected);
}

void TestRollJoin::documentsWithoutAFilterFail()
{
    const QString doc = write(u"a.docx"_s, "PK\x03\x04");
    const JoinSource none = readJoinSource(doc, {});
    QVERIFY(!none.ok);
    const JoinSource missingProgram = readJoinSource(doc, m_dir.filePath(u"no-such-filter"_s));
    QVERIFY(!missingProgram.ok);
    QVERIFY(missingProgram.error.contains(u"起動できません"_s));
    const JoinSource missingDoc = readJoinSource(m_dir.filePath(u"gone.docx"_s), u"xdoc2txt"_s);
    QVERIFY(!missingDoc.ok);
}

void TestRollJoin::partlyDecodedFileIsNamed()
{
    const QString cut = write(u"cut.txt"_s, "A\r\n\x82");
    const QString whole = write(u"whole.txt"_s, "B\r\n");
    const QList<JoinSource> sources{readJoinSource(cut, {}), readJoinSource(whole, {})};
    QVERIFY(sources.at(0).ok);
    QVERIFY(!sources.at(0).warning.isEmpty());
    QVERIFY(sources.at(1).warning.isEmpty());
    QVERIFY(joinNeedsAttention(sources));
    QVERIFY(!joinNeedsAttention({sources.at(1)}));
    const QString message = joinResultMessage(sources);
    QVERIFY(message.startsWith(u"結合を完了しました。\r\n\r\n"_s));
    QVERIFY(message.contains(cut));
    QVERIFY(!message.contains(u"【注意】"_s));
}

void TestRollJoin::documentReadInPartKeepsItsText_data()
{
    // A stand-in filter: its output, its error output, its status.
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("told"); // in the warning (ok) or the error
    QTest::newRow("read in part: the text read, and why not all")
        << u"printf 'read\\r\\n'; echo 'part 2 is damaged' >&2; exit 3"_s << true << u"read\n"_s
        << u"\"%1\" には読めない部分がありました。読めた文字だけを読み込んでいます。\r\npart 2 is damaged"_s;
    QTest::newRow("read in part without a reason is a failure")
        << u"printf 'read\\r\\n'; exit 3"_s << false << QString() << u"フィルタが終了コード 3 を返しました。"_s;
    QTest::newRow("not read: the filter's own reason")
        << u"echo 'not a document' >&2; exit 1"_s << false << QString() << u"not a document"_s;
}

void TestRollJoin::documentReadInPartKeepsItsText()
{
    QFETCH(QString, script);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QFETCH(QString, told);
    const QString filter = write(u"filter.sh"_s, (u"#!/bin/sh\n"_s + script + u'\n').toUtf8());
    QFile::setPermissions(filter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString doc = write(u"part.docx"_s, "PK\x03\x04");
    const JoinSource source = readJoinSource(doc, filter);
    QCOMPARE(source.ok, ok);
    QCOMPARE(source.text, text);
    QCOMPARE(ok ? source.warning : source.error, told.contains(u"%1"_s) ? told.arg(doc) : told);
    QVERIFY(joinNeedsAttention({source}));
}

void TestRollJoin::oneBoundForAllFiles()
{
    // Each file is within the bound of one input; what a join reads in all is
    // held to it too. The room left is what the callers pass on.
    const QString a = write(u"a.txt"_s, QByteArray(600, 'a'));
    const QString b = write(u"b.txt"_s, QByteArray(600, 'b'));
    const JoinSource first = readJoinSource(a, {}, {}, 1000);
    QVERIFY(first.ok);
    QCOMPARE(first.bytes, 600);
    QCOMPARE(joinRoomLeft({first}), kJoinTotalLimit - 600);
    const JoinSource second = readJoinSource(b, {}, {}, 400);
    QVERIFY(!second.ok);
    QCOMPARE(second.error, u"結合するファイルが合わせて 256 MiB を超えるため、読み込みませんでした。"_s);
    QCOMPARE(second.bytes, 0);
    // A device tells no size: it is read only up to the room left.
    const QString endless = m_dir.filePath(u"endless.txt"_s);
    QVERIFY(QFile::link(u"/dev/zero"_s, endless));
    const JoinSource device = readJoinSource(endless, {}, {}, 1000);
    QVERIFY(!device.ok);
    QCOMPARE(device.error, second.error);
}

void TestRollJoin::namesWithLineBreaksStayOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mark");
    QTest::newRow("LF") << u"第1部\n<-●x.txt"_s << u"<-●第1部 <-●x.txt"_s;
    QTest::newRow("CR LF") << u"a\r\nb.txt"_s << u"<-●a  b.txt"_s;
    QTest::newRow("line separator") << u"a\u2028b.txt"_s << u"<-●a b.txt"_s;
    QTest::newRow("tab stays") << u"a\tb.txt"_s << u"<-●a\tb.txt"_s;
}

void TestRollJoin::namesWithLineBreaksStayOneLine()
{
    QFETCH(QString, name);
    QFETCH(QString, mark);
    const QString path = write(name, "text\r\n");
    const QStringList lines = joinedRollLines(m_header, {readJoinSource(path, {})});
    QCOMPARE(lines, (QStringList{m_header, QString(), QString(), mark, u"text"_s}));
}

QTEST_GUILESS_MAIN(TestRollJoin)
#include "tst_rolljoin.moc"
