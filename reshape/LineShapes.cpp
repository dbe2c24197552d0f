#include "reshape/LineShapes.h"

#include "app/RollConventions.h"
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
    for (qsizetype at = line.indexOf(m, p); at >= 0; at = line.indexOf(m, p)) {
        if (prefixed)
            out += QLatin1String("<-");
        out += QStringView(line).sliced(p, at + 1 - p);
        p = at + 1;
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
    const int padding = (limitCells - MecsStringWidth(line, true)) / 2;
    return (padding > 0 ? QString(padding, u' ') : QString()) + line + extra;
}

QString trimLine(const QString &line, const QString &extra)
{
    if (IsCommentLine(line))
        return line + extra;
    qsizetype b = 0, e = line.size();
    while (b < e && line[b].unicode() <= 0x20)
        ++b;
    while (e > b && line[e - 1].unicode() <= 0x20)
        --e;
    return line.mid(b, e - b) + extra;
}
