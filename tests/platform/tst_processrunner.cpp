// Running outside programs with an argument list, never through a shell.
#include "platform/ProcessRunner.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestProcessRunner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void capturesOutputErrorAndExitCode();
    void argumentsReachTheProgramVerbatim();
    void workingDirectoryAndInput();
    void missingProgramFailsToStart();
    void stops_data();
    void stops();
    void outputPastTheLimitStopsTheProgram();
};

void TestProcessRunner::capturesOutputErrorAndExitCode()
{
    const ProcessResult r = runProcess(
        {u"sh"_s, {u"-c"_s, u"printf out; printf err >&2; exit 3"_s}, {}, {}, -1, {}});
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.exitCode, 3);
    QVERIFY(!r.succeeded());
    QCOMPARE(r.standardOutput, QByteArray("out"));
    QCOMPARE(r.standardError, QByteArray("err"));
}

void TestProcessRunner::argumentsReachTheProgramVerbatim()
{
    // Each argument arrives whole and uninterpreted: no word splitting, no
    // variables, no command separators.
    QTemporaryDir dir;
    const QString marker = dir.filePath(u"made"_s);
    const QStringList args{u"a b"_s, u"'\"&;$HOME`x`"_s, u"; touch "_s + marker, u""_s};
    const ProcessResult r = runProcess({u"printf"_s, QStringList{u"[%s]"_s} + args, {}, {}, -1, {}});
    QVERIFY(r.succeeded());
    QCOMPARE(QString::fromUtf8(r.standardOutput),
             u"[a b]['\"&;$HOME`x`][; touch "_s + marker + u"][]"_s);
    QVERIFY(!QFile::exists(marker));
}

void TestProcessRunner::workingDirectoryAndInput()
{
    QTemporaryDir dir;
    ProcessRequest request{u"sh"_s, {u"-c"_s, u"pwd; cat"_s}, dir.path(), "fed in", -1, {}};
    const ProcessResult r = runProcess(request);
    QVERIFY(r.succeeded());
    QCOMPARE(r.standardOutput, dir.path().toUtf8() + "\nfed in");
}

void TestProcessRunner::missingProgramFailsToStart()
{
    const ProcessResult r = runProcess({u"/no/such/program"_s, {}, {}, {}, -1, {}});
    QCOMPARE(r.status, ProcessResult::Status::FailedToStart);
    QVERIFY(!r.errorString.isEmpty());
}

void TestProcessRunner::stops_data()
{
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("status");
    QTest::newRow("timeout") << 200 << false << int(ProcessResult::Status::TimedOut);
    QTest::newRow("cancelled by the caller") << -1 << true << int(ProcessResult::Status::Cancelled);
}

void TestProcessRunner::stops()
{
    QFETCH(int, timeoutMs);
    QFETCH(bool, cancel);
    QFETCH(int, status);
    int calls = 0;
    ProcessRequest request{u"sleep"_s, {u"30"_s}, {}, {}, timeoutMs, {}};
    if (cancel)
        request.keepWaiting = [&calls] { return ++calls < 4; };
    QElapsedTimer clock;
    clock.start();
    const ProcessResult r = runProcess(request);
    QCOMPARE(int(r.status), status);
    QVERIFY(!r.succeeded());
    QVERIFY2(clock.elapsed() < 10000, "the program was not stopped");
}

void TestProcessRunner::outputPastTheLimitStopsTheProgram()
{
    ProcessRequest request{u"cat"_s, {u"/dev/zero"_s}, {}, {}, 20000, {}};
    request.outputLimit = 1 << 20;
    const ProcessResult r = runProcess(request);
    QCOMPARE(r.status, ProcessResult::Status::Cancelled);
    QVERIFY(r.outputTooLarge);
    QVERIFY(r.standardOutput.isEmpty());
    // Output that stays within the bound is all there.
    ProcessRequest small{u"printf"_s, {u"12345"_s}, {}, {}, -1, {}};
    small.outputLimit = 5;
    const ProcessResult within = runProcess(small);
    QVERIFY(within.succeeded() && !within.outputTooLarge);
    QCOMPARE(within.standardOutput, QByteArray("12345"));
    small.outputLimit = 4;
    QVERIFY(runProcess(small).outputTooLarge);
}

QTEST_GUILESS_MAIN(TestProcessRunner)
#include "tst_processrunner.moc"
