// The part-of-speech marking and the word analysis window's lists on a 1 MB
// roll (Shift-JIS) by default: each one's own work against the analyser's run
// that comes before it (target: at most 15%), and the marking against the
// record-by-record search it replaces, on a part of the roll that search can
// finish (the search grows with the records times the roll).
//
// The roll mixes the sample's sentences with sentences of nouns and verbs of
// the analyser's own dictionary, where installed, so that it has as many
// distinct words as a real lecture script or more.
//
// Usage: bench_marks [MEGABYTES=1] [REFERENCE_KB=64]
#include "BenchUtil.h"
#include "reference/MarkReference.h"

#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"
#include "analysis/PartOfSpeechMarks.h"
#include "analysis/WordsOfPart.h"
#include "platform/Cp932.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

const QString kChasen = QStringLiteral("/usr/bin/chasen");

// Headwords of one of the analyser's dictionary files (empty when it is not there).
QStringList dictionaryWords(const QString &file, int most)
{
    QFile f(QStringLiteral("/usr/share/chasen/ipadic/") + file);
    QStringList words;
    if (!f.open(QIODevice::ReadOnly))
        return words;
    static const QRegularExpression headword(QStringLiteral("\\(見出し語 \\(([^ )]+)"));
    while (!f.atEnd() && words.size() < most) {
        const QRegularExpressionMatch m = headword.match(QString::fromUtf8(f.readLine()));
        if (m.hasMatch())
            words.append(m.captured(1));
    }
    return words;
}

QStringList makeRoll(double megabytes)
{
    QFile sample(QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/roll-sample.txt"));
    if (!sample.open(QIODevice::ReadOnly))
        std::exit(2);
    const QStringList sentences = QString::fromUtf8(sample.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList nouns = dictionaryWords(QStringLiteral("Noun.dic"), 40000);
    const QStringList verbs = dictionaryWords(QStringLiteral("Verb.dic"), 8000);
    QRandomGenerator random(34);
    const auto any = [&random](const QStringList &list) { return list.at(int(random.bounded(qsizetype(list.size())))); };
    QStringList roll;
    qint64 bytes = 0;
    for (int i = 0; bytes < qint64(megabytes * 1024 * 1024); ++i) {
        QString line;
        if (i % 40 == 0)
            line = QStringLiteral("<-◆第%1部").arg(i / 40 + 1);
        else if (nouns.isEmpty() || verbs.isEmpty() || i % 3 == 0)
            line = any(sentences).trimmed();
        else
            line = any(nouns) + QStringLiteral("の") + any(nouns) + QStringLiteral("は") + any(nouns) +
                   QStringLiteral("を") + any(verbs) + QStringLiteral("。");
        roll.append(line);
        bytes += cp932Encode(line).size() + 2;
    }
    return roll;
}

// CPU seconds of this process and its finished children.
double cpuNow()
{
    return cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
}

double bestCpu(int runs, const std::function<void()> &work)
{
    double best = 1e12;
    for (int i = 0; i < runs; ++i) {
        const double before = cpuNow();
        work();
        best = std::min(best, cpuNow() - before);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::max(0.05, atof(argv[1])) : 1.0;
    const int referenceKb = argc > 2 ? std::max(1, atoi(argv[2])) : 64;
    const QStringList roll = makeRoll(megabytes);
    const QString text = roll.join(u'\n');
    const CommentKinds kinds;

    // The analyser's run as the editor makes it: the records into the digest.
    MorphemeDigest digest;
    // Best of several runs each: a shared machine's other work only ever adds.
    const double analyser = bestCpu(3, [&] {
        MorphemeDigest d;
        const ChasenResult r =
            runChasen(kChasen, roll, kinds, {}, [&d](QByteArrayView records) { d.add(records); });
        if (r.status != ChasenResult::Status::Ok) {
            std::fprintf(stderr, "the analyser did not run: %s\n", qPrintable(r.detail));
            std::exit(2);
        }
        digest = std::move(d);
    });

    QList<RollMark> marks;
    const double marking = bestCpu(5, [&] {
        marks = partOfSpeechMarks(text, digest.linesByLastOccurrence(), false, kinds);
    });
    const double markingBase = bestCpu(5, [&] {
        partOfSpeechMarks(text, digest.linesByLastOccurrence(), true, kinds);
    });

    // The window's lists: parts of speech after the run, the words and the
    // export entries of the largest part of speech.
    QStringList parts;
    const double partList = bestCpu(3, [&] { parts = digest.partsOfSpeech(); });
    QString largest;
    qsizetype most = -1;
    for (const QString &part : parts) {
        const qsizetype n = wordsOfPart(digest.lines(), part, false).size();
        if (n > most) {
            most = n;
            largest = part;
        }
    }
    const double wordList = bestCpu(3, [&] { wordsOfPart(digest.lines(), largest, false); });
    const double exportLines = bestCpu(3, [&] {
        cp932Encode(dictionaryFileLines(dictionaryEntries(digest.lines(), largest), QStringLiteral("now"))
                        .join(QStringLiteral("\r\n")));
    });

    qsizetype words = 0;
    for (const RollMark &m : marks)
        words += m.kind != RollMark::Kind::Plain;
    std::printf("bench_marks: a %.2f MB roll (Shift-JIS), %lld lines, %lld distinct records, %lld marks\n",
                cp932Encode(text).size() / 1048576.0, qlonglong(roll.size()), qlonglong(digest.lines().size()),
                qlonglong(words));
    std::printf("  analyser run (CPU, with its child): %.0f ms\n", analyser * 1000);
    std::printf("  marking, surface forms: %.1f ms = %.1f%% of the analyser (target <= 15%%)\n", marking * 1000,
                marking / analyser * 100);
    std::printf("  marking, base forms:    %.1f ms = %.1f%%\n", markingBase * 1000, markingBase / analyser * 100);
    std::printf("  parts of speech list:   %.1f ms = %.2f%%\n", partList * 1000, partList / analyser * 100);
    std::printf("  word list of %s (%lld words): %.1f ms = %.2f%%\n", qPrintable(largest), qlonglong(most),
                wordList * 1000, wordList / analyser * 100);
    std::printf("  its export file:        %.1f ms = %.2f%%\n", exportLines * 1000, exportLines / analyser * 100);

    // The record-by-record search on the roll's first lines, against the
    // one-pass marking on the same lines and records.
    QStringList head;
    qint64 headBytes = 0;
    for (const QString &line : roll) {
        if (headBytes >= qint64(referenceKb) * 1024)
            break;
        head.append(line);
        headBytes += cp932Encode(line).size() + 2;
    }
    const QString headText = head.join(u'\n');
    const ChasenResult headRun = runChasen(kChasen, head, kinds);
    const QStringList output = headRun.morphemeText.split(u'\n');
    MorphemeDigest headDigest;
    headDigest.add(headRun.morphemeText.toUtf8());
    QList<RollMark> byRecord, byWord;
    const double literal = bestCpu(1, [&] { byRecord = reference::partOfSpeechMarks(headText, output, false, kinds); });
    const double onePass = bestCpu(3, [&] {
        byWord = partOfSpeechMarks(headText, headDigest.linesByLastOccurrence(), false, kinds);
    });
    std::printf("  on the first %d KB (%lld records): record by record %.0f ms, one pass %.1f ms: %.0f x faster; "
                "the same marks: %s\n",
                referenceKb, qlonglong(output.size()), literal * 1000, onePass * 1000, literal / onePass,
                byRecord == byWord ? "yes" : "NO");
    // Records grow with the roll, and so does each search.
    const double scale = double(text.size()) / double(headText.size());
    std::printf("  record by record, scaled to the whole roll: about %.0f s = %.0f x the analyser\n",
                literal * scale * scale, literal * scale * scale / analyser);
    return byRecord == byWord ? 0 : 1;
}
