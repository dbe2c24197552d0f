// Speed of sending into a program under Wine through the bridge, against
// Wine's notepad: a 200-line roll in each method, each line a request that
// returns when notepad has processed every message of it. Prints lines per
// second, the mean and the slowest line, and the ratio of a line to a bare
// request (the bridge's round trip, measured in the same run). Every message
// waits for notepad, so on a busy machine its wake-ups dominate the figures. The goal is at
// most 50 ms per line; exits 1 when the slowest line misses it.
// Needs a display (xvfb-run), wine and the bridge; LANG for Wine is
// VELMAT_WINE_TEST_LANG (C.UTF-8 when unset).
#include "platform/Cp932.h"
#include "platform/WineBridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

#include "tests/support/WineNotepad.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kLines = 200;
constexpr double kGoalMs = 50.0;

QStringList captionRoll()
{
    QStringList lines;
    const QStringList samples{
        QStringLiteral("田中／本日は「地域の防災」についてお話しします。"),
        QStringLiteral("避難所の開設は、市の判断で行われます。"),
        QStringLiteral("①まず家族で連絡方法を決めておくこと、"),
        QStringLiteral("②次に非常持ち出し袋を用意すること～"),
        QStringLiteral("髙橋／ｶﾀｶﾅの半角も混ざります。"),
        QStringLiteral("質問のある方は挙手をお願いします。"),
    };
    for (int i = 0; i < kLines; ++i)
        lines.append(samples[i % samples.size()]);
    return lines;
}

struct Run {
    double totalMs = 0;
    double slowestMs = 0;
    int failed = 0;
};

Run sendRoll(WineBridge &bridge, WId box, WineSendMethod method, const QList<QByteArray> &lines)
{
    Run run;
    for (const QByteArray &line : lines) {
        // Each line into an empty box, as a captioning program's input box is
        // after its Enter: notepad's time to lay out the lines it holds
        // already is notepad's, not the sending's (untimed).
        bridge.send(box, WineSendMethod::ReplaceText, "");
        QElapsedTimer t;
        t.start();
        if (!bridge.send(box, method, line).delivered())
            ++run.failed;
        const double ms = double(t.nsecsElapsed()) / 1e6;
        run.totalMs += ms;
        run.slowestMs = std::max(run.slowestMs, ms);
    }
    return run;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString bridgePath = QStringLiteral(VELMAT_WINE_BRIDGE_EXE);
    if (const QString why = WineNotepad::unavailable(bridgePath); !why.isEmpty()) {
        std::printf("skipped: %s\n", qPrintable(why));
        return 0;
    }
    const QString lang = qEnvironmentVariable("VELMAT_WINE_TEST_LANG", QStringLiteral("C.UTF-8"));
    WineNotepad notepad;
    QString why;
    QElapsedTimer ready;
    ready.start();
    if (!notepad.start(lang, &why)) {
        std::fprintf(stderr, "notepad: %s\n", qPrintable(why));
        return 2;
    }
    const double readyMs = double(ready.elapsed());

    WineTarget wine;
    wine.wine = true;
    wine.loader = QStringLiteral("wine");
    wine.prefix = WineNotepad::prefixPath();
    wine.locale = WineNotepad::localeOf(lang);
    WineBridge bridge(bridgePath);
    QElapsedTimer bridgeStart;
    bridgeStart.start();
    const auto box = bridge.capture(wine, &why);
    const double bridgeStartMs = double(bridgeStart.elapsed());
    if (!box) {
        std::fprintf(stderr, "capture: %s\n", qPrintable(why));
        return 2;
    }

    // Baseline: a request that sends nothing (the bridge's round trip).
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kLines; ++i)
        bridge.exists(*box);
    const double roundTripMs = double(t.nsecsElapsed()) / 1e6 / kLines;

    QList<QByteArray> lines;
    for (const QString &line : captionRoll())
        lines.append(cp932Encode(line));

    std::printf("Sending into Wine's notepad through the bridge, %d lines, LANG=%s, "
                "ANSI code page %d\n",
                kLines, qPrintable(lang), bridge.ansiCodePage());
    std::printf("  notepad ready after %.0f ms; bridge started and captured in %.0f ms\n", readyMs,
                bridgeStartMs);
    std::printf("  baseline: bare request round trip %.3f ms\n", roundTripMs);
    // The whole-text method is what captioning programs get; typing costs the
    // target one message per character, so it is also given per character.
    qsizetype characters = 0;
    for (const QString &line : captionRoll())
        characters += line.size();
    bool met = true;
    for (const auto &[method, name] : {std::pair{WineSendMethod::ReplaceText, "replace (WM_SETTEXT)"},
                                       std::pair{WineSendMethod::TypeText, "type (WM_CHAR)"}}) {
        const Run run = sendRoll(bridge, *box, method, lines);
        const double mean = run.totalMs / kLines;
        const bool methodMet = run.failed == 0 && run.slowestMs <= kGoalMs;
        std::printf("  %-22s %6.0f lines/s  mean %7.3f ms  slowest %7.3f ms  "
                    "x%.0f of a round trip  failed %d  goal %s\n",
                    name, kLines / (run.totalMs / 1000.0), mean, run.slowestMs, mean / roundTripMs,
                    run.failed, methodMet ? "met" : "NOT met");
        if (method == WineSendMethod::TypeText)
            std::printf("  %-22s %.3f ms per character (%lld characters)\n", "", run.totalMs / characters,
                        qlonglong(characters));
        met = met && methodMet;
    }
    std::printf("  goal: every line within %.0f ms in both methods: %s\n", kGoalMs,
                met ? "met" : "NOT met");
    double load[1] = {0};
    if (getloadavg(load, 1) == 1)
        std::printf("  (load average %.1f on %d cores while measuring)\n", load[0],
                    QThread::idealThreadCount());
    return met ? 0 : 1;
}
