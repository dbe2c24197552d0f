#pragma once
// The roll advisor's word comparison and the automatic furigana written step
// by step as the captioners' tool does them: every pair of entries compared,
// and a dictionary kept as a sorted list of "surface=reading" texts, looked
// up from its start for every candidate of every length at every position.
// Slow on purpose: they are the yardsticks the fast versions must match.
#include "analysis/Furigana.h"
#include "analysis/MorphemeRecord.h"
#include "analysis/RollAdvisor.h"

#include <QStringList>

#include <algorithm>

namespace reference {

inline void compareWordEntries(const QList<WordEntry> &entries, AdviceFindings &findings)
{
    for (qsizetype a = 0; a < entries.size(); ++a) {
        for (qsizetype b = a + 1; b < entries.size(); ++b) {
            const WordEntry &x = entries.at(a);
            const WordEntry &y = entries.at(b);
            if (x.reading != y.reading || x.reading.isEmpty() || x.surface == y.surface)
                continue;
            if (x.partOfSpeech.contains(QStringLiteral("固有名詞-人名"))
                || y.partOfSpeech.contains(QStringLiteral("固有名詞-人名")))
                findings[AdviceNode::SimilarNames] << QStringLiteral("発音が似た名前があります （『") + x.surface
                                                          + QStringLiteral("』と『") + y.surface + QStringLiteral("』）");
            else
                findings[AdviceNode::Homophones] << QStringLiteral("同音語があります （『") + x.surface
                                                        + QStringLiteral("』と『") + y.surface + QStringLiteral("』）");
        }
    }
    for (const WordEntry &x : entries) {
        if (x.reading.isEmpty())
            findings[AdviceNode::UnknownWords] << QStringLiteral("形態素辞書で理解できない文があります。（『") + x.surface
                                                      + QStringLiteral("』）");
    }
}

struct FuriganaList {
    QStringList entries; // "surface=reading", sorted
    qsizetype maxLength = 0;
};

inline FuriganaList furiganaList(const QStringList &morphemeLines)
{
    FuriganaList list;
    for (const QString &line : morphemeLines) {
        const QStringList record = parseRecord(line);
        if (!takesFurigana(record))
            continue;
        list.entries << record.at(0) + u'=' + furiganaReading(record.at(2));
        list.maxLength = std::max(list.maxLength, record.at(0).size());
    }
    std::stable_sort(list.entries.begin(), list.entries.end(),
                     [](const QString &a, const QString &b) { return compareFuriganaEntries(a, b) < 0; });
    return list;
}

// The reading of the first entry whose surface equals `text`, letter case ignored.
inline QString lookup(const FuriganaList &list, const QString &text)
{
    for (const QString &entry : list.entries) {
        const qsizetype eq = entry.indexOf(u'=');
        if (QStringView(entry).first(eq).compare(text, Qt::CaseInsensitive) == 0)
            return entry.mid(eq + 1);
    }
    return {};
}

inline QString addFurigana(const QString &text, const FuriganaList &list)
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        bool matched = false;
        for (qsizetype n = list.maxLength; n >= 1 && !matched; --n) {
            const QString candidate = text.mid(i, n);
            const QString reading = lookup(list, candidate);
            if (!reading.isEmpty()) {
                out += QStringLiteral("`r") + reading + QStringLiteral("`s") + candidate;
                i += candidate.size();
                matched = true;
            }
        }
        if (!matched)
            out += text.at(i++);
    }
    return out;
}

} // namespace reference
