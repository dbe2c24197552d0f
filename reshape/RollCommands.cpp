#include "reshape/RollCommands.h"

#include "reshape/DisplayWidth.h"
#include "roll/TextLines.h"

#include <algorithm>
#include "reshape/WidthModel.h"

namespace {

QStringList inputLines(const QStringList &lines, const RollShapeSettings &settings)
{
    return settings.ignoreBreaks ? QStringList{lines.join(QString())} : lines;
}

template <typename PerLine>
QStringList eachLine(const QStringList &lines, const RollShapeSettings &settings, PerLine perLine)
{
    QStringList items;
    const QString extra = blankLineExtra(settings.reshapeOptions());
    for (const QString &line : inputLines(lines, settings))
        items.append(perLine(line, extra));
    return items;
}

} // namespace

QStringList itemsToLines(const QStringList &items)
{
    QStringList lines = itemsToText(items).split(u'\n');
    lines.removeLast(); // the break after the last item starts no line
    return lines;
}

QStringList breakRoll(const QStringList &lines, BreakMark mark, const RollShapeSettings &settings)
{
    return eachLine(lines, settings, [&](const QString &line, const QString &extra) {
        return breakLineAtMark(line, mark, settings.plasticComment, extra);
    });
}

QStringList centreRoll(const QStringList &lines, int limitCells, const RollShapeSettings &settings)
{
    return eachLine(lines, settings,
                    [&](const QString &line, const QString &extra) { return centreLine(line, limitCells, extra); });
}

QStringList trimRoll(const QStringList &lines, const RollShapeSettings &settings)
{
    return eachLine(lines, settings, [](const QString &line, const QString &extra) { return trimLine(line, extra); });
}

QString trimRollText(QString text, const RollShapeSettings &settings)
{
    const QString extra = blankLineExtra(settings.reshapeOptions());
    if (!settings.ignoreBreaks && extra.isEmpty()) {
        // In place: with a break after the last line, every item is no longer
        // than its line and break, so writing never overtakes reading, and a
        // big roll needs no second buffer.
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
        QChar *data = text.data(); // detaches first: the views below see this buffer
        qsizetype written = 0;
        forEachTextLine(QStringView(data, text.size()), [&](QStringView line) {
            const QStringView item = trimmedLine(line);
            std::copy(item.begin(), item.end(), data + written); // forward copy: target never ahead
            written += item.size();
            data[written++] = u'\n';
        });
        text.truncate(written);
        return text;
    }
    QString out;
    out.reserve(text.size() + 1);
    const auto item = [&](QStringView line) {
        out += trimmedLine(line);
        out += extra;
        out += u'\n';
    };
    if (settings.ignoreBreaks) {
        QString joined; // like inputLines: even an empty roll is one input line
        joined.reserve(text.size());
        forEachTextLine(text, [&](QStringView line) { joined += line; });
        item(joined);
    } else {
        forEachTextLine(text, item);
    }
    return out;
}

QStringList preReshapeBreaks(const QStringList &lines, const RollShapeSettings &settings)
{
    QStringList result = lines;
    if (settings.breakAtPeriod)
        result = itemsToLines(breakRoll(result, BreakMark::Period, settings));
    if (settings.breakAtComma)
        result = itemsToLines(breakRoll(result, BreakMark::Comma, settings));
    return result;
}

QStringList reshapeRollByCount(const QStringList &lines, int chars, const RollShapeSettings &settings,
                               const WordList *words)
{
    CellWidth cells;
    const QStringList input = settings.ignoreBreaks ? joinAndBreakAtMarks(lines) : lines;
    return reshapeRoll(input, lineLimitCells(chars), chars, settings.reshapeOptions(), words, cells);
}

QStringList reshapeRollByWidth(const QStringList &lines, int screenWidth, const RollShapeSettings &settings,
                               const WordList *words, WidthModel &pixels)
{
    return reshapeRoll(inputLines(lines, settings), screenWidth, 0, settings.reshapeOptions(), words, pixels);
}
