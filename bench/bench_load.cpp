// Opening a big roll: the main window's open path against a bare
// QPlainTextEdit given the same text. Both read the file with the same reader;
// the time runs from the read to the first painted view with every deferred
// job of the load done, memory is the growth of the resident set over the
// process before the load. Each side runs in a child process of its own, the
// two alternating, so neither inherits the other's heap.
//
// Usage: bench_load [MEGABYTES=40] [RUNS=3]
#include "BenchUtil.h"
#include "BenchWindow.h"

#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <cstdio>

namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Runs every queued and timed job of the load (the recolour timers are 10 ms
// one-shots) and paints; returns when the last of them ended, in ms of `clock`.
// A pass of the event loop counts as work by the CPU it took, so a busy
// machine's preemptions are not mistaken for it.
double settle(QWidget *view, const QElapsedTimer &clock)
{
    view->repaint();
    double lastWork = double(clock.nsecsElapsed()) / 1e6;
    for (;;) {
        const double cpuBefore = threadCpuMs();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double now = double(clock.nsecsElapsed()) / 1e6;
        if (threadCpuMs() - cpuBefore > 1.0)
            lastWork = now;
        if (now - lastWork > 300)
            return lastWork;
    }
}

int child(const QString &side, const QString &path)
{
    useOffscreenUnlessChosen();
    int argc = 1;
    char name[] = "bench_load";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QElapsedTimer t;
    double ms = 0;
    qint64 before = 0, after = 0;
    if (side == u"bare") {
        QPlainTextEdit edit;
        // The editor shows rolls unwrapped; a wrapping control would lay out
        // every line and make the comparison look better than it is.
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.resize(800, 600);
        edit.show();
        t.start();
        settle(&edit, t);
        before = statusKb("VmRSS:");
        t.start();
        {
            // Let go once given, as the main window lets its loaded text go.
            const TextFileRead read = readTextFile(path, LineEnds::Fold);
            edit.setPlainText(read.decoded.text);
        }
        ms = settle(&edit, t);
        after = statusKb("VmRSS:");
    } else {
        BenchWindow window;
        t.start();
        settle(&window.form, t);
        before = statusKb("VmRSS:");
        t.start();
        window.form.LoadDocument(path);
        ms = settle(&window.form, t);
        after = statusKb("VmRSS:");
    }
    std::printf("%.1f %lld\n", ms, static_cast<long long>(after - before));
    return 0;
}

void writeRoll(const QString &path, int megabytes)
{
    // Caption lines of ordinary prose length with a comment now and then.
    const QString lines[] = {
        QStringLiteral("司会／ただいまより、第十二回地域福祉研究会を開会いたします。\r\n"),
        QStringLiteral("佐藤／要約筆記は、聞こえない人や聞こえにくい人に、話の内容をその場で文字にして伝える通訳の方法です。\r\n"),
        QStringLiteral("山田／合理的配慮とはどういうことなのかについて、具体的な事例を交えながらお話ししたいと思います。\r\n"),
        QStringLiteral("<-◆第二部　質疑応答\r\n"),
    };
    QByteArray bytes;
    for (int i = 0; bytes.size() < qsizetype(megabytes) * 1024 * 1024; ++i)
        bytes += cp932Encode(i % 25 == 0 ? lines[3] : lines[i % 3]);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_load: cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roll.txt"));
    writeRoll(path, megabytes);
    std::printf("bench_load: a %.1f MB Shift-JIS roll, best of %d alternating runs\n",
                double(QFile(path).size()) / 1048576.0, runs);

    double best[2] = {1e300, 1e300};
    qint64 rss[2] = {0, 0};
    const char *sides[2] = {"bare", "editor"};
    for (int run = 0; run < runs; ++run) {
        for (int s = 0; s < 2; ++s) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::fromLatin1(sides[s]), path});
            p.waitForFinished(-1);
            const QList<QByteArray> figures = p.readAllStandardOutput().trimmed().split(' ');
            if (figures.size() != 2) {
                std::fprintf(stderr, "bench_load: the %s run failed\n", sides[s]);
                return 2;
            }
            best[s] = std::min(best[s], figures[0].toDouble());
            rss[s] = std::max(rss[s], figures[1].toLongLong());
        }
    }
    std::printf("  bare QPlainTextEdit: %8.0f ms %8.1f MB\n", best[0], rss[0] / 1024.0);
    std::printf("  main window:         %8.0f ms %8.1f MB\n", best[1], rss[1] / 1024.0);
    std::printf("  ratio:               %8.2f x  %7.2f x   (limits 1.15 and 1.30)\n", best[1] / best[0],
                double(rss[1]) / double(std::max<qint64>(1, rss[0])));
    return 0;
}
