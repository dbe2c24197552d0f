// The word lists of the word analysis window and the dictionary export's
// lines, from records made by hand (the kana mapping itself: tst_furigana).
#include "analysis/MorphemeDigest.h"
#include "analysis/WordsOfPart.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QStringList kRecords{
    u"山田,山田,ヤマダ,名詞-固有名詞-人名-姓"_s, u"東京,東京,トウキョウ,名詞-固有名詞-地域-一般"_s,
    u"山田,山田,ヤマダ,名詞-固有名詞-人名-姓"_s, u"走っ,走る,ハシッ,動詞-自立"_s,
    u"EOS"_s,
};
} // namespace

class TestWordsOfPart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void partsOfSpeech();
    void words_data();
    void words();
    void dictionaryEntries_data();
    void dictionaryEntries();
    void fileLines();
};

void TestWordsOfPart::partsOfSpeech()
{
    MorphemeDigest digest;
    digest.add(kRecords.join(u'\n').toUtf8());
    // Each once, sorted.
    QCOMPARE(digest.partsOfSpeech(),
             (QStringList{u"動詞-自立"_s, u"名詞-固有名詞-人名-姓"_s, u"名詞-固有名詞-地域-一般"_s}));
}

void TestWordsOfPart::words_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("part");
    QTest::addColumn<bool>("baseForms");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("a repeated name once") << kRecords << u"名詞-固有名詞-人名-姓"_s << false << QStringList{u"山田"_s};
    QTest::newRow("surface form") << kRecords << u"動詞-自立"_s << false << QStringList{u"走っ"_s};
    QTest::newRow("base form") << kRecords << u"動詞-自立"_s << true << QStringList{u"走る"_s};
    QTest::newRow("exact part only") << kRecords << u"名詞"_s << false << QStringList{};
    QTest::newRow("first met first, letter case ignored")
        << QStringList{u"Ｂ,Ｂ,ビー,名詞-一般"_s, u"ａ,ａ,エー,名詞-一般"_s, u"Ａ,Ａ,エー,名詞-一般"_s}
        << u"名詞-一般"_s << false << QStringList{u"Ｂ"_s, u"ａ"_s};
}

void TestWordsOfPart::words()
{
    QFETCH(QStringList, records);
    QFETCH(QString, part);
    QFETCH(bool, baseForms);
    QFETCH(QStringList, words);
    QCOMPARE(wordsOfPart(records, part, baseForms), words);
}

void TestWordsOfPart::dictionaryEntries_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("reading in hiragana") << kRecords << u"名詞-固有名詞-地域-一般"_s
                                         << QStringList{u"とうきょう\t東京\t名詞-固有名詞-地域-一般"_s};
    QTest::newRow("repeats once") << kRecords << u"名詞-固有名詞-人名-姓"_s
                                  << QStringList{u"やまだ\t山田\t名詞-固有名詞-人名-姓"_s};
    const QString longReading(130, u'ア');
    QTest::newRow("a reading too long to map stays")
        << QStringList{u"長,長,%1,名詞-一般"_s.arg(longReading)} << u"名詞-一般"_s
        << QStringList{longReading + u"\t長\t名詞-一般"_s};
}

void TestWordsOfPart::dictionaryEntries()
{
    QFETCH(QStringList, records);
    QFETCH(QString, part);
    QFETCH(QStringList, entries);
    QCOMPARE(::dictionaryEntries(records, part), entries);
}

void TestWordsOfPart::fileLines()
{
    QCOMPARE(dictionaryFileLines({u"やまだ\t山田\t名詞"_s}, u"2024/06/11 9:05:00"_s),
             (QStringList{u"Microsoft IME Dictionary Tool"_s, u"!Version:"_s, u"!Format:WORDLIST"_s,
                          u"!User Dictionary Name: C:\\"_s, u"!Output File Name: c:\\"_s,
                          u"!DateTime: 2024/06/11 9:05:00"_s, u"!TextListMaker: KOV Editor "_s,
                          u"!TextListDict:  Chasen "_s, u"やまだ\t山田\t名詞"_s}));
}

QTEST_APPLESS_MAIN(TestWordsOfPart)
#include "tst_wordsofpart.moc"
