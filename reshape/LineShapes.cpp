#include "reshape/LineShapes.h"

#include "roll/RollConventions.h"
#include "reshape/DisplayWidth.h"

QChar breakMarkChar(BreakMark mark)
{
    switch (mark) {
    case BreakMark::Period: return QChar(u'。');
    case BreakMark::Slash: return QChar(u'／');
    case BreakMark::Comma: return QChar(u'、');
    }
    return QChar(u'。');
}

QString breakLineAtMark(const QString &line, BreakMark mark, bool plasticComment, const QString &extra)
{
    const QChar m = breakMarkChar(mark);
    const bool comment = IsCommentLine(line);
    if (!line.contains(m) || (comment && !plasticComment))
        return line + extra;
    const bool extraAfterBreak = !comment || mark == BreakMark::Slash;
    QString out;
    qsizetype p = 0;
    bool prefixed = false;
    for (qsizetype at = line.indexOf(m); at >= 0; at = line.indexOf(m, at + 1)) {
        qsizetype cut = at + 1;
        // A caption line must not give a line that begins with "<-" (a comment,
        // never sent): the break comes one character earlier, before the mark,
        // or not at all when the mark would stand alone.
        if (!comment && cut + 1 < line.size() && line[cut] == u'<' && line[cut + 1] == u'-') {
            cut = at;
            if (cut == p)
                continue;
        }
        if (prefixed)
            out += QLatin1String("<-");
        out += QStringView(line).sliced(p, cut - p);
        p = cut;
        prefixed = comment;
        out += u'\n';
        if (extraAfterBreak)
            out += extra;
    }
    if (prefixed)
        out += QLatin1String("<-");
    out += QStringView(line).sliced(p);
    out += extra;
    return out;
}

QString centreLine(const QString &line, int limitCells, const QString &extra)
{
    if (IsCommentLine(line))
        return line + extra;
    const qint64 padding = (limitCells - MecsStringWidth(line, true)) / 2;
    return (padding > 0 ? QString(padding, u' ') : QString()) + line + extra;
}

QString trimLine(const QString &line, const QString &extra)
{
    return trimmedLine(line).toString() + extra;
}

QStringView trimmedLine(QStringView line)
{
    if (IsCommentLine(line))
        return line;
    qsizetype b = 0, e = line.size();
    while (b < e && line[b].unicode() <= 0x20)
        ++b;
    while (e > b && line[e - 1].unicode() <= 0x20)
        --e;
    // One leading blank stays where dropping it would turn the line into a comment.
    if (b > 0 && e - b >= 2 && line[b] == u'<' && line[b + 1] == u'-')
        --b;
    return line.sliced(b, e - b);
}
