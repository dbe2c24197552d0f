#include "analysis/MorphemeDigest.h"

#include "analysis/MorphemeRecord.h"
#include "roll/TextLines.h"


void MorphemeDigest::add(QByteArrayView utf8Lines)
{
    forEachWrittenLine(utf8Lines, [this](QByteArrayView line) {
        if (line.isEmpty())
            return;
        // A key over the caller's bytes: a line met before costs no copy.
        if (!m_seen.contains(QByteArray::fromRawData(line.data(), line.size()))) {
            m_seen.insert(line.toByteArray());
            m_lines.append(QString::fromUtf8(line));
        }
    });
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
