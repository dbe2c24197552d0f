// velmat-tool furigana, advise: the language commands that read the
// analyser's records of the roll.
#include "cli/CliAnalysis.h"
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "analysis/Furigana.h"
#include "analysis/RollAdvisor.h"
#include "roll/TextLines.h"

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The roll as the editor holds it and the analyser's distinct record lines
// for it (comment lines left out).
struct AnalysedRoll {
    QString text;
    MorphemeDigest records;
};

// Parses the command's arguments, checks its own options (`optionsValid`
// says why not itself), reads the roll and runs the analyser over it (over
// the base texts of its ruby codes with `baseText`); nothing after saying
// why not.
std::optional<AnalysedRoll> analysedRoll(QCommandLineParser &parser, const QString &command, const QStringList &args,
                                         const std::function<bool()> &optionsValid = {}, bool baseText = false)
{
    addChasenOption(parser);
    if (!parseCommand(parser, command, args) || (optionsValid && !optionsValid()))
        return std::nullopt;
    std::optional<QString> text = readRollText(parser);
    if (!text)
        return std::nullopt;
    const QStringList lines = textLines(*text);
    std::optional<MorphemeDigest> records = analyseLines(parser, baseText ? withoutRubyCodes(lines) : lines);
    if (!records)
        return std::nullopt;
    return AnalysedRoll{std::move(*text), std::move(*records)};
}

} // namespace

int furiganaCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes the roll with every word ChaSen knows a reading for in its ruby code (`rreading`sword)."_s);
    parser.addOption({u"grade"_s,
                      u"Wrap only words holding a kanji not taught in school years 1 to N (1-6); 0: every word."_s, u"N"_s,
                      u"0"_s});
    std::optional<int> grade;
    // The codes of an earlier run are read as their base texts: a second run adds nothing.
    const std::optional<AnalysedRoll> roll = analysedRoll(
        parser, u"furigana"_s, args,
        [&] {
            grade = intOption(parser, u"furigana"_s, u"grade"_s, 0, kMaxFuriganaGrade);
            return grade.has_value();
        },
        true);
    if (!roll)
        return kCliUsage;
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(roll->records.lines(), *grade);
    writeOutput(*addFurigana(roll->text, dictionary), parser.isSet(u"sjis"_s));
    return kCliOk;
}

int adviseCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the roll advisor's tree: homophones, similar names, words ChaSen does not know and the kanji "
        "each school year has not learned, a node a line, indented two blanks a level."_s);
    const std::optional<AnalysedRoll> roll = analysedRoll(parser, u"advise"_s, args);
    if (!roll)
        return kCliUsage;
    writeOutput(adviceTreeText(adviseRoll(roll->records.lines(), roll->text)), parser.isSet(u"sjis"_s));
    return kCliOk;
}
