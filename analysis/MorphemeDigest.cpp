#include "analysis/MorphemeDigest.h"

#include "analysis/MorphemeRecord.h"


void MorphemeDigest::add(QByteArrayView utf8Lines)
{
    qsizetype start = 0;
    const qsizetype size = utf8Lines.size();
    while (start < size) {
        qsizetype end = utf8Lines.indexOf('\n', start);
        if (end < 0)
            end = size;
        qsizetype stop = end;
        if (stop > start && utf8Lines[stop - 1] == '\r')
            --stop;
        if (stop > start) {
            const QByteArrayView line = utf8Lines.sliced(start, stop - start);
            // A key over the caller's bytes: a line met before costs no copy.
            const QByteArray key = QByteArray::fromRawData(line.data(), line.size());
            if (!m_seen.contains(key)) {
                m_seen.insert(line.toByteArray());
                m_lines.append(QString::fromUtf8(line));
            }
        }
        start = end + 1;
    }
}

QStringList MorphemeDigest::surfaces() const
{
    // A form's first line comes first among the distinct lines too, so the
    // order of first meeting is kept.
    SurfaceCollector collector;
    for (const QString &line : m_lines)
        collector.add(line);
    return collector.surfaces();
}

QStringList MorphemeDigest::partsOfSpeech() const
{
    QList<QStringList> records;
    records.reserve(m_lines.size());
    for (const QString &line : m_lines)
        records.append(parseRecord(line));
    return ::partsOfSpeech(records);
}
