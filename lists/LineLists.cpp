#include "lists/LineLists.h"

#include "roll/RollConventions.h"
#include "platform/Cp932.h"

#include <QSet>

QString asShownInShiftJis(const QString &text)
{
    return cp932UnencodableChars(text).isEmpty() ? text : cp932Decode(cp932Encode(text));
}

QString resultEntry(int lineIndex, const QString &line)
{
    return QString::asprintf("%05d : ", lineIndex + 1) + asShownInShiftJis(line);
}

int entryLineNumber(const QString &entry)
{
    qsizetype i = 0;
    while (i < entry.size() && (entry[i] == u' ' || entry[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    while (i < entry.size() && entry[i] >= u'0' && entry[i] <= u'9')
        ++i;
    if (i == start)
        return -1;
    bool ok = false;
    const int n = QStringView(entry).sliced(start, i - start).toInt(&ok);
    return ok ? n : -1;
}

QStringList linesContaining(const QStringList &lines, const QString &text)
{
    QStringList entries;
    if (text.isEmpty())
        return entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).contains(text))
            entries.append(resultEntry(int(i), lines.at(i)));
    }
    return entries;
}

QStringList talkerParts(const QStringList &lines)
{
    QStringList parts;
    QSet<QString> seen;
    for (const QString &line : lines) {
        const QString part = TalkerPart(line);
        if (part.isEmpty())
            continue;
        const QString folded = part.toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        parts.append(part);
    }
    return parts;
}

QStringList linesOfTalker(const QStringList &lines, const QString &talker)
{
    QStringList entries;
    if (talker.isEmpty())
        return entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(talker) && !TalkerPart(line).isEmpty())
            entries.append(resultEntry(int(i), line));
    }
    return entries;
}

QString talkerName(const QString &talker)
{
    if (talker.endsWith(u'/') || talker.endsWith(u'／'))
        return talker.left(talker.size() - 1);
    return talker;
}
