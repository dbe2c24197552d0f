// velmat-tool width, check, count.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "roll/RollConventions.h"
#include "platform/Fonts.h"
#include "reshape/DisplayWidth.h"
#include "reshape/LineChecks.h"

using namespace Qt::StringLiterals;

int widthCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Prints the display width of each line in half-width cells."_s);
    if (!parseCommand(parser, u"width"_s, args))
        return kCliUsage;
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    QString out;
    for (const QString &line : *lines)
        out += QString::number(MecsStringWidth(line, true)) + u'\n';
    writeOutput(out, parser.isSet(u"sjis"_s));
    return kCliOk;
}

int checkCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Lists every caption line wider than the limit as \"%05d : line\"; exit 1 if any."_s);
    parser.addOption({u"chars"_s, u"Full-width characters per caption line (limit 2×N cells)."_s, u"N"_s});
    parser.addOption({u"pixels"_s, u"Caption screen width in pixels."_s, u"W"_s});
    parser.addOption({u"font"_s, u"Caption font for --pixels."_s, u"NAME"_s, u"ＭＳ ゴシック"_s});
    parser.addOption({u"size"_s, u"Caption font size in points for --pixels."_s, u"PT"_s, u"55"_s});
    if (!parseCommand(parser, u"check"_s, args))
        return kCliUsage;
    if (parser.isSet(u"chars"_s) == parser.isSet(u"pixels"_s))
        return usageError(u"check"_s, u"give either --chars or --pixels"_s);

    std::function<bool(const QString &)> overlong;
    std::optional<TextMeasure> measure;
    if (parser.isSet(u"chars"_s)) {
        const auto chars = intOption(parser, u"check"_s, u"chars"_s, 0, kMaxLineChars);
        if (!chars)
            return kCliUsage;
        const int limit = lineLimitCells(*chars);
        overlong = [limit](const QString &line) { return MecsStringWidth(line, true) > limit; };
    } else {
        const auto pixels = intOption(parser, u"check"_s, u"pixels"_s, 0, kMaxScreenPixels);
        const auto size = intOption(parser, u"check"_s, u"size"_s, 1, 1000);
        if (!pixels || !size)
            return kCliUsage;
        measure.emplace(parser.value(u"font"_s), *size);
        overlong = [&measure, screen = *pixels](const QString &line) { return measure->width(line) > screen; };
    }
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    QString out;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const QString &line = lines->at(i);
        if (!IsCommentLine(line) && overlong(line))
            out += QString::asprintf("%05d : ", int(i + 1)) + line + u'\n';
    }
    writeOutput(out, parser.isSet(u"sjis"_s));
    return out.isEmpty() ? kCliOk : kCliFound;
}

int countCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the character total: all lines' lengths, comment lines included, breaks not counted."_s);
    if (!parseCommand(parser, u"count"_s, args))
        return kCliUsage;
    const auto text = readRollText(parser);
    if (!text)
        return kCliUsage;
    writeOutput(QString::number(textCharacterTotal(*text)) + u'\n', parser.isSet(u"sjis"_s));
    return kCliOk;
}
