// velmat-tool talkers, find.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "lists/LineLists.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

int talkersCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Prints the talkers of the roll (text up to the first slash), one per line."_s);
    if (!parseCommand(parser, u"talkers"_s, args))
        return kCliUsage;
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    QString out;
    for (const QString &talker : talkerParts(*lines))
        out += talker + u'\n';
    writeOutput(out, parser.isSet(u"sjis"_s));
    return kCliOk;
}

int findCommand(const QStringList &args)
{
    // The search text comes first; the rest is as for the other commands.
    if (args.isEmpty() || args.first().startsWith(u'-')) {
        if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
            QTextStream(stdout) << "Usage: velmat-tool find TEXT [FILE]\n"
                                   "Lists every line that contains TEXT as \"%05d : line\".\n";
            return kCliOk;
        }
        return usageError(u"find"_s, u"the search text is missing"_s);
    }
    QCommandLineParser parser;
    if (!parseCommand(parser, u"find"_s, args.mid(1)))
        return kCliUsage;
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    QString out;
    for (const QString &entry : linesContaining(*lines, args.first()))
        out += entry + u'\n';
    writeOutput(out, parser.isSet(u"sjis"_s));
    return kCliOk;
}
