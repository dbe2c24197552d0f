// The roll advisor and the automatic furigana on a 1 MB roll: what each
// command does besides running the analyser must stay within 15% of the
// analyser's time, and against the literal ways (every pair of words
// compared; a sorted "surface=reading" list searched from its start for every
// candidate) the grouped comparison and the trie must be far ahead.
//
// Two rolls: the sample rolls repeated (a real roll's vocabulary), and the
// same with nouns from the analyser's own dictionary mixed in (tens of
// thousands of distinct words: the worst case for both commands).
//
// The logic is timed alone, and then the editor's commands as the user runs
// them (the analyser's part of their time taken from the analysis's own
// start and end signals).
//
// Usage: bench_advice [KIB=1024]
#include "BenchUtil.h"
#include "BenchWindow.h"

#include "analysis/ChasenRunner.h"
#include "analysis/Furigana.h"
#include "analysis/MorphemeDigest.h"
#include "analysis/RollAdvisor.h"
#include "analysis/TRollAdvice.h"
#include "app/AppWindows.h"
#include "app/RollEditor.h"
#include "bench/reference/AdviceReference.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kChasen = QStringLiteral("/usr/bin/chasen");
const QString kNouns = QStringLiteral("/usr/share/chasen/ipadic/Noun.dic");

QStringList fixtureLines(const QString &name)
{
    QStringList lines = readUtf8File(QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/") + name).split(u'\n');
    lines.removeAll(QString());
    return lines;
}

// The headwords of the analyser's noun dictionary, or none where it is not installed.
QStringList dictionaryNouns()
{
    QFile file(kNouns);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList nouns;
    const QString text = QString::fromUtf8(file.readAll());
    const QString key = QStringLiteral("(見出し語 (");
    for (qsizetype at = text.indexOf(key); at >= 0; at = text.indexOf(key, at)) {
        at += key.size();
        const qsizetype end = text.indexOf(u' ', at);
        if (end > at)
            nouns << text.mid(at, end - at);
    }
    return nouns;
}

// About `units` UTF-16 units of roll: the sample lines in turn, and with
// `nouns` a sentence of five of them after every sample line.
QStringList makeRoll(qsizetype units, const QStringList &sample, const QStringList &nouns)
{
    quint32 seed = 20240611;
    const auto noun = [&] {
        seed = seed * 1664525u + 1013904223u;
        return nouns.at(qsizetype((seed >> 8) % quint32(nouns.size())));
    };
    QStringList roll;
    qsizetype size = 0;
    const auto add = [&](const QString &line) {
        roll << line;
        size += line.size() + 1;
    };
    for (qsizetype i = 0; size < units; ++i) {
        add(sample.at(i % sample.size()));
        if (!nouns.isEmpty())
            add(QStringLiteral("講師／") + noun() + QStringLiteral("の") + noun() + QStringLiteral("と") + noun()
                + QStringLiteral("について、") + noun() + QStringLiteral("を") + noun() + QStringLiteral("します。"));
    }
    return roll;
}

// Wall time of an editor command on `text`, and of the analyser run inside it.
struct CommandTime {
    double totalMs = 0;
    double analyserMs = 0;
    double ownMs() const { return totalMs - analyserMs; }
    double share() const { return ownMs() / analyserMs * 100; }
};

CommandTime timeCommand(const QString &text, const std::function<void()> &command)
{
    Form1->RichEdit1->setPlainText(text);
    settle(500);
    CommandTime time;
    QElapsedTimer analyser;
    WordAnalysis &analysis = Form1->wordAnalysis();
    const auto started = QObject::connect(&analysis, &WordAnalysis::runStarted, [&] { analyser.start(); });
    const auto finished = QObject::connect(&analysis, &WordAnalysis::runFinished,
                                           [&] { time.analyserMs = double(analyser.nsecsElapsed()) / 1e6; });
    time.totalMs = timeMs(command);
    QObject::disconnect(started);
    QObject::disconnect(finished);
    return time;
}

// Wall time on a shared machine swings from run to run: the run in the
// middle by own work's share.
constexpr int kEditorRuns = 3;
CommandTime medianCommand(const QString &text, const std::function<void()> &command)
{
    std::vector<CommandTime> runs;
    for (int i = 0; i < kEditorRuns; ++i)
        runs.push_back(timeCommand(text, command));
    std::sort(runs.begin(), runs.end(), [](const CommandTime &a, const CommandTime &b) { return a.share() < b.share(); });
    return runs[runs.size() / 2];
}

double bestMs(int runs, const std::function<void()> &f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, timeMs(f));
    return best;
}

void benchRoll(const char *name, const QStringList &roll)
{
    const QString text = roll.join(u'\n');
    std::printf("\n%s: %lld lines, %.2f MB of UTF-16\n", name, qlonglong(roll.size()), text.size() * 2 / 1048576.0);

    MorphemeDigest digest;
    const double analyserMs = bestMs(3, [&] {
        digest = MorphemeDigest();
        const ChasenResult run = runChasen(kChasen, roll, CommentKinds{}, {},
                                           [&digest](QByteArrayView records) { digest.add(records); });
        if (run.status != ChasenResult::Status::Ok) {
            std::fprintf(stderr, "bench_advice: ChaSen failed: %s\n", qPrintable(run.detail));
            std::exit(2);
        }
    });
    const QStringList &records = digest.lines();

    // The advisor: entries, grouped comparison, kanji, and the tree as text.
    QList<WordEntry> entries;
    AdviceFindings findings;
    const double adviceMs = bestMs(3, [&] {
        findings = AdviceFindings();
        entries = wordEntries(records);
        compareWordEntries(entries, findings);
        checkKanji(text, findings);
        adviceTreeText(findings);
    });
    const double groupedMs = bestMs(3, [&] {
        AdviceFindings f;
        compareWordEntries(entries, f);
    });
    AdviceFindings pairwise;
    const double pairwiseMs = timeMs([&] { reference::compareWordEntries(entries, pairwise); });
    qsizetype pairs = 0;
    for (const QStringList &under : findings.under)
        pairs += under.size();

    // Furigana: the dictionary and the scan.
    QString wrapped;
    const double furiganaMs = bestMs(3, [&] {
        const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(records);
        wrapped = *addFurigana(text, dictionary);
    });
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(records);
    const double scanMs = bestMs(3, [&] { addFurigana(text, dictionary); });
    // The literal scan is far too slow for the whole roll: it runs on a prefix
    // long enough to take a second or so, and is scaled to the roll.
    reference::FuriganaList list;
    const double listMs = timeMs([&] { list = reference::furiganaList(records); });
    qsizetype prefix = 256;
    double prefixMs = 0;
    for (;;) {
        const QString part = text.left(prefix);
        QString theirs;
        prefixMs = timeMs([&] { theirs = reference::addFurigana(part, list); });
        if (theirs != *addFurigana(part, dictionary)) {
            std::fprintf(stderr, "bench_advice: the scans differ on the first %lld characters\n", qlonglong(prefix));
            std::exit(1);
        }
        if (prefixMs > 1000 || prefix >= text.size())
            break;
        prefix = std::min(text.size(), prefix * 4);
    }
    const double referenceScanMs = prefixMs * double(text.size()) / double(prefix);

    std::printf("  analyser (ChaSen through the runner): %.0f ms; %lld distinct records, %lld word entries\n",
                analyserMs, qlonglong(records.size()), qlonglong(entries.size()));
    std::printf("  advisor, own work: %.1f ms = %.1f%% of the analyser (target <= 15%%); %lld findings\n", adviceMs,
                adviceMs / analyserMs * 100, qlonglong(pairs));
    AdviceFindings grouped;
    compareWordEntries(entries, grouped);
    std::printf("    comparison grouped by reading %.2f ms, every pair %.0f ms: %.0fx; same findings: %s\n", groupedMs,
                pairwiseMs, pairwiseMs / std::max(groupedMs, 0.001), grouped.under == pairwise.under ? "yes" : "NO");
    std::printf("  furigana, own work: %.1f ms = %.1f%% of the analyser (target <= 15%%); %lld ruby codes\n",
                furiganaMs, furiganaMs / analyserMs * 100, qlonglong(wrapped.count(QStringLiteral("`r"))));
    std::printf("    scan with the trie %.1f ms; sorted list (%lld entries, built in %.0f ms) searched from its start:"
                " %.0f ms (measured on %lld characters, scaled): %.0fx\n",
                scanMs, qlonglong(list.entries.size()), listMs, referenceScanMs, qlonglong(prefix),
                referenceScanMs / std::max(scanMs, 0.001));

    const CommandTime advice = medianCommand(text, [] { RollAdvice->Button1Click(); });
    const CommandTime furigana = medianCommand(text, [] { Form1->Rubi3Click(); });
    // The editor's part includes what every whole-roll command pays: the
    // document replaced and its comment lines coloured (furigana), the tree
    // filled (advisor).
    std::printf("  in the editor (wall, the median of %d runs by own work's share), the analyser's run taken out:\n"
                "    advisor %.0f ms, its analyser %.0f ms, own work %.0f ms = %.1f%%\n"
                "    furigana %.0f ms, its analyser %.0f ms, own work %.0f ms = %.1f%% (with the text replaced)\n",
                kEditorRuns, advice.totalMs, advice.analyserMs, advice.ownMs(), advice.share(), furigana.totalMs,
                furigana.analyserMs, furigana.ownMs(), furigana.share());
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    ScriptedPrompter prompter;
    Prompter::install(&prompter);
    startAppWindows();
    const qsizetype kib = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1024;
    const qsizetype units = std::max<qsizetype>(1, kib) * 1024 / 2;
    const QStringList sample = fixtureLines(QStringLiteral("roll-sample.txt")) + fixtureLines(QStringLiteral("advice-sample.txt"));
    std::printf("bench_advice: rolls of %lld KiB of UTF-16 (best of 3 unless said)\n", qlonglong(kib));
    benchRoll("sample rolls repeated", makeRoll(units, sample, {}));
    const QStringList nouns = dictionaryNouns();
    if (nouns.isEmpty())
        std::printf("\n(no %s: the roll with dictionary nouns is left out)\n", qPrintable(kNouns));
    else
        benchRoll("with dictionary nouns", makeRoll(units, sample, nouns));
    destroyAppWindows();
    return 0;
}
