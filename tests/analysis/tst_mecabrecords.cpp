// MeCab's output lines turned into the record form every user of the
// morphemes reads; the lines are as MeCab writes them with the IPA dictionary.
#include "analysis/MecabRecords.h"
#include "analysis/MorphemeRecord.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AnalyserRecord)

class TestMecabRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void records_data();
    void records();
    void notRecords_data();
    void notRecords();
    void recordLineReadsBackWhole_data();
    void recordLineReadsBackWhole();
    void outputInPieces();
};

void TestMecabRecords::records_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<AnalyserRecord>("record");
    const auto row = [](const char *name, const QString &line, const AnalyserRecord &record) {
        QTest::newRow(name) << line << record;
    };
    // Known words: the levels of the part of speech joined as ChaSen joins them.
    row("proper noun, four levels", u"佐藤\t名詞,固有名詞,人名,姓,*,*,佐藤,サトウ,サトー"_s,
        {u"佐藤"_s, u"佐藤"_s, u"サトウ"_s, u"名詞-固有名詞-人名-姓"_s, {}, {}});
    row("particle: the reading, not the pronunciation", u"は\t助詞,係助詞,*,*,*,*,は,ハ,ワ"_s,
        {u"は"_s, u"は"_s, u"ハ"_s, u"助詞-係助詞"_s, {}, {}});
    row("verb with conjugation", u"読ん\t動詞,自立,*,*,五段・マ行,連用タ接続,読む,ヨン,ヨン"_s,
        {u"読ん"_s, u"読む"_s, u"ヨン"_s, u"動詞-自立"_s, u"五段・マ行"_s, u"連用タ接続"_s});
    row("auxiliary: one level", u"まし\t助動詞,*,*,*,特殊・マス,連用形,ます,マシ,マシ"_s,
        {u"まし"_s, u"ます"_s, u"マシ"_s, u"助動詞"_s, u"特殊・マス"_s, u"連用形"_s});
    row("full-width digit", u"１\t名詞,数,*,*,*,*,１,イチ,イチ"_s,
        {u"１"_s, u"１"_s, u"イチ"_s, u"名詞-数"_s, {}, {}});
    row("ideographic space", u"　\t記号,空白,*,*,*,*,　,　,　"_s,
        {u"　"_s, u"　"_s, u"　"_s, u"記号-空白"_s, {}, {}});
    row("CR LF line end", u"本\t名詞,一般,*,*,*,*,本,ホン,ホン\r"_s,
        {u"本"_s, u"本"_s, u"ホン"_s, u"名詞-一般"_s, {}, {}});
    // Unknown words: no reading, as ChaSen writes them.
    row("unknown katakana word", u"ズンドコベロンチョ\t名詞,一般,*,*,*,*,*"_s,
        {u"ズンドコベロンチョ"_s, {}, {}, u"未知語"_s, {}, {}, false});
    row("unknown letters", u"abc\t名詞,固有名詞,組織,*,*,*,*"_s, {u"abc"_s, {}, {}, u"未知語"_s, {}, {}, false});
    row("half-width number stays a number", u"123\t名詞,数,*,*,*,*,*"_s,
        {u"123"_s, u"123"_s, {}, u"名詞-数"_s, {}, {}, false});
    row("half-width symbols stay symbols", u"\"\t名詞,サ変接続,*,*,*,*,*"_s,
        {u"\""_s, u"\""_s, u"\""_s, u"記号-一般"_s, {}, {}, false});
}

void TestMecabRecords::records()
{
    QFETCH(QString, line);
    QFETCH(AnalyserRecord, record);
    const std::optional<AnalyserRecord> got = recordFromMecab(line);
    QVERIFY(got);
    QCOMPARE(got->surface, record.surface);
    QCOMPARE(got->base, record.base);
    QCOMPARE(got->reading, record.reading);
    QCOMPARE(got->partOfSpeech, record.partOfSpeech);
    QCOMPARE(got->conjugationType, record.conjugationType);
    QCOMPARE(got->conjugationForm, record.conjugationForm);
    QCOMPARE(got->inDictionary, record.inDictionary);
}

void TestMecabRecords::notRecords_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("end of sentence") << u"EOS"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("no features") << u"本\t"_s;
    QTest::newRow("too few features") << u"本\t名詞,一般"_s;
    QTest::newRow("no surface") << u"\t名詞,一般,*,*,*,*,*"_s;
}

void TestMecabRecords::notRecords()
{
    QFETCH(QString, line);
    QVERIFY(!recordFromMecab(line));
}

void TestMecabRecords::recordLineReadsBackWhole_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << u"東京"_s << u"東京,東京,トウキョウ,名詞"_s;
    QTest::newRow("comma") << u","_s << u"\",\",\",\",\",\",名詞"_s;
    QTest::newRow("double quote") << u"\""_s << u"\"\"\"\",\"\"\"\",\"\"\"\",名詞"_s;
    QTest::newRow("ideographic space needs no quotes") << u"　"_s << u"　,　,　,名詞"_s;
}

void TestMecabRecords::recordLineReadsBackWhole()
{
    QFETCH(QString, surface);
    QFETCH(QString, line);
    const AnalyserRecord record{surface, surface, surface == u"東京" ? u"トウキョウ"_s : surface, u"名詞"_s, {}, {}};
    QCOMPARE(chasenRecordLine(record), line);
    QCOMPARE(parseRecord(line), (QStringList{record.surface, record.base, record.reading, record.partOfSpeech}));
}

void TestMecabRecords::outputInPieces()
{
    const QByteArray mecab = "今日\t名詞,副詞可能,*,*,*,*,今日,キョウ,キョー\n"
                             "キャキーン\t名詞,一般,*,*,*,*,*\n"
                             "EOS\n"
                             "\n"
                             "。\t記号,句点,*,*,*,*,。,。,。\r\n"
                             "=~\t名詞,サ変接続,*,*,*,*,*\n"
                             "EOS\n";
    // A run of unknown symbols: one record a symbol, so that the word check
    // does not keep a line of "=" whole.
    QCOMPARE(QString::fromUtf8(chasenRecordsFromMecab(mecab)),
             u"今日,今日,キョウ,名詞-副詞可能\nキャキーン,,,未知語\nEOS\n。,。,。,記号-句点\n"
             u"=,=,=,記号-一般\n~,~,~,記号-一般\nEOS\n"_s);
}

QTEST_GUILESS_MAIN(TestMecabRecords)
#include "tst_mecabrecords.moc"
