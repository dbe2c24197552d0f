#include "analysis/MorphemeDigest.h"
#include "analysis/MorphemeRecord.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMorpheme : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void partsOfSpeechAreDistinctAndSorted();
    void surfacesMatchTheFullParse();
    void digestGivesWhatTheWholeOutputGives();
};

namespace {
// What the word check took from the full parse: field 0 of every record with
// blanks removed, each form once, first met first.
QStringList surfacesByFullParse(const QString &text)
{
    QStringList out;
    QSet<QString> seen;
    for (const QStringList &fields : parseMorphemeText(text)) {
        if (fields.size() < 4)
            continue;
        QString surface = fields.at(0);
        surface.remove(u' ').remove(u'　');
        if (!seen.contains(surface)) {
            seen.insert(surface);
            out.append(surface);
        }
    }
    return out;
}
} // namespace

void TestMorpheme::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("record") << u"佐藤,佐藤,サトウ,名詞-固有名詞-人名-姓"_s
                            << QStringList{u"佐藤"_s, u"佐藤"_s, u"サトウ"_s, u"名詞-固有名詞-人名-姓"_s};
    QTest::newRow("comma morpheme is plain") << u"、,、,、,記号-読点"_s
                                             << QStringList{u"、"_s, u"、"_s, u"、"_s, u"記号-読点"_s};
    QTest::newRow("end of sentence is one field") << u"EOS"_s << QStringList{u"EOS"_s};
    QTest::newRow("empty line has no fields") << QString() << QStringList{};
    QTest::newRow("leading blanks skipped") << u"  \ta,b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("quoted field with comma") << u"\",\",x,y,z"_s << QStringList{u","_s, u"x"_s, u"y"_s, u"z"_s};
    QTest::newRow("doubled quote inside quotes") << u"\"a\"\"b\",c"_s << QStringList{u"a\"b"_s, u"c"_s};
    QTest::newRow("two commas give an empty field") << u"a,,b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("comma at the end gives a final empty field") << u"a,b,"_s << QStringList{u"a"_s, u"b"_s, QString()};
    QTest::newRow("half-width blank separates") << u"a b,c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("full-width space is text") << u"あ　い,c"_s << QStringList{u"あ　い"_s, u"c"_s};
    QTest::newRow("blanks around a comma") << u"a , b"_s << QStringList{u"a"_s, u"b"_s};
}

void TestMorpheme::parse()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(parseRecord(line), fields);
}

void TestMorpheme::partsOfSpeechAreDistinctAndSorted()
{
    const QList<QStringList> records =
        parseMorphemeText(u"a,a,a,名詞-一般\r\nEOS\r\nb,b,b,助詞\r\nc,c,c,名詞-一般\r\nd,d,d,\r\n"_s);
    QCOMPARE(records.size(), 5);
    QCOMPARE(partsOfSpeech(records), (QStringList{u"助詞"_s, u"名詞-一般"_s}));
}

void TestMorpheme::surfacesMatchTheFullParse()
{
    QFile sample(testDataPath(u"roll-sample.morphemes"_s));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString real = QString::fromUtf8(sample.readAll());
    QVERIFY(surfacesByFullParse(real).size() > 100);
    QCOMPARE(distinctSurfaces(real), surfacesByFullParse(real));

    // Random texts made of the pieces the comma-text rule treats specially.
    const QStringList pieces{u"a"_s, u"A"_s, u"語"_s, u","_s, u"\""_s, u"\"\""_s, u" "_s,
                             u"　"_s,  u"\t"_s, u"\r"_s, u"\n"_s, u"\r\n"_s, u"EOS"_s, u"x,y,z,w"_s};
    QRandomGenerator random(20261210);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = int(random.bounded(40));
        for (int i = 0; i < length; ++i)
            text += pieces.at(int(random.bounded(qsizetype(pieces.size()))));
        QCOMPARE(distinctSurfaces(text), surfacesByFullParse(text));
    }
}

// The editor keeps only the digest of a run; the word check and the word
// lists must read from it what they would read from the whole output,
// however the output arrived in pieces.
void TestMorpheme::digestGivesWhatTheWholeOutputGives()
{
    QFile sample(testDataPath(u"roll-sample.morphemes"_s));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString real = QString::fromUtf8(sample.readAll());
    QStringList texts{real, real + real, QString(), u"EOS\n\n"_s};
    const QStringList pieces{u"a,a,a,名詞"_s, u"b,\"b\",ビ,助詞"_s, u"　c,c,c,動詞-自立"_s, u"EOS"_s, u"d,d"_s, u"\r"_s};
    QRandomGenerator random(20261210);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int lines = int(random.bounded(30));
        for (int i = 0; i < lines; ++i)
            text += pieces.at(int(random.bounded(qsizetype(pieces.size())))) + u"\n"_s;
        texts << text;
    }
    for (const QString &text : texts) {
        MorphemeDigest digest;
        // Pieces of whole lines, cut at random line ends.
        qsizetype start = 0;
        while (start < text.size()) {
            qsizetype end = text.indexOf(u'\n', start + qsizetype(random.bounded(200)));
            end = end < 0 ? text.size() : end + 1;
            digest.add(QStringView(text).sliced(start, end - start).toUtf8());
            start = end;
        }
        QCOMPARE(digest.surfaces(), distinctSurfaces(text));
        QCOMPARE(digest.partsOfSpeech(), partsOfSpeech(parseMorphemeText(text)));
        QCOMPARE(QSet<QString>(digest.lines().begin(), digest.lines().end()).size(), digest.lines().size());
    }
    MorphemeDigest twice;
    twice.add(real.toUtf8());
    const qsizetype once = twice.lines().size();
    twice.add(real.toUtf8());
    QCOMPARE(twice.lines().size(), once);
    QVERIFY(once < real.count(u'\n') / 2); // a roll's records repeat
}

QTEST_APPLESS_MAIN(TestMorpheme)
#include "tst_morpheme.moc"
