#include "analysis/MorphemeDigest.h"

#include "analysis/MorphemeRecord.h"
#include "roll/TextLines.h"

#include <algorithm>
#include <numeric>


void MorphemeDigest::add(QByteArrayView utf8Lines)
{
    forEachWrittenLine(utf8Lines, [this](QByteArrayView line) {
        if (line.isEmpty())
            return;
        // A key over the caller's bytes: a line met before costs no copy.
        const auto met = m_seen.constFind(QByteArray::fromRawData(line.data(), line.size()));
        if (met != m_seen.cend()) {
            m_lastMet[*met] = m_count++;
            return;
        }
        m_seen.insert(line.toByteArray(), m_lines.size());
        m_lines.append(QString::fromUtf8(line));
        m_lastMet.append(m_count++);
    });
}

QStringList MorphemeDigest::linesByLastOccurrence() const
{
    QList<qsizetype> order(m_lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) { return m_lastMet[a] < m_lastMet[b]; });
    QStringList lines;
    lines.reserve(order.size());
    for (const qsizetype i : order)
        lines.append(m_lines.at(i));
    return lines;
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
