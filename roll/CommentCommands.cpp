#include "roll/CommentCommands.h"

#include "roll/RollConventions.h"

LineSpan SelectedLines(int startLine, int endLine, int endColumn)
{
    if (endLine > startLine && endColumn == 0)
        --endLine;
    return {startLine, endLine};
}

QStringList CommentLines(QStringList lines, const QString &marker)
{
    for (QString &line : lines) {
        if (!line.startsWith(marker))
            line.prepend(marker);
    }
    return lines;
}

QStringList UncommentLines(QStringList lines)
{
    const QStringView markers[] = {kChangeMarker, kJumpMarker, kSummaryMarker, kCommentMarker};
    for (QString &line : lines) {
        for (QStringView marker : markers) {
            if (line.startsWith(marker))
                line.remove(0, marker.size());
        }
    }
    return lines;
}
