// Which words the part-of-speech marking marks and how, against records made
// by hand, the analyser's real output and the record-by-record search.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"
#include "analysis/PartOfSpeechMarks.h"
#include "bench/reference/MarkReference.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include "support/MarkPrinting.h"

using namespace Qt::StringLiterals;
using Kind = RollMark::Kind;

namespace {
const QString kTokyo = u"東京,東京,トウキョウ,名詞-固有名詞-地域-一般"_s;
const QString kIku = u"行く,行く,イク,動詞-自立"_s;

// The marks the digest of `output` gives, as the editor computes them.
QList<RollMark> marksByDigest(const QString &text, const QString &output, bool baseForms,
                              const CommentKinds &kinds = {})
{
    MorphemeDigest digest;
    digest.add(output.toUtf8());
    return partOfSpeechMarks(text, digest.linesByLastOccurrence(), baseForms, kinds);
}
} // namespace

class TestPartOfSpeechMarks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kindOfPart_data();
    void kindOfPart();
    void marks_data();
    void marks();
    void realAnalyser();
    void sameAsSearchingRecordByRecord_data();
    void sameAsSearchingRecordByRecord();
};

void TestPartOfSpeechMarks::kindOfPart_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("kind"); // -1: none
    QTest::newRow("verb") << u"動詞-自立"_s << int(Kind::Verb);
    QTest::newRow("dependent verb") << u"動詞-非自立"_s << int(Kind::Verb);
    QTest::newRow("proper noun") << u"名詞-固有名詞-人名-姓"_s << int(Kind::Noun);
    QTest::newRow("dependent noun") << u"名詞-非自立-一般"_s << -1;
    QTest::newRow("number") << u"名詞-数"_s << -1;
    QTest::newRow("counter") << u"名詞-接尾-助数詞"_s << -1;
    QTest::newRow("particle") << u"助詞-格助詞-一般"_s << -1;
    QTest::newRow("unknown word") << u"未知語"_s << -1;
}

void TestPartOfSpeechMarks::kindOfPart()
{
    QFETCH(QString, part);
    QFETCH(int, kind);
    const std::optional<Kind> k = markKindOf(part);
    QCOMPARE(k ? int(*k) : -1, kind);
}

void TestPartOfSpeechMarks::marks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("baseForms");
    QTest::addColumn<QList<RollMark>>("marks");
    QTest::newRow("noun and verb") << u"東京に行く"_s << kTokyo + u"\nに,に,ニ,助詞-格助詞-一般\n"_s + kIku + u"\nEOS\n"_s
                                   << false << QList<RollMark>{{0, 2, Kind::Noun}, {3, 2, Kind::Verb}};
    QTest::newRow("numbers and dependent nouns stay")
        << u"３人のこと"_s << u"３,３,サン,名詞-数\n人,人,ニン,名詞-接尾-助数詞\nの,の,ノ,助詞-連体化\nこと,こと,コト,名詞-非自立-一般\n"_s
        << false << QList<RollMark>{};
    QTest::newRow("surface form") << u"書いた"_s << u"書い,書く,カイ,動詞-自立\nた,た,タ,助動詞\n"_s << false
                                  << QList<RollMark>{{0, 2, Kind::Verb}};
    QTest::newRow("base form not in the text") << u"書いた"_s << u"書い,書く,カイ,動詞-自立\nた,た,タ,助動詞\n"_s
                                               << true << QList<RollMark>{};
    QTest::newRow("inside a longer word, every line") << u"東京都\n東京"_s << kTokyo << false
                                                      << QList<RollMark>{{0, 2, Kind::Noun}, {4, 2, Kind::Noun}};
    QTest::newRow("occurrences do not overlap") << u"あああ\nああああ"_s << u"ああ,ああ,アア,名詞-一般"_s << false
                                                << QList<RollMark>{{0, 2, Kind::Noun}, {4, 2, Kind::Noun}, {6, 2, Kind::Noun}};
    QTest::newRow("the later word wins an overlap")
        << u"東京都"_s << kTokyo + u"\n京都,京都,キョウト,動詞-自立"_s << false
        << QList<RollMark>{{0, 1, Kind::Noun}, {1, 2, Kind::Verb}};
    QTest::newRow("a word's last record decides")
        << u"東京都"_s << kTokyo + u"\n京都,京都,キョウト,動詞-自立\n"_s + kTokyo << false
        << QList<RollMark>{{0, 2, Kind::Noun}, {2, 1, Kind::Verb}};
    QTest::newRow("the same word as another part of speech")
        << u"行く"_s << kIku + u"\n行く,行く,イク,名詞-一般\n"_s << false << QList<RollMark>{{0, 2, Kind::Noun}};
    QTest::newRow("letter case counts") << u"ＡＢＣａｂｃ"_s << u"ａｂｃ,ａｂｃ,エービーシー,名詞-一般"_s << false
                                        << QList<RollMark>{{3, 3, Kind::Noun}};
    QTest::newRow("an empty word marks nothing") << u"東京"_s << u",,,名詞-一般"_s << false << QList<RollMark>{};
}

void TestPartOfSpeechMarks::marks()
{
    QFETCH(QString, text);
    QFETCH(QString, output);
    QFETCH(bool, baseForms);
    QFETCH(QList<RollMark>, marks);
    QCOMPARE(marksByDigest(text, output, baseForms), marks);
    QCOMPARE(reference::partOfSpeechMarks(text, output.split(u'\n'), baseForms, {}), marks);
}

void TestPartOfSpeechMarks::realAnalyser()
{
    // Comment lines are not analysed, but their words are marked, and what
    // is left of them is plain black on white.
    const QStringList lines{u"東京に行く"_s, u"<-東京で"_s, u"３人のこと"_s};
    const ChasenResult run = runChasen(u"/usr/bin/chasen"_s, lines, CommentKinds{});
    QCOMPARE(run.status, ChasenResult::Status::Ok);
    const QString text = lines.join(u'\n');
    QCOMPARE(marksByDigest(text, run.morphemeText, false),
             (QList<RollMark>{{0, 2, Kind::Noun}, {3, 2, Kind::Verb}, {6, 2, Kind::Plain}, {8, 2, Kind::Noun},
                              {10, 1, Kind::Plain}}));
}

void TestPartOfSpeechMarks::sameAsSearchingRecordByRecord_data()
{
    QTest::addColumn<bool>("baseForms");
    QTest::newRow("surface forms") << false;
    QTest::newRow("base forms") << true;
}

void TestPartOfSpeechMarks::sameAsSearchingRecordByRecord()
{
    QFETCH(bool, baseForms);
    // The sample's real output, its records shuffled so that words repeat in
    // many orders and overlap one another.
    QFile fixture(testDataPath(u"roll-sample.morphemes"_s));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QStringList records = QString::fromUtf8(fixture.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QFile sample(testDataPath(u"roll-sample.txt"_s));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(sample.readAll());
    QRandomGenerator random(7);
    for (int round = 0; round < 5; ++round) {
        QStringList output;
        for (int i = 0; i < records.size() * 2; ++i)
            output << records.at(random.bounded(int(records.size())));
        const CommentKinds kinds{true, true, true, true};
        const QList<RollMark> expected = reference::partOfSpeechMarks(text, output, baseForms, kinds);
        QVERIFY(expected.size() > 50);
        QCOMPARE(marksByDigest(text, output.join(u'\n'), baseForms, kinds), expected);
    }
}

QTEST_GUILESS_MAIN(TestPartOfSpeechMarks)
#include "tst_partofspeechmarks.moc"
