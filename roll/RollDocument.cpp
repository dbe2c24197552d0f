#include "roll/RollDocument.h"

#include <QTextBlock>
#include <QTextDocument>

QStringList documentLines(const QTextDocument &document)
{
    QStringList lines;
    if (document.isEmpty())
        return lines;
    lines.reserve(document.blockCount());
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    return lines;
}

QStringList rollLines(const QTextDocument &document)
{
    QStringList lines = documentLines(document);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
