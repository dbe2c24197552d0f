#include "analysis/MorphemeRecord.h"

#include <QSet>

#include <algorithm>

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() >= 0x01 && c.unicode() <= 0x20;
}
} // namespace

QStringList parseRecord(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && isBlankOrControl(line[i]))
        ++i;
    if (i >= n)
        return fields;
    while (true) {
        QString field;
        if (line[i] == u'"') {
            ++i;
            while (i < n) {
                if (line[i] == u'"') {
                    if (i + 1 < n && line[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != u',' && !isBlankOrControl(line[i]))
                ++i;
            field = line.sliced(start, i - start).toString();
        }
        fields.append(field);
        while (i < n && isBlankOrControl(line[i]))
            ++i;
        if (i < n && line[i] == u',') {
            ++i;
            while (i < n && isBlankOrControl(line[i]))
                ++i;
            if (i >= n) { // a comma at the very end
                fields.append(QString());
                break;
            }
            continue;
        }
        if (i >= n)
            break;
        // Another field follows after blanks without a comma.
    }
    return fields;
}

QList<QStringList> parseMorphemeText(const QString &morphemeText)
{
    QList<QStringList> records;
    qsizetype start = 0;
    const qsizetype n = morphemeText.size();
    while (start < n) {
        qsizetype end = morphemeText.indexOf(u'\n', start);
        if (end < 0)
            end = n;
        qsizetype stop = end;
        if (stop > start && morphemeText[stop - 1] == u'\r')
            --stop;
        records.append(parseRecord(QStringView(morphemeText).sliced(start, stop - start)));
        start = end + 1;
    }
    return records;
}

QStringList partsOfSpeech(const QList<QStringList> &records)
{
    QStringList parts;
    QSet<QString> seen;
    for (const QStringList &r : records) {
        if (r.size() < 4 || r.at(3).isEmpty())
            continue;
        const QString folded = r.at(3).toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        parts.append(r.at(3));
    }
    std::sort(parts.begin(), parts.end());
    return parts;
}
