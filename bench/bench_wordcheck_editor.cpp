// The editor's reshape with the word check on a big roll (20 MB by default):
// the command's CPU (with its analyser child) against the analyser alone on
// the same text, its peak memory on top of the opened roll, and whether the
// memory is given back when it ends (the resident set after against before).
//
// Usage: bench_wordcheck_editor [MEGABYTES=20] [CHARACTERS=20]
#include "BenchUtil.h"
#include "BenchWindow.h"

#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Cp932.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {

// The sample's sentences in a shuffled order, as the CLI benchmarks make rolls.
QString makeRoll(double megabytes)
{
    QFile sample(QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/roll-sample.txt"));
    if (!sample.open(QIODevice::ReadOnly))
        std::exit(2);
    const QStringList lines = QString::fromUtf8(sample.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QRandomGenerator random(20);
    QString roll;
    qint64 bytes = 0;
    while (bytes < qint64(megabytes * 1024 * 1024)) {
        const QString &line = lines.at(int(random.bounded(qsizetype(lines.size()))));
        roll += line.trimmed() + u'\n';
        bytes += line.size() * 2 + 2;
    }
    return roll;
}

} // namespace

int main(int argc, char **argv)
{
    const double megabytes = argc > 1 ? std::max(0.1, atof(argv[1])) : 20.0;
    const int chars = argc > 2 ? std::max(1, atoi(argv[2])) : 20;
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    ScriptedPrompter prompter;
    Prompter::install(&prompter);
    startAppWindows();

    QTemporaryDir dir;
    const QString roll = makeRoll(megabytes);
    const QString path = dir.filePath(QStringLiteral("roll.txt"));
    const QString utf8Path = dir.filePath(QStringLiteral("roll-utf8.txt"));
    {
        QFile sjis(path), utf8(utf8Path);
        if (!sjis.open(QIODevice::WriteOnly) || !utf8.open(QIODevice::WriteOnly))
            return 2;
        sjis.write(cp932Encode(QString(roll).replace(u"\n"_qs, u"\r\n"_qs)));
        utf8.write(roll.toUtf8());
    }
    const qint64 rollBytes = QFileInfo(path).size();

    // The analyser alone on the same text.
    double alone = 0;
    {
        const double before = (cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN));
        QProcess chasen;
        chasen.setStandardOutputFile(QProcess::nullDevice());
        chasen.start(QStringLiteral("chasen"), {QStringLiteral("-i"), QStringLiteral("w"), QStringLiteral("-F"),
                                               QStringLiteral("%m,%M,%y1,%U(%P-)\\n"), utf8Path});
        chasen.waitForFinished(-1);
        alone = (cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN)) - before;
    }

    // The command twice on the same opened roll, without and with the word
    // check: the difference is what the word check costs.
    struct Run {
        double cpu = 0;
        qint64 before = 0, peak = 0, after = 0;
        int linesBefore = 0, linesAfter = 0;
        bool peakKnown = false;
    };
    const auto reshape = [&](bool words) {
        Run run;
        Form1->LoadDocument(path);
        settle(1000);
        malloc_trim(0); // what the previous run left free is not this run's
        run.linesBefore = Form1->RichEdit1->document()->blockCount();
        run.before = statusKb("VmRSS:");
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        run.peakKnown = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
        clear.close();
        Form1->CharPosValue->setValue(chars);
        Form1->PlasticWordCheck->setChecked(words);
        prompter.answer(MsgResult::Yes);
        const double cpu = (cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN));
        Form1->findChild<QAction *>(QStringLiteral("Line1"))->trigger();
        run.cpu = (cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN)) - cpu;
        settle(1000);
        run.peak = statusKb("VmHWM:");
        run.after = statusKb("VmRSS:");
        run.linesAfter = Form1->RichEdit1->document()->blockCount();
        return run;
    };
    const Run plain = reshape(false);
    const Run checked = reshape(true);

    std::printf("bench_wordcheck_editor: a %.1f MB roll (Shift-JIS), reshape by count to %d characters\n",
                rollBytes / 1e6, chars);
    std::printf("  CPU: without the word check %.2f s, with it %.2f s; the analyser alone %.2f s\n", plain.cpu,
                checked.cpu, alone);
    std::printf("  the word check costs %.2f x the analyser alone (limit 1.15); the whole command %.2f x\n",
                (checked.cpu - plain.cpu) / alone, checked.cpu / alone);
    if (checked.peakKnown)
        std::printf("  peak on top of the opened roll: %.1f MB, %.2f bytes per roll byte (limit 10)\n",
                    (checked.peak - checked.before) / 1024.0,
                    (checked.peak - checked.before) * 1024.0 / double(rollBytes));
    std::printf("  resident: %.1f MB before, %.1f MB after: %.2f x (limit 1.3); lines %d -> %d\n",
                checked.before / 1024.0, checked.after / 1024.0, double(checked.after) / double(checked.before),
                checked.linesBefore, checked.linesAfter);
    std::printf("  without the word check: %.1f MB after, %.2f x; the word check keeps %.1f MB\n",
                plain.after / 1024.0, double(plain.after) / double(plain.before),
                (checked.after - plain.after) / 1024.0);
    if (!qEnvironmentVariableIsSet("KEEPALL"))
        destroyAppWindows();
    return 0;
}
