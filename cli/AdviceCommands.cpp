// velmat-tool furigana, advise: the language commands that read the
// analyser's records of the roll.
#include "cli/CliCommands.h"
#include "cli/CliIo.h"

#include "analysis/ChasenRunner.h"
#include "analysis/Furigana.h"
#include "analysis/MorphemeDigest.h"
#include "analysis/RollAdvisor.h"

#include <QTextStream>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kDefaultChasen = u"/usr/bin/chasen"_s;

// The roll as the editor holds it, its lines, and the analyser's distinct
// record lines for it (comment lines left out).
struct AnalysedRoll {
    QString text;
    QStringList lines;
    MorphemeDigest records;
};

// Parses the command's arguments, reads the roll and runs the analyser over
// it; nothing after saying why not.
std::optional<AnalysedRoll> analysedRoll(QCommandLineParser &parser, const QString &command, const QStringList &args)
{
    parser.addOption({u"chasen"_s, u"The ChaSen program."_s, u"PATH"_s, kDefaultChasen});
    if (!parseCommand(parser, command, args))
        return std::nullopt;
    std::optional<QString> text = readRollText(parser);
    if (!text)
        return std::nullopt;
    AnalysedRoll roll{std::move(*text), {}, {}};
    roll.lines = roll.text.split(u'\n');
    if (!roll.lines.isEmpty() && roll.lines.last().isEmpty())
        roll.lines.removeLast();
    const ChasenResult run = runChasen(parser.value(u"chasen"_s), roll.lines, CommentKinds{}, {},
                                       [&roll](QByteArrayView records) { roll.records.add(records); });
    if (run.status != ChasenResult::Status::Ok) {
        QTextStream(stderr) << "velmat-tool: ChaSen could not analyse the roll"
                            << (run.detail.isEmpty() ? QString() : u" ("_s + run.detail + u')') << '\n';
        return std::nullopt;
    }
    return roll;
}

} // namespace

int furiganaCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes the roll with every word ChaSen knows a reading for in its ruby code (`rreading`sword)."_s);
    const std::optional<AnalysedRoll> roll = analysedRoll(parser, u"furigana"_s, args);
    if (!roll)
        return kCliUsage;
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(roll->records.lines());
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
