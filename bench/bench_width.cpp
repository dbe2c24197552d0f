// Display width over a 10 MB roll: cells per second of MecsStringWidth.
#include "reshape/DisplayWidth.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>

int main()
{
    // Roll-like lines: kana, kanji, ASCII, symbols, the odd surrogate pair.
    const QString sample = QString::fromUtf8(
        "司会／ただいまより第３回研究会を開会いたします。ABC 123 ○×①𠮟ｱｲｳ\n");
    QString roll;
    const qsizetype target = 10 * 1024 * 1024 / 2; // 10 MB of UTF-16
    while (roll.size() < target)
        roll += sample;
    const QStringView view(roll);

    double best = 1e9;
    long long cells = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        cells = MecsStringWidth(view, true);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    const double mb = roll.size() * 2 / 1048576.0;
    std::printf("MecsStringWidth: %.1f MB (UTF-16), %lld cells, best of 5: %.2f ms = %.0f MB/s\n",
                mb, cells, best, mb / (best / 1000.0));
    return 0;
}
