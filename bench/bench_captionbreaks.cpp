// How the caption line-breaking options read on real texts, against the word
// check on the same texts: lines that break a rule, lines over the limit,
// one-character lines, the share of breaks inside a phrase that would have
// fitted on a line (phrases judged per occurrence, from the analyser's own
// reading of each line), and the time of the reshape alone and with the
// analyser's run. Then long lines that nothing may break, with and without
// balance.
// Usage: bench_captionbreaks [--chasen PROG] FILE...  (UTF-8 texts, one
// paragraph a line; bench/caption_corpus.sh gathers some)
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"
#include "bench/BenchUtil.h"
#include "bench/reference/KinsokuClasses.h"
#include "reshape/CaptionBreaking.h"
#include "reshape/CodePoints.h"
#include "reshape/DisplayWidth.h"
#include "reshape/MorphemeMap.h"
#include "reshape/Reshape.h"
#include "reshape/TextUnits.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

// CPU time of this thread: the figures hold on a machine busy with other work.
double cpuMs(const std::function<void()> &f)
{
    timespec a{}, b{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
    f();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
    return double(b.tv_sec - a.tv_sec) * 1e3 + double(b.tv_nsec - a.tv_nsec) / 1e6;
}

struct Config {
    const char *name;
    BreakRules rules;
    bool phraseWords; // the word list with phrase roles
};

struct Figures {
    qint64 sourceLines = 0; // lines that were reshaped
    qint64 pieces = 0;      // output lines they became
    qint64 breaks = 0;
    qint64 ruleBroken = 0;     // output lines that begin or end against a rule
    qint64 over = 0;           // output lines wider than the limit
    qint64 overOnePhrase = 0;  // … of which hold no phrase boundary
    qint64 oneChar = 0;        // output lines of one character
    qint64 oneCharPhrase = 0;  // … of which the character is a whole phrase
    qint64 insidePhrase = 0;   // breaks inside a phrase that would have fitted on a line
    qint64 insideLong = 0;     // breaks inside a phrase wider than a line
    qint64 insideCompound = 0; // breaks between the nouns of a compound
    double ms = 0;             // the reshape alone, CPU time (best of five)
};



// Characters, each with its combining marks; a ruby code with its base's first.
qsizetype units(QStringView s)
{
    const TextUnits u(s);
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i)
        n += u.startsAt(i);
    return n;
}

// A line that nothing may break for most of its length: the reshape with and
// without balance, which must stay within twice the time.
void longLine(const char *name, const QString &line, qint64 limit, BreakRules rules)
{
    CellWidth cells;
    ReshapeOptions options;
    options.rules = rules;
    double plainMs = 1e300, balancedMs = 1e300;
    QStringList plain, balanced;
    for (int run = 0; run < 3; ++run) {
        plainMs = std::min(plainMs, cpuMs([&] { plain = reshapeRoll({line}, int(limit), 0, options, nullptr, cells); }));
        options.rules.balance = true;
        balancedMs = std::min(balancedMs, cpuMs([&] { balanced = reshapeRoll({line}, int(limit), 0, options, nullptr, cells); }));
        options.rules.balance = false;
    }
    std::printf("  %-52s %9lld units %8.1f ms %8.1f ms with balance  %5.2fx  (%lld / %lld lines)\n", name,
                qlonglong(line.size()), plainMs, balancedMs, balancedMs / plainMs,
                qlonglong(plain.first().count(u'\n') + 1), qlonglong(balanced.first().count(u'\n') + 1));
}

// The width of the phrase around the break at `at`: from the phrase
// boundary before it to the one after it.
qint64 phraseWidth(const std::vector<quint8> &levels, const std::vector<qint32> &widths, qsizetype at)
{
    const qsizetype n = qsizetype(widths.size());
    qsizetype from = at;
    while (from > 0 && levels[size_t(from)] < kBreakInCompound)
        --from;
    qsizetype to = at;
    while (to < n && (to == at || levels[size_t(to)] < kBreakInCompound))
        ++to;
    qint64 w = 0;
    for (qsizetype q = from; q < to; ++q)
        w += std::max(widths[size_t(q)], 0);
    return w;
}

Figures measure(const QStringList &lines, int chars, const Config &config, const WordList &words,
                const WordList &phraseWords)
{
    const qint64 limit = lineLimitCells(chars);
    CellWidth cells;
    ReshapeOptions options;
    options.rules = config.rules;
    const WordList &used = config.phraseWords ? phraseWords : words;
    Figures f;
    QStringList items;
    f.ms = 1e300;
    for (int run = 0; run < 5; ++run)
        f.ms = std::min(f.ms, cpuMs([&] { items = reshapeRoll(lines, int(limit), chars, options, &used, cells); }));

    // Phrases judged the same way for every configuration.
    CellWidth judgeCells;
    CaptionBreaker judge(BreakRules{false, true, false}, &phraseWords, judgeCells);
    const MorphemeMap &map = phraseWords.morphemes();
    qint64 offset = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const qint64 lineAt = offset;
        offset += line.size();
        if (cells.width(line) <= limit)
            continue;
        ++f.sourceLines;
        const QStringList pieces = items.at(i).split(u'\n');
        const std::vector<quint8> &levels = judge.levelsOf(line, false, map.codes(lineAt, line.size()));
        const std::vector<qint32> &widths = judge.widthsOf();
        f.pieces += pieces.size();
        qsizetype at = 0;
        for (qsizetype k = 0; k < pieces.size(); ++k) {
            const QString &piece = pieces.at(k);
            const qsizetype from = at;
            at += piece.size();
            if (piece.isEmpty())
                continue;
            if (k > 0) {
                ++f.breaks;
                const quint8 level = levels[size_t(from)];
                const bool fitted = level < kBreakInCompound && phraseWidth(levels, widths, from) <= limit;
                if (fitted)
                    ++f.insidePhrase;
                else if (level < kBreakInCompound)
                    ++f.insideLong;
                if (fitted && qEnvironmentVariableIsSet("SHOW_IN_PHRASE_BREAKS"))
                    std::printf("    in phrase: %s|%s\n", qPrintable(line.mid(std::max<qsizetype>(0, from - 8), std::min<qsizetype>(8, from))),
                                qPrintable(line.mid(from, 8)));
                else if (level == kBreakInCompound)
                    ++f.insideCompound;
            }
            const bool brokenStart = k > 0
                && (mayNotStartLine(codePointAt(piece, 0)) || mayNotSplit(codePointBefore(line, from), codePointAt(line, from)));
            const bool brokenEnd = k + 1 < pieces.size() && mayNotEndLine(codePointBefore(piece, piece.size()));
            f.ruleBroken += brokenStart || brokenEnd;
            if ((brokenStart || brokenEnd) && qEnvironmentVariableIsSet("SHOW_RULE_BREAKS") && config.rules.kinsoku)
                std::printf("    rule: %s|%s\n", qPrintable(line.mid(std::max<qsizetype>(0, from - 6), std::min<qsizetype>(6, from))), qPrintable(piece.left(8)));
            bool onePhrase = true;
            for (qsizetype q = from + 1; q < at; ++q)
                onePhrase = onePhrase && levels[size_t(q)] < kBreakInCompound;
            if (cells.width(piece) > limit) {
                ++f.over;
                f.overOnePhrase += onePhrase;
            }
            if (units(piece) == 1 && qEnvironmentVariableIsSet("SHOW_ONE_CHARACTER_LINES"))
                std::printf("    one character: %s|%s|%s\n", qPrintable(line.mid(std::max<qsizetype>(0, from - 8), std::min<qsizetype>(8, from))),
                            qPrintable(piece), qPrintable(line.mid(at, 8)));
            if (units(piece) == 1) {
                ++f.oneChar;
                const bool wholeStart = from == 0 || levels[size_t(from)] >= kBreakInCompound;
                const bool wholeEnd = at == line.size() || levels[size_t(at)] >= kBreakInCompound;
                f.oneCharPhrase += wholeStart && wholeEnd;
            }
        }
    }
    return f;
}

QString percent(qint64 part, qint64 whole)
{
    return whole ? QString::number(100.0 * double(part) / double(whole), 'f', 1) + u'%' : u"-"_s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString chasen = u"chasen"_s;
    if (args.size() >= 2 && args.first() == u"--chasen") {
        chasen = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_captionbreaks [--chasen PROG] FILE...\n");
        return 2;
    }
    const QList<Config> configs = {
        {"word check", {}, false},
        {"word check + kinsoku", {true, false, false}, false},
        {"phrase", {false, true, false}, true},
        {"phrase + kinsoku", {true, true, false}, true},
        {"phrase + kinsoku + balance", {true, true, true}, true},
    };
    for (const QString &path : std::as_const(args)) {
        const QStringList lines = readUtf8File(path).split(u'\n', Qt::SkipEmptyParts);
        MorphemeDigest digest;
        ChasenResult result;
        const double chasenMs = timeMs([&] {
            result = runChasen(chasen, lines, CommentKinds{}, {}, [&](QByteArrayView r) { digest.add(r); });
        });
        if (result.status != ChasenResult::Status::Ok) {
            std::fprintf(stderr, "the analyser did not run: %s\n", qPrintable(result.detail));
            return 1;
        }
        const WordList words = WordList::build(digest.surfaces(), {});
        WordList phraseWords = WordList::build(digest.surfaces(), {}, digest.surfaceTags());
        // Laying the records over the text is part of the phrase options' command.
        const double mapMs = cpuMs([&] {
            phraseWords.setMorphemes(MorphemeMap::build(lines, CommentKinds{},
                                                        [&digest](const auto &visit) { digest.forEachRecord(visit); }));
        });
        qint64 units = 0;
        for (const QString &line : lines)
            units += line.size();
        std::printf("\n%s: %lld lines, %lld characters; analyser %.0f ms, its records laid over the text %.1f ms\n",
                    qPrintable(QFileInfo(path).fileName()), qlonglong(lines.size()), qlonglong(units), chasenMs, mapMs);
        for (const int chars : {12, 16, 24}) {
            std::printf("  N = %d (%d cells)\n", chars, lineLimitCells(chars));
            std::printf("  %-28s %7s %7s %6s %6s %9s %8s %9s %8s %8s %8s %7s %7s\n", "", "reshaped", "lines",
                        "rules", "over", "(1 phr.)", "1-char", "(phrase)", "in-phr.", "(long)", "compnd", "ms", "ratio");
            double baseMs = 0;
            const int only = qEnvironmentVariableIntValue("BENCH_ONLY_CONFIG"); // 1-based, for profiling
            for (const Config &config : configs) {
                if (only > 0 && &config - configs.data() != only - 1)
                    continue;
                const Figures f = measure(lines, chars, config, words, phraseWords);
                if (baseMs == 0)
                    baseMs = f.ms;
                const double commandMs = chasenMs + f.ms + (config.phraseWords ? mapMs : 0);
                std::printf("  %-28s %7lld %7lld %6lld %6lld %9lld %8lld %9lld %8s %8s %8s %7.1f %6.2fx (%.2fx with analyser)\n",
                            config.name, qlonglong(f.sourceLines), qlonglong(f.pieces), qlonglong(f.ruleBroken),
                            qlonglong(f.over), qlonglong(f.overOnePhrase), qlonglong(f.oneChar),
                            qlonglong(f.oneCharPhrase), qPrintable(percent(f.insidePhrase, f.breaks)),
                            qPrintable(percent(f.insideLong, f.breaks)),
                            qPrintable(percent(f.insideCompound, f.breaks)), f.ms, f.ms / baseMs,
                            commandMs / (chasenMs + baseMs));
            }
        }
    }
    std::printf("\nLong lines nothing may break (cells; a limit of 1 cell stands for a screen narrower than any character)\n");
    longLine("URL + 200,000 letters, --chars 10 --kinsoku",
             u"詳しくは http://example.org/"_s + QString(200000, u'a') + u" を見てください"_s, 20, {true, false, false});
    longLine("あ + 100,000 ─, limit 1 --kinsoku", u"あ"_s + QString(100000, u'─'), 1, {true, false, false});
    longLine("2,400,000 letters, --chars 12 --kinsoku", QString(2400000, u'x'), 24, {true, false, false});
    longLine("2,400,000 kana, --chars 12 --kinsoku", QString(2400000, u'あ'), 24, {true, false, false});
    return 0;
}
