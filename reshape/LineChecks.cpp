#include "reshape/LineChecks.h"

#include "roll/RollConventions.h"
#include "reshape/DisplayWidth.h"

int findOverlongByCount(const QStringList &lines, int limitCells)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // A line of n UTF-16 units is at most 2n cells: most lines need no measuring.
        if (line.size() * 2 <= limitCells || IsCommentLine(line))
            continue;
        if (MecsStringWidth(line, true) > limitCells)
            return int(i);
    }
    return -1;
}

PixelOverrun findOverlongByPixels(const QStringList &lines, int screenWidth,
                                  const std::function<qint64(const QString &)> &measure)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (IsCommentLine(line))
            continue;
        const qint64 width = measure(line);
        if (width > screenWidth)
            return {int(i), width - screenWidth};
    }
    return {};
}

qsizetype characterTotal(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size();
    return total;
}

qsizetype textCharacterTotal(QStringView text)
{
    return text.size() - text.count(u'\n');
}
