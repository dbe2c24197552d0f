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

QTEST_GUILESS_MAIN(TestRollJoin)
#include "tst_rolljoin.moc"
