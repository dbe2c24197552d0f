#include "lists/LineLists.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLineLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void talkers_data();
    void talkers();
    void talkerLines();
    void search_data();
    void search();
    void entryNumber_data();
    void entryNumber();
};

void TestLineLists::talkers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("order of first appearance")
        << QStringList{u"田中／はい"_s, u"佐藤／いいえ"_s, u"田中／そうです"_s, u"拍手"_s}
        << QStringList{u"田中／"_s, u"佐藤／"_s};
    QTest::newRow("letter case ignored for duplicates") << QStringList{u"Tanaka/yes"_s, u"TANAKA/no"_s}
                                                        << QStringList{u"Tanaka/"_s};
    QTest::newRow("first slash of either kind") << QStringList{u"田中/佐藤／"_s} << QStringList{u"田中/"_s};
    QTest::newRow("no slashes") << QStringList{u"拍手"_s, QString()} << QStringList{};
    QTest::newRow("comment lines count too") << QStringList{u"<-司会／メモ"_s} << QStringList{u"<-司会／"_s};
}

void TestLineLists::talkers()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, parts);
    QCOMPARE(talkerParts(lines), parts);
}

void TestLineLists::talkerLines()
{
    const QStringList roll{u"田中／はい"_s, u"佐藤／いいえ"_s, u"田中／そうです"_s, u"それは田中さんの"_s};
    QCOMPARE(linesOfTalker(roll, u"田中／"_s), (QStringList{u"00001 : 田中／はい"_s, u"00003 : 田中／そうです"_s}));
    QCOMPARE(linesContaining(roll, talkerName(u"田中／"_s)),
             (QStringList{u"00001 : 田中／はい"_s, u"00003 : 田中／そうです"_s, u"00004 : それは田中さんの"_s}));
    QCOMPARE(talkerName(u"／"_s), QString());
    QCOMPARE(linesContaining(roll, talkerName(u"／"_s)), QStringList{});
    // A talker whose name Shift-JIS cannot hold still finds its lines.
    QCOMPARE(linesOfTalker({u"𠮷田／はい"_s}, u"𠮷田／"_s), QStringList{u"00001 : ?田／はい"_s});
}

void TestLineLists::search_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("lines 1 and 3") << QStringList{u"私の"_s, u"です"_s, u"あの"_s} << u"の"_s
                                   << QStringList{u"00001 : 私の"_s, u"00003 : あの"_s};
    QTest::newRow("twice in a line lists it once") << QStringList{u"ののの"_s} << u"の"_s << QStringList{u"00001 : ののの"_s};
    QTest::newRow("comment lines searched") << QStringList{u"<-メモ"_s} << u"メモ"_s << QStringList{u"00001 : <-メモ"_s};
    QTest::newRow("case-sensitive") << QStringList{u"ABC"_s} << u"abc"_s << QStringList{};
    QTest::newRow("empty text finds nothing") << QStringList{u"abc"_s} << QString() << QStringList{};
}

void TestLineLists::search()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(linesContaining(lines, text), entries);
}

void TestLineLists::entryNumber_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("number");
    QTest::newRow("result entry") << u"00012 : 田中／はい"_s << 12;
    QTest::newRow("leading blanks") << u"  7 x"_s << 7;
    QTest::newRow("tag-jump form") << u"00120 ：　◆見出し"_s << 120;
    QTest::newRow("no number") << u"abc"_s << -1;
}

void TestLineLists::entryNumber()
{
    QFETCH(QString, entry);
    QFETCH(int, number);
    QCOMPARE(entryLineNumber(entry), number);
}

QTEST_APPLESS_MAIN(TestLineLists)
#include "tst_linelists.moc"
