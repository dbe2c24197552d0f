// The analyser runner on a 1 MB roll against running ChaSen by hand on the
// same text: what the runner adds (preparing the input, temporary files,
// reading the records back) must stay small.
#include "BenchUtil.h"

#include "analysis/ChasenRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>


int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString chasen = QStringLiteral("/usr/bin/chasen");
    QFile sampleFile(QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/roll-sample.txt"));
    if (!sampleFile.open(QIODevice::ReadOnly))
        return 2;
    const QStringList sample = QString::fromUtf8(sampleFile.readAll()).split(u'\n');
    QStringList roll;
    qsizetype units = 0;
    while (units * 2 < 1024 * 1024) {
        for (const QString &line : sample) {
            roll.append(line);
            units += line.size() + 1;
        }
    }

    // The same text by hand: the lines the runner hands over, as a UTF-8 file.
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.txt"));
    {
        QFile f(input);
        f.open(QIODevice::WriteOnly);
        for (const QString &line : chasenInputLines(roll, CommentKinds{}))
            f.write(line.toUtf8() + "\r\n");
    }
    const auto byHand = [&] {
        QProcess p;
        p.start(chasen, {QStringLiteral("-i"), QStringLiteral("w"), QStringLiteral("-F"),
                         QStringLiteral("%m,%M,%y1,%U(%P-)\\n"), QStringLiteral("-o"),
                         dir.filePath(QStringLiteral("out.txt")), input});
        p.waitForFinished(-1);
    };
    double handMs = 1e12, runnerMs = 1e12, handCpu = 1e12, runnerOwnCpu = 1e12, runnerChildCpu = 1e12;
    qsizetype records = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        double child = cpuSeconds(RUSAGE_CHILDREN);
        t.start();
        byHand();
        handMs = std::min(handMs, t.nsecsElapsed() / 1e6);
        handCpu = std::min(handCpu, cpuSeconds(RUSAGE_CHILDREN) - child);

        child = cpuSeconds(RUSAGE_CHILDREN);
        const double self = cpuSeconds(RUSAGE_SELF);
        t.restart();
        const ChasenResult r = runChasen(chasen, roll, CommentKinds{});
        runnerMs = std::min(runnerMs, t.nsecsElapsed() / 1e6);
        runnerOwnCpu = std::min(runnerOwnCpu, cpuSeconds(RUSAGE_SELF) - self);
        runnerChildCpu = std::min(runnerChildCpu, cpuSeconds(RUSAGE_CHILDREN) - child);
        records = r.morphemeText.count(u'\n');
    }
    std::printf("bench_chasen: %lld roll lines, %.2f MB of UTF-16, %lld output lines (best of 5)\n",
                qlonglong(roll.size()), units * 2 / 1048576.0, qlonglong(records));
    std::printf("  wall: chasen by hand %.0f ms, through the runner %.0f ms\n", handMs, runnerMs);
    std::printf("  CPU:  chasen by hand %.0f ms; runner: chasen %.0f ms + own work %.0f ms\n", handCpu * 1000,
                runnerChildCpu * 1000, runnerOwnCpu * 1000);
    std::printf("  overhead of the runner over the raw analyser (CPU): %.1f%%\n",
                (runnerChildCpu + runnerOwnCpu - handCpu) / handCpu * 100.0);
    return 0;
}
