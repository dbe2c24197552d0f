// velmat-tool analyze, reshape, break, center, trim: the roll as the editor
// holds it after the command.
#include "cli/CliSubcommands.h"
#include "cli/CliAnalysis.h"
#include "cli/CliIo.h"

#include "platform/TextFile.h"
#include "reshape/DisplayWidth.h"
#include "reshape/RollCommands.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void addShapeOptions(QCommandLineParser &parser, bool comment, bool reshape)
{
    if (comment)
        parser.addOption({u"comment"_s, u"Shape comment lines too."_s});
    parser.addOption({u"no-effect-cr"_s, u"Remove the roll's own line breaks first."_s});
    parser.addOption({u"cr-insert"_s, u"Put an empty line after every line written."_s});
    if (reshape) {
        parser.addOption({u"cr-dot"_s, u"Break after every 「。」 first."_s});
        parser.addOption({u"cr-comma"_s, u"Break after every 「、」 first."_s});
        parser.addOption({u"word-check"_s, u"Break only between words (runs ChaSen)."_s});
        parser.addOption({u"kinsoku"_s, u"Break only where the Japanese line-break rules allow."_s});
        parser.addOption({u"phrase"_s, u"Break between phrases (runs ChaSen)."_s});
        parser.addOption({u"balance"_s, u"Make the lines of a reshaped line nearly equal in width."_s});
        parser.addOption({u"dic"_s, u"Custom dictionary: one word per line."_s, u"FILE"_s});
        addChasenOption(parser);
    }
}

RollShapeSettings shapeSettings(const QCommandLineParser &parser)
{
    const auto flag = [&](const QString &name) {
        return parser.optionNames().contains(name) && parser.isSet(name);
    };
    RollShapeSettings s;
    s.plasticComment = flag(u"comment"_s);
    s.insertBlankLine = flag(u"cr-insert"_s);
    s.ignoreBreaks = flag(u"no-effect-cr"_s);
    s.breakAtPeriod = flag(u"cr-dot"_s);
    s.breakAtComma = flag(u"cr-comma"_s);
    s.rules = {flag(u"kinsoku"_s), flag(u"phrase"_s), flag(u"balance"_s)};
    return s;
}

// The word list of a reshape: the analyser's words of the roll, then the
// custom dictionary; with phrases, each word's role in its phrase. Prints why
// and returns nothing when it cannot be built.
std::optional<WordList> wordList(const QCommandLineParser &parser, const QStringList &lines, bool phrases)
{
    QTextStream err(stderr);
    QStringList custom;
    if (parser.isSet(u"dic"_s)) {
        const QString path = parser.value(u"dic"_s);
        const TextFileRead dic = readTextFile(path, LineEnds::Fold);
        if (!dic.ok) {
            err << "velmat-tool: cannot read the dictionary: " << dic.error << '\n';
            return std::nullopt;
        }
        warnUndecoded(u"\"%1\""_s.arg(path), dic.decoded);
        custom = dic.decoded.text.split(u'\n');
        const QList<qsizetype> unusable = WordList::unusableLines(custom);
        if (!unusable.isEmpty()) {
            QStringList numbers;
            for (const qsizetype line : unusable)
                numbers << QString::number(line);
            err << "velmat-tool: warning: dictionary line(s) " << numbers.join(u", "_s)
                << " hold a broken character and are left out\n";
        }
        custom.removeAll(QString());
    }
    const std::optional<MorphemeDigest> digest = analyseLines(parser, lines);
    if (!digest)
        return std::nullopt;
    WordList words = WordList::build(digest->surfaces(), custom,
                                     phrases ? digest->surfaceTags() : QHash<QString, WordTag>());
    if (phrases)
        words.setMorphemes(MorphemeMap::build(lines, CommentKinds{},
                                              [&digest](const auto &visit) { digest->forEachRecord(visit); }));
    return words;
}

} // namespace

int analyzeCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Prints the analyser's records of the roll (comment lines left out), MeCab's in ChaSen's form."_s);
    addChasenOption(parser);
    if (!parseCommand(parser, u"analyze"_s, args))
        return kCliUsage;
    const std::optional<AnalyserSettings> analyser = analyserSettings(parser);
    if (!analyser)
        return kCliUsage;
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    // The records go out as they are read, only after the run succeeded; as
    // UTF-8 they are the analyser's own bytes.
    const bool shiftJis = parser.isSet(u"sjis"_s);
    const ChasenResult run =
        runAnalyser(*analyser, *lines, CommentKinds{}, {}, [shiftJis](QByteArrayView records) {
            if (shiftJis)
                writeOutput(QString::fromUtf8(records), true);
            else
                std::fwrite(records.data(), 1, size_t(records.size()), stdout);
        });
    if (run.status != ChasenResult::Status::Ok) {
        reportAnalyserFailure(run, analyser->kind);
        return kCliUsage;
    }
    return kCliOk;
}

int reshapeCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Re-breaks over-long lines by character count or pixel width."_s);
    parser.addOption({u"chars"_s, u"Full-width characters per caption line."_s, u"N"_s});
    parser.addOption({u"pixels"_s, u"Caption screen width in pixels."_s, u"W"_s});
    parser.addOption({u"font"_s, u"Caption font for --pixels."_s, u"NAME"_s, u"ＭＳ ゴシック"_s});
    parser.addOption({u"size"_s, u"Caption font size in points for --pixels."_s, u"PT"_s, u"55"_s});
    addShapeOptions(parser, true, true);
    if (!parseCommand(parser, u"reshape"_s, args))
        return kCliUsage;
    if (parser.isSet(u"chars"_s) == parser.isSet(u"pixels"_s))
        return usageError(u"reshape"_s, u"give either --chars or --pixels"_s);
    // The limits first, so that bad usage is told before anything runs.
    const bool byChars = parser.isSet(u"chars"_s);
    std::optional<int> chars, pixels, size;
    if (byChars) {
        if (!(chars = intOption(parser, u"reshape"_s, u"chars"_s, 1, kMaxLineChars)))
            return kCliUsage;
    } else {
        pixels = intOption(parser, u"reshape"_s, u"pixels"_s, 1, kMaxScreenPixels);
        size = intOption(parser, u"reshape"_s, u"size"_s, 1, 1000);
        if (!pixels || !size)
            return kCliUsage;
    }
    const RollShapeSettings settings = shapeSettings(parser);
    const auto roll = readRollLines(parser);
    if (!roll)
        return kCliUsage;
    const QStringList lines = preReshapeBreaks(*roll, settings);
    std::optional<WordList> words;
    const bool phrases = settings.rules.phrases;
    if ((parser.isSet(u"word-check"_s) || phrases) && !(words = wordList(parser, lines, phrases)))
        return kCliUsage;
    const WordList *wordsOrNone = words ? &*words : nullptr;
    QStringList items;
    if (byChars) {
        items = reshapeRollByCount(lines, *chars, settings, wordsOrNone);
    } else {
        PixelWidth model(parser.value(u"font"_s), *size);
        items = reshapeRollByWidth(lines, *pixels, settings, wordsOrNone, model);
    }
    writeOutput(itemsToText(items), parser.isSet(u"sjis"_s));
    return kCliOk;
}

int breakCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Breaks lines after every 「。」, 「／」 or 「、」."_s);
    parser.addOption({u"at"_s, u"The mark: 。, ／ or 、."_s, u"MARK"_s});
    addShapeOptions(parser, true, false);
    if (!parseCommand(parser, u"break"_s, args))
        return kCliUsage;
    const QString at = parser.value(u"at"_s);
    BreakMark mark;
    if (at == u"。")
        mark = BreakMark::Period;
    else if (at == u"／")
        mark = BreakMark::Slash;
    else if (at == u"、")
        mark = BreakMark::Comma;
    else
        return usageError(u"break"_s, u"--at takes 。, ／ or 、"_s);
    const auto roll = readRollLines(parser);
    if (!roll)
        return kCliUsage;
    writeOutput(itemsToText(breakRoll(*roll, mark, shapeSettings(parser))), parser.isSet(u"sjis"_s));
    return kCliOk;
}

int centerCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Centres each caption line within the limit of 2×N cells."_s);
    parser.addOption({u"chars"_s, u"Full-width characters per caption line."_s, u"N"_s});
    addShapeOptions(parser, false, false);
    if (!parseCommand(parser, u"center"_s, args))
        return kCliUsage;
    const auto chars = intOption(parser, u"center"_s, u"chars"_s, 0, kMaxLineChars);
    if (!chars)
        return kCliUsage;
    const auto roll = readRollLines(parser);
    if (!roll)
        return kCliUsage;
    writeOutput(itemsToText(centreRoll(*roll, lineLimitCells(*chars), shapeSettings(parser))),
                parser.isSet(u"sjis"_s));
    return kCliOk;
}

int trimCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Removes blanks and control characters at both ends of caption lines."_s);
    addShapeOptions(parser, false, false);
    if (!parseCommand(parser, u"trim"_s, args))
        return kCliUsage;
    const auto text = readRollText(parser);
    if (!text)
        return kCliUsage;
    writeOutput(trimRollText(std::move(*text), shapeSettings(parser)), parser.isSet(u"sjis"_s));
    return kCliOk;
}
