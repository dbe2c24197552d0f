// The roll advisor's findings: word pairs and unknown words from the real
// analyser and from hand-made records, the kanji by list, the lines a finding
// lists, the tree as text, and the grouped comparison against comparing
// every pair.
#include "analysis/RollAdvisor.h"
#include "bench/reference/AdviceReference.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AdviceNode)

namespace {
AdviceFindings wordFindings(const QStringList &records)
{
    AdviceFindings findings;
    compareWordEntries(wordEntries(records), findings);
    return findings;
}

// The nodes a kanji went under.
QList<AdviceNode> nodesOf(const AdviceFindings &findings, const QString &kanji)
{
    QList<AdviceNode> nodes;
    for (int i = 0; i < kAdviceNodeCount; ++i) {
        if (findings.under[size_t(i)].contains(kanji))
            nodes << AdviceNode(i);
    }
    return nodes;
}

const QList<AdviceNode> kElementary = {AdviceNode::Year1, AdviceNode::Year2, AdviceNode::Year3,
                                       AdviceNode::Year4, AdviceNode::Year5, AdviceNode::Year6};
} // namespace

class TestRollAdvisor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void realAnalyserPairs();
    void unknownLastWordOnce();
    void entries();
    void pairsFromRecords_data();
    void pairsFromRecords();
    void kanji_data();
    void kanji();
    void kanjiOnceAndInOrder();
    void findingWords_data();
    void findingWords();
    void linesForFinding_data();
    void linesForFinding();
    void treeText();
    void sameAsEveryPair_data();
    void sameAsEveryPair();
};

void TestRollAdvisor::initTestCase()
{
    if (!QFile::exists(kTestChasen))
        QFAIL("ChaSen is not installed (the set-up script installs it)");
}

void TestRollAdvisor::realAnalyserPairs()
{
    const AdviceFindings findings =
        wordFindings(analyserRecords({u"佐藤さんは砂糖を買った。"_s, u"機会があれば機械を見る。"_s}));
    QCOMPARE(findings[AdviceNode::SimilarNames], QStringList{u"発音が似た名前があります （『佐藤』と『砂糖』）"_s});
    QCOMPARE(findings[AdviceNode::Homophones], QStringList{u"同音語があります （『機会』と『機械』）"_s});
    QCOMPARE(findings[AdviceNode::UnknownWords], QStringList());
}

void TestRollAdvisor::unknownLastWordOnce()
{
    const AdviceFindings findings = wordFindings(analyserRecords({u"ぴよ。これはぴ"_s}));
    QCOMPARE(findings[AdviceNode::UnknownWords],
             QStringList{u"形態素辞書で理解できない文があります。（『ぴ』）"_s});
}

void TestRollAdvisor::entries()
{
    const QStringList records{
        u"見,見る,ミ,動詞-自立"_s, u"EOS"_s, u"見,見,ミ,名詞-一般"_s, u"見,見る,ミ,動詞-自立"_s,
        u"語,語,ゴ,"_s, u"\"a,b\",a,エー,名詞"_s, u"ぴ,,,未知語"_s,
    };
    const QList<WordEntry> expected{
        {u"動詞-自立"_s, u"見"_s, u"ミ"_s},
        {u"名詞-一般"_s, u"見"_s, u"ミ"_s},
        {u"名詞"_s, u"a,b"_s, u"エー"_s},
        {u"未知語"_s, u"ぴ"_s, QString()},
    };
    QCOMPARE(wordEntries(records), expected);
}

void TestRollAdvisor::pairsFromRecords_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<AdviceNode>("node");
    QTest::addColumn<QStringList>("findings");
    QTest::newRow("one surface, two parts of speech: no pair")
        << QStringList{u"見,見,ミ,名詞-一般"_s, u"見,見,ミ,動詞-自立"_s} << AdviceNode::Homophones << QStringList();
    QTest::newRow("a name on the later side")
        << QStringList{u"砂糖,砂糖,サトウ,名詞-一般"_s, u"佐藤,佐藤,サトウ,名詞-固有名詞-人名-姓"_s}
        << AdviceNode::SimilarNames << QStringList{u"発音が似た名前があります （『砂糖』と『佐藤』）"_s};
    QTest::newRow("every later entry, in order")
        << QStringList{u"講演,講演,コウエン,名詞-サ変接続"_s, u"公園,公園,コウエン,名詞-一般"_s,
                       u"雨,雨,アメ,名詞-一般"_s, u"公演,公演,コウエン,名詞-サ変接続"_s, u"飴,飴,アメ,名詞-一般"_s}
        << AdviceNode::Homophones
        << QStringList{u"同音語があります （『講演』と『公園』）"_s, u"同音語があります （『講演』と『公演』）"_s,
                       u"同音語があります （『公園』と『公演』）"_s, u"同音語があります （『雨』と『飴』）"_s};
    QTest::newRow("empty readings never pair")
        << QStringList{u"ぴ,,,未知語"_s, u"ぷ,,,未知語"_s} << AdviceNode::Homophones << QStringList();
    QTest::newRow("unknown words, the last included")
        << QStringList{u"ぴ,,,未知語"_s, u"語,語,ゴ,名詞"_s, u"ぷ,,,未知語"_s} << AdviceNode::UnknownWords
        << QStringList{u"形態素辞書で理解できない文があります。（『ぴ』）"_s,
                       u"形態素辞書で理解できない文があります。（『ぷ』）"_s};
}

void TestRollAdvisor::pairsFromRecords()
{
    QFETCH(QStringList, records);
    QFETCH(AdviceNode, node);
    QFETCH(QStringList, findings);
    QCOMPARE(wordFindings(records)[node], findings);
}

void TestRollAdvisor::kanji_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QList<AdviceNode>>("nodes");
    QTest::newRow("学 (G1): nowhere") << u"学"_s << QList<AdviceNode>();
    QTest::newRow("愛 (G4): years 1–3") << u"愛"_s
                                       << QList<AdviceNode>{AdviceNode::Year1, AdviceNode::Year2, AdviceNode::Year3};
    QTest::newRow("握 (J): the six elementary years") << u"握"_s << kElementary;
    QTest::newRow("俺 (jōyō only): all seven years") << u"俺"_s << kElementary + QList{AdviceNode::JuniorHigh};
    QTest::newRow("叱 (permitted form): all seven years") << u"叱"_s << kElementary + QList{AdviceNode::JuniorHigh};
    QTest::newRow("丼 (jōyō, level 2)") << u"丼"_s << kElementary + QList{AdviceNode::JuniorHigh, AdviceNode::Level2};
    QTest::newRow("弌 (level 2, not jōyō)")
        << u"弌"_s << kElementary + QList{AdviceNode::JuniorHigh, AdviceNode::NotJoyo, AdviceNode::Level2};
    QTest::newRow("鰯 (level 1, not jōyō)")
        << u"鰯"_s << kElementary + QList{AdviceNode::JuniorHigh, AdviceNode::NotJoyo, AdviceNode::Reconsider};
    QTest::newRow("kana and marks: not kanji") << u"あア々〇"_s << QList<AdviceNode>();
}

void TestRollAdvisor::kanji()
{
    QFETCH(QString, kanji);
    QFETCH(QList<AdviceNode>, nodes);
    AdviceFindings findings;
    checkKanji(kanji, findings);
    QCOMPARE(nodesOf(findings, kanji.left(1)), nodes);
    if (nodes.isEmpty()) {
        for (const QStringList &under : findings.under)
            QCOMPARE(under, QStringList());
    }
}

void TestRollAdvisor::kanjiOnceAndInOrder()
{
    AdviceFindings findings;
    checkKanji(u"<-愛\n愛と握の愛、海"_s, findings);
    QCOMPARE(findings[AdviceNode::Year1], (QStringList{u"愛"_s, u"握"_s, u"海"_s}));
    QCOMPARE(findings[AdviceNode::Year6], QStringList{u"握"_s});
}

void TestRollAdvisor::findingWords_data()
{
    QTest::addColumn<QString>("finding");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("pair") << u"同音語があります （『機会』と『機械』）"_s << QStringList{u"機会"_s, u"機械"_s};
    QTest::newRow("names") << u"発音が似た名前があります （『佐藤』と『砂糖』）"_s
                           << QStringList{u"佐藤"_s, u"砂糖"_s};
    QTest::newRow("unknown word") << u"形態素辞書で理解できない文があります。（『ぴ』）"_s << QStringList{u"ぴ"_s};
    QTest::newRow("kanji") << u"愛"_s << QStringList{u"愛"_s};
    QTest::newRow("a blank in a surface separates") << u"同音語があります （『a b』と『c』）"_s
                                                    << QStringList{u"a"_s, u"b"_s, u"c"_s};
}

void TestRollAdvisor::findingWords()
{
    QFETCH(QString, finding);
    QFETCH(QStringList, words);
    QCOMPARE(::findingWords(finding), words);
}

void TestRollAdvisor::linesForFinding_data()
{
    QTest::addColumn<QString>("finding");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("per line, each word in order: a line with both twice")
        << u"同音語があります （『機会』と『機械』）"_s << QList<int>{0, 2, 2, 3};
    QTest::newRow("kanji") << u"愛"_s << QList<int>{1};
    QTest::newRow("case-sensitive") << u"形態素辞書で理解できない文があります。（『Ab』）"_s << QList<int>{4};
    QTest::newRow("an empty word lists nothing") << u"同音語があります （『,』と『』）"_s << QList<int>();
}

void TestRollAdvisor::linesForFinding()
{
    QFETCH(QString, finding);
    QFETCH(QList<int>, lines);
    const QStringList roll{u"機会がある"_s, u"愛"_s, u"機械と機会"_s, u"<-機械"_s, u"Ab ab"_s};
    QCOMPARE(::linesForFinding(finding, roll), lines);
}

void TestRollAdvisor::treeText()
{
    AdviceFindings findings;
    findings[AdviceNode::Homophones] << u"同音語があります （『機会』と『機械』）"_s << u"同音語があります （『公園』と『講演』）"_s;
    findings[AdviceNode::Year1] << u"愛"_s << u"握"_s;
    QCOMPARE(adviceTreeText(findings), u"似た名前\n"
                                       "使用漢字のアドバイス（教育漢字/常用漢字）\n"
                                       "  中学生が習得していない漢字\n"
                                       "  変更を検討したほうが良い漢字\n"
                                       "  小学１年生が習得していない漢字\n"
                                       "    愛\n"
                                       "    握\n"
                                       "  小学２年生が習得していない漢字\n"
                                       "  小学３年生が習得していない漢字\n"
                                       "  小学４年生が習得していない漢字\n"
                                       "  小学５年生が習得していない漢字\n"
                                       "  小学６年生が習得していない漢字\n"
                                       "  常用漢字以外\n"
                                       "  第２水準漢字\n"
                                       "同音異字\n"
                                       "  同音語があります （『公園』と『講演』）\n"
                                       "  同音語があります （『機会』と『機械』）\n"
                                       "辞書にない文字\n"_s);
}

void TestRollAdvisor::sameAsEveryPair_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("roll sample") << u"roll-sample.txt"_s;
    QTest::newRow("homophones") << u"advice-sample.txt"_s;
}

void TestRollAdvisor::sameAsEveryPair()
{
    QFETCH(QString, name);
    const QList<WordEntry> entries = wordEntries(analyserRecords(testDataText(name).split(u'\n')));
    AdviceFindings grouped, pairwise;
    compareWordEntries(entries, grouped);
    reference::compareWordEntries(entries, pairwise);
    QCOMPARE(grouped.under, pairwise.under);
    QVERIFY(!grouped[AdviceNode::Homophones].isEmpty() || name == u"roll-sample.txt");
}

QTEST_GUILESS_MAIN(TestRollAdvisor)
#include "tst_rolladvisor.moc"
