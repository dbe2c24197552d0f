// Reshape by count with the word check over a 1 MB roll: the trie-backed
// version against the step-by-step reference that scans the sorted word list.
#include "BenchUtil.h"
#include "analysis/MorphemeRecord.h"
#include "reshape/Reshape.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include "bench/reference/ReshapeReference.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

namespace {

// Made-up names and terms, as a captioning team's custom dictionary holds them.
QStringList syntheticWords(int count)
{
    const QString kanji = QString::fromUtf8("地域福祉研究会要約筆記情報保障合理的配慮東京都立大学山田一郎佐藤花子前後左右上下");
    QRandomGenerator rng(42);
    QStringList words;
    for (int i = 0; i < count; ++i) {
        QString w;
        const int len = 2 + int(rng.bounded(5));
        for (int k = 0; k < len; ++k)
            w += kanji.at(rng.bounded(int(kanji.size())));
        words.append(w);
    }
    return words;
}

} // namespace

int main()
{
    const QString dir = QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/");
    const QStringList sample = readUtf8File(dir + QStringLiteral("roll-sample.txt")).split(u'\n');
    const QStringList surfaces = distinctSurfaces(readUtf8File(dir + QStringLiteral("roll-sample.morphemes")));

    QStringList roll;
    qsizetype bytes = 0;
    while (bytes < 1024 * 1024) {
        for (const QString &line : sample) {
            roll.append(line);
            bytes += line.size() * 2 + 2;
        }
    }
    std::printf("bench_reshape: %lld lines, %.2f MB of UTF-16, 10 characters per line\n",
                qlonglong(roll.size()), bytes / 1048576.0);

    for (int extra : {0, 5000}) {
        const WordList words = WordList::build(surfaces, syntheticWords(extra));
        const QStringList sorted = words.sortedByLength();
        CellWidth cells;
        QStringList ours, theirs;
        const double oursMs = timeMs([&] {
            ours = reshapeRoll(roll, 20, 10, ReshapeOptions{}, &words, cells);
        });
        const double refMs = timeMs([&] {
            theirs = reference::reshapeRoll(roll, 20, sorted, false, QString());
        });
        std::printf("  %5lld words: ours %8.1f ms, reference %9.1f ms, ratio %6.1fx%s\n",
                    qlonglong(words.size()), oursMs, refMs, refMs / oursMs,
                    ours == theirs ? "" : "  OUTPUT DIFFERS");
        if (ours != theirs)
            return 1;
    }
    return 0;
}
