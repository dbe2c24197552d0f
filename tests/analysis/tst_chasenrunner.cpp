// The analyser runner against the real ChaSen, and its failure paths.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeRecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kChasen = u"/usr/bin/chasen"_s;

QStringList surfaces(const QString &morphemeText)
{
    QStringList out;
    for (const QStringList &r : parseMorphemeText(morphemeText)) {
        if (r.size() >= 4)
            out << r.at(0);
    }
    return out;
}
} // namespace

class TestChasenRunner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void inputLines_data();
    void inputLines();
    void longLinesAreCutBetweenWords();
    void homophonesGetTheirReadings();
    void longRollLineGivesTheSameWords();
    void emptyRollIsAnEmptyResult();
    void missingProgram();
    void cancelledRun();
};

void TestChasenRunner::initTestCase()
{
    if (!QFile::exists(kChasen))
        QFAIL("ChaSen is not installed (the set-up script installs it)");
}

void TestChasenRunner::inputLines_data()
{
    QTest::addColumn<QStringList>("roll");
    QTest::addColumn<bool>("onlyJump");
    QTest::addColumn<QStringList>("input");
    QTest::newRow("lines joined without separator") << QStringList{u"今日は晴れ"_s, u"です。"_s} << false
                                                    << QStringList{u"今日は晴れです。"_s};
    QTest::newRow("recognised comments left out")
        << QStringList{u"<-◆第一部"_s, u"本文"_s, u"<-メモ"_s} << false << QStringList{u"本文"_s};
    QTest::newRow("only jump comments recognised: simple comment is text")
        << QStringList{u"<-◆第一部"_s, u"<-メモ"_s} << true << QStringList{u"<-メモ"_s};
    QTest::newRow("not Shift-JIS becomes ?") << QStringList{u"😀あ"_s} << false << QStringList{u"?あ"_s};
}

void TestChasenRunner::inputLines()
{
    QFETCH(QStringList, roll);
    QFETCH(bool, onlyJump);
    QFETCH(QStringList, input);
    const CommentKinds kinds = onlyJump ? CommentKinds{false, true, false, false} : CommentKinds{};
    QCOMPARE(chasenInputLines(roll, kinds), input);
}

void TestChasenRunner::longLinesAreCutBetweenWords()
{
    const QString sentence = u"佐藤さんは砂糖を買った。"_s;
    const QStringList lines = chasenInputLines({sentence.repeated(500)}, CommentKinds{}, 100);
    QVERIFY(lines.size() > 50);
    for (const QString &line : lines) {
        QVERIFY(line.size() <= 100);
        QVERIFY(line.endsWith(u'。'));
    }
    QCOMPARE(lines.join(QString()), sentence.repeated(500));
    // Without punctuation: where kana meets kanji.
    const QStringList plain = chasenInputLines({u"今日はとても良い天気です"_s.repeated(40)}, CommentKinds{}, 100);
    for (qsizetype i = 1; i < plain.size(); ++i)
        QVERIFY(plain.at(i).front().unicode() >= 0x4E00);
}

void TestChasenRunner::homophonesGetTheirReadings()
{
    const ChasenResult r = runChasen(kChasen, {u"佐藤さんは"_s, u"砂糖を買った。"_s}, CommentKinds{});
    QCOMPARE(r.status, ChasenResult::Status::Ok);
    const QList<QStringList> records = parseMorphemeText(r.morphemeText);
    QCOMPARE(records.first(), (QStringList{u"佐藤"_s, u"佐藤"_s, u"サトウ"_s, u"名詞-固有名詞-人名-姓"_s}));
    bool sugar = false;
    for (const QStringList &rec : records)
        sugar = sugar || rec == QStringList{u"砂糖"_s, u"砂糖"_s, u"サトウ"_s, u"名詞-一般"_s};
    QVERIFY(sugar);
    QVERIFY(r.morphemeText.endsWith(u"EOS\n"_s));
}

void TestChasenRunner::longRollLineGivesTheSameWords()
{
    // A pasted manuscript paragraph of tens of KB without a full stop: the
    // analyser would cut it every 8 KB by itself and tear the word standing
    // there (要約筆記 came out as 要/約/筆/記).
    const QString sentence = u"佐藤さんは要約筆記の研究会で砂糖を買ったので"_s;
    const ChasenResult r = runChasen(kChasen, {sentence.repeated(1000)}, CommentKinds{});
    QCOMPARE(r.status, ChasenResult::Status::Ok);
    const QStringList words = surfaces(r.morphemeText);
    QCOMPARE(words.count(u"要約"_s), 1000);
    QCOMPARE(words.count(u"筆記"_s), 1000);
    QCOMPARE(words.count(u"砂糖"_s), 1000);
    for (const QString &torn : {u"要"_s, u"約"_s, u"筆"_s, u"記"_s})
        QVERIFY2(!words.contains(torn), qPrintable(torn));
}

void TestChasenRunner::emptyRollIsAnEmptyResult()
{
    const ChasenResult r = runChasen(kChasen, {u"<-メモだけ"_s}, CommentKinds{});
    QCOMPARE(r.status, ChasenResult::Status::Ok);
    QCOMPARE(r.morphemeText, QString());
}

void TestChasenRunner::missingProgram()
{
    const ChasenResult r = runChasen(u"/nonexistent/chasen"_s, {u"本文"_s}, CommentKinds{});
    QCOMPARE(r.status, ChasenResult::Status::NotStarted);
    QVERIFY(r.morphemeText.isEmpty());
}

void TestChasenRunner::cancelledRun()
{
    QTemporaryDir dir;
    const QString slow = dir.filePath(u"slow-analyser"_s);
    QFile script(slow);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    int polls = 0;
    const ChasenResult r = runChasen(slow, {u"本文"_s}, CommentKinds{}, [&] { return ++polls < 3; });
    QCOMPARE(r.status, ChasenResult::Status::Cancelled);
    QVERIFY(r.morphemeText.isEmpty());
}

QTEST_GUILESS_MAIN(TestChasenRunner)
#include "tst_chasenrunner.moc"
