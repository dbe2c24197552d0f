// Reading a roll through the paths the editor (readTextFile) and velmat-tool
// (readBoundedBytes + decodeTextBytes) share, on 1 MB and on 20 MB: the time
// per megabyte must not grow with the roll (a quadratic step would show as a
// ratio far above 1). Each read runs in a fresh child process, as a roll is
// read once by a process: read again in one process, a small roll reuses the
// memory its last read freed while a large one gets fresh pages from the
// system every time, and the ratio would measure the allocator.
//
// Usage: bench_reading [SMALL_MB=1] [LARGE_MB=20]
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Caption lines of ordinary length, Shift-JIS with CR LF.
QString writeRoll(const QString &path, int megabytes)
{
    const QString lines[] = {
        QStringLiteral("司会／ただいまより、第十二回地域福祉研究会を開会いたします。\r\n"),
        QStringLiteral("佐藤／要約筆記は、話の内容をその場で文字にして伝える通訳の方法です。\r\n"),
        QStringLiteral("<-◆第二部　質疑応答\r\n"),
        QStringLiteral("Ｑ＆Ａ：ＩＴ機器の活用について（３０分）\r\n"),
    };
    QByteArray bytes;
    for (int i = 0; bytes.size() < qsizetype(megabytes) * 1024 * 1024; ++i)
        bytes += cp932Encode(lines[i % 4]);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_reading: cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    return path;
}

double readMs(const QString &path, bool tool)
{
    QElapsedTimer t;
    t.start();
    qsizetype size = 0;
    if (tool) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::exit(2);
        size = decodeTextBytes(readBoundedBytes(file).bytes, LineEnds::Fold).text.size();
    } else {
        size = readTextFile(path, LineEnds::Fold).decoded.text.size();
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    return size > 0 ? ms : -1;
}

// Best of five fresh children.
double bestMsPerMb(const QString &self, const QString &path, int megabytes, bool tool)
{
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        QProcess child;
        child.start(self, {QStringLiteral("--child"), path, tool ? QStringLiteral("tool") : QStringLiteral("editor")});
        child.waitForFinished(-1);
        best = std::min(best, child.readAllStandardOutput().trimmed().toDouble());
    }
    return best / megabytes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child") {
        std::printf("%.3f\n", readMs(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]) == "tool"));
        return 0;
    }
    const int small = argc > 1 ? std::max(1, atoi(argv[1])) : 1;
    const int large = argc > 2 ? std::max(small + 1, atoi(argv[2])) : 20;
    QTemporaryDir dir;
    const QString smallPath = writeRoll(dir.filePath(QStringLiteral("small.txt")), small);
    const QString largePath = writeRoll(dir.filePath(QStringLiteral("large.txt")), large);
    const QString self = QCoreApplication::applicationFilePath();

    std::printf("bench_reading: ms per MB, best of 5 fresh processes (Shift-JIS, CR LF)\n");
    std::printf("%-28s %8d MB %8d MB   ratio (limit 1.2)\n", "", small, large);
    for (const bool tool : {false, true}) {
        const double perSmall = bestMsPerMb(self, smallPath, small, tool);
        const double perLarge = bestMsPerMb(self, largePath, large, tool);
        std::printf("%-28s %11.2f %11.2f   %.2f\n", tool ? "velmat-tool (bounded read)" : "editor (readTextFile)",
                    perSmall, perLarge, perLarge / perSmall);
    }
    return 0;
}
