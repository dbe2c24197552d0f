#include "analysis/MorphemeDigest.h"

#include "analysis/MorphemeRecord.h"
#include "roll/TextLines.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>


void MorphemeDigest::add(QByteArrayView utf8Lines)
{
    forEachWrittenLine(utf8Lines, [this](QByteArrayView line) {
        if (line.isEmpty())
            return;
        // A key over the caller's bytes: a line met before costs no copy.
        const auto met = m_seen.constFind(QByteArray::fromRawData(line.data(), line.size()));
        if (met != m_seen.cend()) {
            m_lastMet[*met] = m_count++;
            ++m_times[*met];
            m_order.append(qint32(*met));
            return;
        }
        m_seen.insert(line.toByteArray(), m_lines.size());
        m_lines.append(QString::fromUtf8(line));
        m_order.append(qint32(m_lines.size() - 1));
        m_lastMet.append(m_count++);
        m_times.append(1);
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

QHash<QString, WordTag> MorphemeDigest::surfaceTags() const
{
    struct Tally {
        QHash<WordTag, qint64> times; // tag -> records met
        QList<WordTag> order;         // tags, first met first
    };
    QHash<QString, Tally> tallies;
    std::array<QStringView, 4> fields;
    QStringList unquoted;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        unquoted.clear();
        if (!recordFields(m_lines.at(i), fields, unquoted))
            continue;
        QString surface = fields[0].toString();
        surface.remove(u' ').remove(QChar(0x3000)); // as the word list holds it
        if (surface.isEmpty())
            continue;
        Tally &tally = tallies[surface];
        const WordTag tag{fields[3].toString(), fields[1].toString()};
        auto it = tally.times.find(tag);
        if (it == tally.times.end()) {
            tally.order.append(tag);
            it = tally.times.insert(tag, 0);
        }
        *it += m_times.at(i);
    }
    QHash<QString, WordTag> result;
    result.reserve(tallies.size());
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) {
        const Tally &tally = it.value();
        WordTag best = tally.order.first();
        for (const WordTag &tag : tally.order) {
            if (tally.times.value(tag) > tally.times.value(best))
                best = tag;
        }
        result.insert(it.key(), best);
    }
    return result;
}

void MorphemeDigest::forEachRecord(const RecordVisitor &each) const
{
    // Each distinct line is split once; its fields are views into the kept
    // lines (or into `unquoted`, which holds what needed its quotes undone).
    std::vector<std::array<QStringView, 4>> fields(size_t(m_lines.size()));
    std::vector<bool> isRecord(size_t(m_lines.size()), false);
    QStringList unquoted;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        std::array<QStringView, 4> &f = fields[size_t(i)];
        isRecord[size_t(i)] = recordFields(line, f, unquoted);
        // The records of a comma and of a double quote do not split as the
        // others do (",,,,,,記号-読点", "\",\",\",記号-一般"): their surface and
        // base are the mark itself, their part of speech the last field.
        for (const QStringView mark : {QStringView(u","), QStringView(u"\"")}) {
            const QString head = mark.toString().append(u',').repeated(3);
            if (line.startsWith(head) && line.indexOf(u',', head.size()) < 0) {
                f[0] = f[1] = f[2] = mark;
                f[3] = QStringView(line).sliced(head.size());
                isRecord[size_t(i)] = true;
            }
        }
    }
    for (const qint32 i : m_order) {
        if (!isRecord[size_t(i)])
            continue;
        const std::array<QStringView, 4> &f = fields[size_t(i)];
        each(i, f[0], f[3], f[1]);
    }
}
