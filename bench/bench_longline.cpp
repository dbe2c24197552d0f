// A roll that is one very long line (a transcript pasted without breaks): the
// time of a typed character in the middle of it with the view drawn again,
// and the CPU the idle editor takes while that line is in view. Also the same
// keystroke in a one-line roll of a caption's length, as the floor.
//
// Usage: bench_longline [MEGABYTES=1]
#include "BenchRoll.h"
#include "BenchUtil.h"
#include "BenchWindow.h"

#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Opens `line` as a roll of its own, caret in the middle of it.
void openOneLine(TForm1 &form, const QString &line)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roll.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(cp932Encode(line + QStringLiteral("\r\n"))) < 0) {
        std::fprintf(stderr, "bench_longline: cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    file.close();
    form.LoadDocument(path);
    form.RichEdit1->setFocus();
    QTextCursor cursor = form.RichEdit1->textCursor();
    cursor.setPosition(int(line.size() / 2));
    form.RichEdit1->setTextCursor(cursor);
    form.RE1_DrawTimer();
    form.RE1_Draw2Timer();
    form.RichEdit1->repaint();
    QCoreApplication::processEvents();
}

// Mean milliseconds of a key with the caret-line update and the repaint after
// it, best of `runs` runs of `keys` keys.
double keyMs(TForm1 &form, int keys, int runs)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < keys; ++i) {
            press(form.RichEdit1, Qt::Key_A, QStringLiteral("a"));
            form.RE1_Draw2Timer();
            form.RichEdit1->repaint();
            QCoreApplication::processEvents();
        }
        best = std::min(best, double(t.nsecsElapsed()) / 1e6 / keys);
    }
    return best;
}

// Share of one core the process takes over `ms` of an idle event loop.
double idleShare(int ms)
{
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuSeconds(RUSAGE_SELF) * 1e3;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return (cpuSeconds(RUSAGE_SELF) * 1e3 - cpu) / double(wall.elapsed());
}

} // namespace

int main(int argc, char **argv)
{
    const double megabytes = argc > 1 ? std::max(0.01, atof(argv[1])) : 1.0;
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    BenchWindow window;
    TForm1 &form = window.form;

    // Shift-JIS takes two bytes for each of these characters.
    // The second line of the bench roll is a caption line (the first, a comment).
    const QString longLine = makeBenchRoll(2, int(megabytes * 1024 * 1024 / 2)).split(u'\n').at(1);
    openOneLine(form, longLine);
    const double idle = idleShare(3000);
    const double longKey = keyMs(form, 20, 3);

    openOneLine(form, makeBenchRoll(2, 40).split(u'\n').at(1));
    const double shortKey = keyMs(form, 200, 3);

    std::printf("bench_longline: a one-line roll of %.2f MB (%lld characters)\n", megabytes,
                static_cast<long long>(longLine.size()));
    std::printf("  typed character in it:   %8.2f ms (best of 3 runs of 20, repaint included; limit 16)\n", longKey);
    std::printf("  the same in 40 characters:%7.3f ms (ratio %.0f x)\n", shortKey, longKey / shortKey);
    std::printf("  idle CPU while in view:  %8.2f %% of a core (over 3 s; limit 1)\n", idle * 100);
    return 0;
}
