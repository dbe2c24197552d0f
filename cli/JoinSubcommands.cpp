// velmat-tool join and dp9: roll files joined as the join window joins them,
// and the caption screen settings an IPtalk settings file would give.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "join/RollJoin.h"
#include "platform/TextFile.h"
#include "reshape/IPtalkSettings.h"
#include "roll/RollFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// The document filter that comes with velmat-tool, as the editor finds its
// own: installed beside it, or in a build tree beside the editor.
QString defaultFilter()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {here.filePath(u"velmat-doc2txt"_s), here.filePath(u"../app/velmat-doc2txt"_s)}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return u"velmat-doc2txt"_s; // looked for in PATH
}

} // namespace

int joinCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Joins roll files into one roll: a header comment, two empty lines, then for each file\n"
        "a line \"<-●\" with its name and its lines. Files other than .txt and .sl1 go through the\n"
        "text filter. Files that cannot be read keep their \"<-●\" line, are named on standard\n"
        "error, and make the exit status 1. Files read only in part, and characters Shift-JIS\n"
        "lacks (written as \"?\"), are named on standard error and make the exit status 4.\n"
        "All files together may bring at most 256 MiB; the files past that are not read."_s);
    parser.addOption({{u"o"_s, u"output"_s}, u"The joined roll to write (Shift-JIS, CR LF)."_s, u"OUT"_s});
    parser.addOption({u"filter"_s, u"The text filter for other documents; velmat-doc2txt by default."_s,
                      u"PROGRAM"_s});
    parser.addOption({u"time"_s, u"The moment written in the header (yyyy-MM-ddTHH:mm:ss); now by default."_s,
                      u"WHEN"_s});
    parser.addPositionalArgument(u"FILE"_s, u"Roll files, joined in the order given."_s, u"FILE..."_s);
    if (!parseArguments(parser, u"join"_s, args))
        return kCliUsage;
    const QString output = parser.value(u"output"_s);
    if (output.isEmpty())
        return usageError(u"join"_s, u"-o OUT is required"_s);
    QDateTime when = QDateTime::currentDateTime();
    if (parser.isSet(u"time"_s)) {
        when = QDateTime::fromString(parser.value(u"time"_s), Qt::ISODate);
        if (!when.isValid())
            return usageError(u"join"_s, u"--time takes yyyy-MM-ddTHH:mm:ss"_s);
    }
    const QString filter = parser.isSet(u"filter"_s) ? parser.value(u"filter"_s) : defaultFilter();
    QList<JoinSource> sources;
    for (const QString &path : parser.positionalArguments())
        sources << readJoinSource(path, filter, {}, joinRoomLeft(sources));
    QTextStream err(stderr);
    for (const JoinSource &source : sources) {
        if (!source.ok)
            err << "velmat-tool: could not join \"" << source.path << "\": " << source.error << '\n';
        else if (!source.warning.isEmpty())
            err << "velmat-tool: warning: " << QString(source.warning).replace(u"\r\n"_s, u" "_s) << '\n';
    }
    err.flush();
    // The editor's lines end with the empty one after the final line break.
    const QStringList lines = joinedRollLines(joinHeaderLine(when), sources) << QString();
    const int written = writeRollFile(output, lines);
    if (written == kCliWriteFailed)
        return written;
    if (!failedSources(sources).isEmpty())
        return kCliFound;
    return joinNeedsAttention(sources) ? kCliLossy : written;
}

int dp9Command(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Shows the check settings an IPtalk settings file (.dp9) would set: the caption screen\n"
        "width (item 1), the font (item 7) and its size (item 9), one \"name=value\" line each for\n"
        "the items the file holds. A file that cannot be read whole sets nothing (exit status 2)."_s);
    parser.addPositionalArgument(u"FILE"_s, u"The IPtalk settings file."_s, u"FILE"_s);
    if (!parseArguments(parser, u"dp9"_s, args))
        return kCliUsage;
    if (parser.positionalArguments().size() != 1)
        return usageError(u"dp9"_s, u"one FILE is required"_s);
    const QString path = parser.positionalArguments().constFirst();
    const IPtalkSettings items = readIPtalkSettings(path);
    if (!items.readable()) {
        QTextStream(stderr) << "velmat-tool: \"" << path << "\" is not readable as IPtalk settings: "
                            << items.problem << '\n';
        return kCliUsage;
    }
    QString out;
    if (items.screenWidth)
        out += u"width=%1\n"_s.arg(*items.screenWidth);
    if (items.font)
        out += u"font=%1\n"_s.arg(*items.font);
    if (items.points)
        out += u"size=%1\n"_s.arg(*items.points);
    writeOutput(out, false);
    return kCliOk;
}
