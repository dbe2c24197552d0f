// The analyser runner against the real ChaSen, and its failure paths.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeRecord.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString kChasen = u"/usr/bin/chasen"_s;
const QString kMecab = u"/usr/bin/mecab"_s;

// Found by hostile input: 「キキー」, 「キャキー」 ten times, a blank and 「キ」
// kept ChaSen busy for ever, writing nothing.
const QString kSpinningLine = u"キキー"_s + u"キャキー"_s.repeated(10) + u" キ"_s;

// An analyser that loops as ChaSen does on some input: it writes "EOS" lines
// into its output file until stopped, after putting its process id in `pidFile`.
QString loopingAnalyser(const QTemporaryDir &dir, const QString &pidFile)
{
    const QString path = dir.filePath(u"looping-analyser"_s);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\nwhile [ \"$1\" != -o ]; do shift; done\necho $$ > '" + pidFile.toUtf8()
                 + "'\nwhile :; do echo EOS; done > \"$2\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    return path;
}

// True while the process runs (a zombie waiting for its parent counts as gone).
bool running(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && line.mid(close + 2, 1) != "Z";
}

qint64 pidIn(const QString &pidFile)
{
    QFile file(pidFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

// Runs with the temporary folders going into `tmp`, so that a test sees what
// a run leaves behind.
ChasenResult runIn(const QString &tmp, const QString &program, const QStringList &roll,
                   const std::function<bool()> &keepWaiting)
{
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp.toLocal8Bit());
    const ChasenResult r = runChasen(program, roll, CommentKinds{}, keepWaiting);
    qputenv("TMPDIR", previous);
    return r;
}

// Gives up after `seconds`, so that a run that would never end fails the test
// instead of stalling it.
std::function<bool()> giveUpAfter(int seconds)
{
    return [deadline = QDeadlineTimer(seconds * 1000)] { return !deadline.hasExpired(); };
}

volatile std::sig_atomic_t g_terminations = 0;
extern "C" void countTermination(int) { g_terminations = g_terminations + 1; }

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
    void recordsInPiecesAreTheWholeText();
    void emptyRollIsAnEmptyResult();
    void missingProgram();
    void cancelledRun();
    void controlCharactersReachTheAnalyserAsBlanks();
    void longKatakanaRunIsAnalysedInPlace_data();
    void longKatakanaRunIsAnalysedInPlace();
    void analyserPastItsBoundIsStopped();
    void mecabGivesChasenRecords();
    void runsLeaveNoTemporaryFolder_data();
    void runsLeaveNoTemporaryFolder();
    void terminationStopsTheAnalyserFirst();
    void killedToolTakesTheAnalyserAlong_data();
    void killedToolTakesTheAnalyserAlong();
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
    QTest::newRow("long katakana run in lines of its own, every character kept")
        << QStringList{u"テレビ"_s + u"ア"_s.repeated(50) + u"本"_s} << false
        << QStringList{u"テレビ"_s + u"ア"_s.repeated(29), u"ア"_s.repeated(21), u"本"_s};
    QTest::newRow("shorter katakana run stays in its line")
        << QStringList{u"テレビ"_s + u"ア"_s.repeated(28) + u" 本"_s} << false
        << QStringList{u"テレビ"_s + u"ア"_s.repeated(28) + u" 本"_s};
    QTest::newRow("control characters become blanks, in place")
        << QStringList{u"ｻ"_s + QChar(0) + u"あ\tい\rう"_s + QChar(0x7F) + QChar(0x1B)} << false
        << QStringList{u"ｻ あ い う  "_s};
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

void TestChasenRunner::recordsInPiecesAreTheWholeText()
{
    // Over a megabyte of records, so that they come in more than one piece.
    const QStringList roll{u"佐藤さんは要約筆記の研究会で砂糖を買ったので"_s.repeated(4000)};
    const ChasenResult whole = runChasen(kChasen, roll, CommentKinds{});
    QCOMPARE(whole.status, ChasenResult::Status::Ok);
    QVERIFY(whole.morphemeText.toUtf8().size() > (1 << 20));
    QString joined;
    int pieces = 0;
    const ChasenResult streamed = runChasen(kChasen, roll, CommentKinds{}, {}, [&](QByteArrayView records) {
        QVERIFY(records.endsWith('\n'));
        joined += QString::fromUtf8(records);
        ++pieces;
    });
    QCOMPARE(streamed.status, ChasenResult::Status::Ok);
    QVERIFY(streamed.morphemeText.isEmpty());
    QVERIFY(pieces > 1);
    QCOMPARE(joined, whole.morphemeText);
    SurfaceCollector collector;
    const qsizetype cut = joined.lastIndexOf(u'\n', joined.size() / 3) + 1;
    collector.add(QStringView(joined).first(cut));
    collector.add(QStringView(joined).sliced(cut));
    QCOMPARE(collector.surfaces(), distinctSurfaces(whole.morphemeText));
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

void TestChasenRunner::controlCharactersReachTheAnalyserAsBlanks()
{
    // Half-width kana then NUL made the analyser print "EOS" for ever.
    const ChasenResult r = runChasen(kChasen, {u"ｻ"_s + QChar(0), u"佐藤さん"_s + QChar(0x01) + u"です"_s},
                                     CommentKinds{}, giveUpAfter(20));
    QCOMPARE(r.status, ChasenResult::Status::Ok);
    const QStringList words = surfaces(r.morphemeText);
    QVERIFY2(words.contains(u"ｻ"_s), qPrintable(words.join(u'|')));
    QVERIFY(words.contains(u"佐藤"_s));
    QVERIFY(words.contains(u"です"_s));
    QCOMPARE(r.morphemeText.count(u"EOS\n"_s), 1);
}

void TestChasenRunner::longKatakanaRunIsAnalysedInPlace_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("kind");
    QTest::newRow("ChaSen") << kChasen << int(AnalyserKind::Chasen);
    QTest::newRow("MeCab") << kMecab << int(AnalyserKind::Mecab);
}

void TestChasenRunner::longKatakanaRunIsAnalysedInPlace()
{
    QFETCH(QString, program);
    QFETCH(int, kind);
    if (!QFile::exists(program))
        QFAIL("the analyser is not installed (the set-up script installs it)");
    // The words around the run are analysed too (ChaSen dropped the rest of
    // the line), and the surfaces in order are the text itself, blanks aside.
    const QStringList roll{u"佐藤さんは"_s, kSpinningLine, u"テレビ"_s + u"ア"_s.repeated(50) + u"本です。"_s};
    const ChasenResult r =
        runAnalyser({program, AnalyserKind(kind)}, roll, CommentKinds{}, giveUpAfter(20));
    QCOMPARE(r.status, ChasenResult::Status::Ok);
    QCOMPARE(surfaces(r.morphemeText).join(QString()), roll.join(QString()).remove(u' '));
}

void TestChasenRunner::analyserPastItsBoundIsStopped()
{
    QTemporaryDir dir;
    QTemporaryDir tmp;
    const QString sleeper = dir.filePath(u"sleeping-analyser"_s);
    QFile script(sleeper);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    const ChasenResult r = runAnalyser({sleeper, AnalyserKind::Chasen, 300}, {u"本文"_s}, CommentKinds{},
                                       giveUpAfter(20));
    qputenv("TMPDIR", previous);
    QCOMPARE(r.status, ChasenResult::Status::TimedOut);
    QCOMPARE(r.timeLimitMs, 300);
    QVERIFY(r.morphemeText.isEmpty());
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QCOMPARE(analyserTimedOutMessage(AnalyserKind::Chasen, r.timeLimitMs),
             u"茶筌が1秒たっても解析を終えなかったため、止めました。\r\n\r\n"
             u"ロールに解析できない文字の並びがあるかもしれません。"_s);
    // Without a bound of its own a run gets one that grows with the roll.
    QVERIFY(analyserTimeLimitMs(0) >= 10000);
    QVERIFY(analyserTimeLimitMs(50 << 20) > analyserTimeLimitMs(1 << 20));
}

void TestChasenRunner::mecabGivesChasenRecords()
{
    if (!QFile::exists(kMecab))
        QFAIL("MeCab is not installed (the set-up script installs it)");
    // Where the two analysers agree on the words, the records are the same
    // lines: every user of the morphemes reads MeCab's as ChaSen's.
    const QStringList roll{u"佐藤さんは要約筆記の研究会で"_s, u"古い本を読んでいました。"_s};
    const ChasenResult chasen = runChasen(kChasen, roll, CommentKinds{});
    const ChasenResult mecab = runAnalyser({kMecab, AnalyserKind::Mecab}, roll, CommentKinds{});
    QCOMPARE(mecab.status, ChasenResult::Status::Ok);
    QCOMPARE(mecab.morphemeText, chasen.morphemeText);
    QVERIFY(mecab.morphemeText.contains(u"読ん,読む,ヨン,動詞-自立\n"_s));
    // Records in pieces come converted too.
    QString pieces;
    runAnalyser({kMecab, AnalyserKind::Mecab}, roll, CommentKinds{}, {},
                [&pieces](QByteArrayView records) { pieces += QString::fromUtf8(records); });
    QCOMPARE(pieces, chasen.morphemeText);
}

void TestChasenRunner::runsLeaveNoTemporaryFolder_data()
{
    QTest::addColumn<QString>("analyser"); // "looping", "failing", "slow" or ChaSen's path
    QTest::addColumn<int>("polls");         // the caller cancels at this poll; 0: never
    QTest::addColumn<ChasenResult::Status>("status");
    QTest::addColumn<QString>("detail");
    QTest::newRow("finished") << kChasen << 0 << ChasenResult::Status::Ok << QString();
    QTest::newRow("output far beyond the input: stopped")
        << u"looping"_s << 0 << ChasenResult::Status::Failed
        << u"茶筌の出力が入力に比べて大きくなりすぎたため、途中で止めました。"_s;
    QTest::newRow("failed") << u"failing"_s << 0 << ChasenResult::Status::Failed << u"no dictionary"_s;
    QTest::newRow("cancelled") << u"slow"_s << 3 << ChasenResult::Status::Cancelled << QString();
}

void TestChasenRunner::runsLeaveNoTemporaryFolder()
{
    QFETCH(QString, analyser);
    QFETCH(int, polls);
    QFETCH(ChasenResult::Status, status);
    QFETCH(QString, detail);
    QTemporaryDir dir;
    QTemporaryDir tmp;
    const auto script = [&](const QByteArray &body) {
        const QString path = dir.filePath(u"analyser"_s);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        return path;
    };
    QString program = analyser;
    if (analyser == u"looping")
        program = loopingAnalyser(dir, dir.filePath(u"pid"_s));
    else if (analyser == u"failing")
        program = script("echo 'no dictionary' >&2\nexit 1\n");
    else if (analyser == u"slow")
        program = script("exec sleep 30\n");
    int polled = 0;
    const auto deadline = giveUpAfter(20);
    const ChasenResult r = runIn(tmp.path(), program, {u"本文"_s}, [&] {
        return deadline() && (polls == 0 || ++polled < polls);
    });
    QCOMPARE(r.status, status);
    QCOMPARE(r.detail, detail);
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestChasenRunner::terminationStopsTheAnalyserFirst()
{
    // SIGTERM while the analyser runs: it is stopped and the folder removed
    // before the signal takes its course (here a handler that counts it).
    QTemporaryDir dir;
    QTemporaryDir tmp;
    const QString pidFile = dir.filePath(u"pid"_s);
    struct sigaction count {}, previous {};
    count.sa_handler = countTermination;
    sigemptyset(&count.sa_mask);
    sigaction(SIGTERM, &count, &previous);
    g_terminations = 0;
    bool raised = false;
    bool heldBack = false;
    const auto deadline = giveUpAfter(20);
    const ChasenResult r = runIn(tmp.path(), loopingAnalyser(dir, pidFile), {u"本文"_s}, [&] {
        if (!raised && pidIn(pidFile) > 0) {
            raised = true;
            std::raise(SIGTERM);
            heldBack = g_terminations == 0;
        }
        return deadline();
    });
    const int seen = g_terminations;
    sigaction(SIGTERM, &previous, nullptr);
    QVERIFY(raised);
    QVERIFY(heldBack);
    QCOMPARE(r.status, ChasenResult::Status::Cancelled);
    QCOMPARE(seen, 1);
    QVERIFY(!running(pidIn(pidFile)));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestChasenRunner::killedToolTakesTheAnalyserAlong_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("folderRemoved");
    QTest::newRow("SIGTERM: analyser stopped, folder removed") << int(SIGTERM) << true;
    QTest::newRow("SIGINT: analyser stopped, folder removed") << int(SIGINT) << true;
    QTest::newRow("SIGKILL: analyser stopped") << int(SIGKILL) << false;
}

void TestChasenRunner::killedToolTakesTheAnalyserAlong()
{
    QFETCH(int, signal);
    QFETCH(bool, folderRemoved);
    QTemporaryDir dir;
    QTemporaryDir tmp;
    const QString pidFile = dir.filePath(u"pid"_s);
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TMPDIR"_s, tmp.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(VELMAT_TOOL), {u"analyze"_s, u"--chasen"_s, loopingAnalyser(dir, pidFile)});
    tool.write("\x96\x7B\x95\xB6\r\n");
    tool.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(pidIn(pidFile) > 0, 20000);
    const qint64 analyser = pidIn(pidFile);
    ::kill(pid_t(tool.processId()), signal);
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitStatus(), QProcess::CrashExit); // ended by the signal, as asked
    QTRY_VERIFY_WITH_TIMEOUT(!running(analyser), 5000);
    // (Qt may leave a runtime folder of its own there.)
    if (folderRemoved)
        QCOMPARE(QDir(tmp.path()).entryList({u"velmat-tool-*"_s}, QDir::AllEntries | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestChasenRunner)
#include "tst_chasenrunner.moc"
