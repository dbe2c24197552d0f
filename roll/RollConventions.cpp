#include "roll/RollConventions.h"

namespace {

bool startsWithMarker(QStringView line, const char16_t *marker)
{
    return line.startsWith(QStringView(marker));
}

} // namespace

bool IsCommentLine(QStringView line)
{
    return startsWithMarker(line, kCommentMarker);
}

bool IsRecognisedComment(QStringView line, const CommentKinds &kinds)
{
    return (kinds.simple && startsWithMarker(line, kCommentMarker))
        || (kinds.jump && startsWithMarker(line, kJumpMarker))
        || (kinds.summary && startsWithMarker(line, kSummaryMarker))
        || (kinds.change && startsWithMarker(line, kChangeMarker));
}

QString CommentText(const QString &line)
{
    return line.mid(2);
}

QString TalkerPart(const QString &line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'/' || c == u'／')
            return line.left(i + 1);
    }
    return {};
}
