#include "app/CommentCommands.h"

#include "app/RollConventions.h"

namespace {

QString joinWithBreaks(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines)
        out += line + QStringLiteral("\r\n");
    return out;
}

} // namespace

QStringList SelectionLines(const QString &selection)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = selection.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = selection.at(i);
        if (c != u'\r' && c != u'\n' && c != QChar::ParagraphSeparator && c != QChar::LineSeparator)
            continue;
        lines << selection.mid(start, i - start);
        if (c == u'\r' && i + 1 < n && selection.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << selection.mid(start);
    return lines;
}

QString CommentLines(const QString &selection, const QString &marker)
{
    QStringList lines = SelectionLines(selection);
    for (QString &line : lines) {
        if (!line.startsWith(marker))
            line.prepend(marker);
    }
    return joinWithBreaks(lines);
}

QString UncommentLines(const QString &selection)
{
    QStringList lines = SelectionLines(selection);
    const QStringView markers[] = {kChangeMarker, kJumpMarker, kSummaryMarker, kCommentMarker};
    for (QString &line : lines) {
        for (QStringView marker : markers) {
            if (line.startsWith(marker))
                line.remove(0, marker.size());
        }
    }
    return joinWithBreaks(lines);
}
