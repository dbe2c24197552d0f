#include "roll/GutterLabels.h"

#include <algorithm>

QString gutterLabel(int lineIndex, bool slideMode, int rowsPerSlide)
{
    if (!slideMode)
        return QString::number(qint64(lineIndex) + 1);
    // 64-bit: a block of INT_MAX rows plus its separator does not fit an int.
    const qint64 block = qint64(std::max(1, rowsPerSlide)) + 1;
    const qint64 row = lineIndex % block + 1;
    if (row == block)
        return QStringLiteral("----");
    return QStringLiteral("%1-%2").arg(lineIndex / block + 1).arg(row);
}

int rowsPerSlideFromAnswer(const QString &answer)
{
    bool ok = false;
    const int rows = answer.trimmed().toInt(&ok);
    return ok ? rows : 10;
}
