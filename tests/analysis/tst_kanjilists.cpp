// The built-in kanji lists as generated from data/: sizes, the rows that tell
// the right table from a near one, and how the lists relate.
#include "analysis/KanjiLists.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(KanjiList)

namespace {
QSet<uint> setOf(KanjiList list)
{
    const QList<uint> chars = kanjiList(list).toUcs4();
    return QSet<uint>(chars.cbegin(), chars.cend());
}

const QList<KanjiList> kTaught = {KanjiList::Grade1, KanjiList::Grade2, KanjiList::Grade3, KanjiList::Grade4,
                                  KanjiList::Grade5, KanjiList::Grade6, KanjiList::Junior};
} // namespace

class TestKanjiLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizes_data();
    void sizes();
    void tellingRows_data();
    void tellingRows();
    void taughtListsAreDisjointAndJoyo();
    void permittedFormsAreJoyo();
    void membershipMatchesTheLists();
};

void TestKanjiLists::sizes_data()
{
    QTest::addColumn<KanjiList>("list");
    QTest::addColumn<int>("characters"); // code points, each distinct
    QTest::newRow("G1") << KanjiList::Grade1 << 80;
    QTest::newRow("G2") << KanjiList::Grade2 << 160;
    QTest::newRow("G3") << KanjiList::Grade3 << 200;
    QTest::newRow("G4") << KanjiList::Grade4 << 200;
    QTest::newRow("G5") << KanjiList::Grade5 << 185;
    QTest::newRow("G6") << KanjiList::Grade6 << 181;
    QTest::newRow("J") << KanjiList::Junior << 934;
    // 2,136 kanji and the 364 traditional forms the list prints, with the
    // four permitted forms Shift-JIS text uses.
    QTest::newRow("Jōyō") << KanjiList::Joyo << 2500 + 4;
    QTest::newRow("L2") << KanjiList::Level2 << 3390;
}

void TestKanjiLists::sizes()
{
    QFETCH(KanjiList, list);
    QFETCH(int, characters);
    QCOMPARE(kanjiList(list).toUcs4().size(), characters);
    QCOMPARE(setOf(list).size(), characters);
}

void TestKanjiLists::tellingRows_data()
{
    QTest::addColumn<KanjiList>("list");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");
    QTest::newRow("G1") << KanjiList::Grade1 << u"一右雨円王音下火花貝学気休玉金九空月犬見五口校"_s << QString();
    QTest::newRow("G2") << KanjiList::Grade2 << u"引羽雲園遠黄何夏家科歌画会回海絵"_s << QString();
    QTest::newRow("J") << KanjiList::Junior << u"握扱依偉威為維緯違井壱稲芋陰隠影"_s << QString();
    // In the list's own order, each kanji with its traditional forms after it.
    QTest::newRow("Jōyō") << KanjiList::Joyo << u"亜亞哀挨愛曖悪惡握圧壓扱宛嵐安案暗以衣位"_s << u"叱填剥頬"_s;
    QTest::newRow("L2") << KanjiList::Level2 << u"弌丐丕个丱丶丼丿乂乖乘亂"_s << u"堯槇遙瑤凜熙"_s;
}

void TestKanjiLists::tellingRows()
{
    QFETCH(KanjiList, list);
    QFETCH(QString, begins);
    QFETCH(QString, ends);
    QVERIFY(kanjiList(list).startsWith(begins));
    QVERIFY(kanjiList(list).endsWith(ends));
}

void TestKanjiLists::taughtListsAreDisjointAndJoyo()
{
    const QSet<uint> joyo = setOf(KanjiList::Joyo);
    for (qsizetype i = 0; i < kTaught.size(); ++i) {
        const QSet<uint> one = setOf(kTaught.at(i));
        QVERIFY2(joyo.contains(one), qPrintable(QString::number(i)));
        for (qsizetype j = i + 1; j < kTaught.size(); ++j)
            QVERIFY2(!one.intersects(setOf(kTaught.at(j))), qPrintable(u"%1 %2"_s.arg(i).arg(j)));
    }
    // The five kanji the 2010 revision removed are taught nowhere.
    for (const QChar c : u"勺銑脹錘匁"_s) {
        for (const KanjiList list : kTaught)
            QVERIFY(!isInKanjiList(list, c.unicode()));
        QVERIFY(!isInKanjiList(KanjiList::Joyo, c.unicode()));
    }
}

void TestKanjiLists::permittedFormsAreJoyo()
{
    const QString official = u"𠮟塡剝頰"_s;
    const QString permitted = u"叱填剥頬"_s;
    for (qsizetype i = 0; i < permitted.size(); ++i)
        QVERIFY(isInKanjiList(KanjiList::Joyo, permitted[i].unicode()));
    for (const char32_t c : official.toUcs4())
        QVERIFY(isInKanjiList(KanjiList::Joyo, c));
}

void TestKanjiLists::membershipMatchesTheLists()
{
    // The table that answers for the kanji block, against the strings.
    for (int list = 0; list <= int(KanjiList::Level2); ++list) {
        const QSet<uint> set = setOf(KanjiList(list));
        for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
            if (isInKanjiList(KanjiList(list), c) != set.contains(uint(c)))
                QFAIL(qPrintable(u"list %1, U+%2"_s.arg(list).arg(uint(c), 4, 16)));
        }
    }
}

QTEST_APPLESS_MAIN(TestKanjiLists)
#include "tst_kanjilists.moc"
