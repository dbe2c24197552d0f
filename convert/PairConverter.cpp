#include "convert/PairConverter.h"

#include "convert/ReplaceAll.h"

#include <QSet>

#include <algorithm>

PairConverter::PairConverter(const QList<QPair<QString, QString>> &pairs)
    : m_pairs(pairs), m_nodes(1), m_first(0x10000, -1)
{
    QSet<char16_t> sourceChars;
    for (const auto &[source, target] : pairs) {
        for (QChar c : source)
            sourceChars.insert(c.unicode());
    }
    for (int i = 0; i < int(pairs.size()); ++i) {
        const auto &[source, target] = pairs.at(i);
        // Sources equal to their targets change nothing; empty ones never match.
        if (source.isEmpty() || source == target)
            continue;
        if (target.isEmpty())
            m_onePass = false;
        for (QChar c : target) {
            if (sourceChars.contains(c.unicode()))
                m_onePass = false;
        }
        int node = 0;
        for (qsizetype k = 0; k < source.size(); ++k) {
            const char16_t c = source.at(k).unicode();
            int child = -1;
            if (node == 0) {
                child = m_first[c];
            } else {
                for (const auto &[ch, to] : m_nodes[size_t(node)].next) {
                    if (ch == c)
                        child = to;
                }
            }
            if (child < 0) {
                child = int(m_nodes.size());
                m_nodes.emplace_back();
                if (node == 0)
                    m_first[c] = child;
                else
                    m_nodes[size_t(node)].next.emplace_back(c, child);
            }
            node = child;
        }
        // A repeated source: the earlier pair has taken every occurrence.
        if (m_nodes[size_t(node)].pair < 0)
            m_nodes[size_t(node)].pair = i;
    }
}

void PairConverter::matchesAt(const QString &text, qsizetype at, std::vector<Match> &out) const
{
    int node = m_first[text.at(at).unicode()];
    qsizetype pos = at + 1;
    while (node >= 0) {
        const Node &n = m_nodes[size_t(node)];
        if (n.pair >= 0)
            out.push_back({at, pos, n.pair});
        if (pos >= text.size() || n.next.empty())
            break;
        const char16_t c = text.at(pos).unicode();
        node = -1;
        for (const auto &[ch, to] : n.next) {
            if (ch == c) {
                node = to;
                break;
            }
        }
        ++pos;
    }
}

// Overlapping occurrences between `from` and `to`: as the sequence does it,
// each pair in order takes its occurrences from left to right where no
// earlier choice covers them.
QString PairConverter::resolveCluster(std::vector<Match> &matches, const QString &text, qsizetype from,
                                      qsizetype to) const
{
    std::sort(matches.begin(), matches.end(), [](const Match &a, const Match &b) {
        return a.pair != b.pair ? a.pair < b.pair : a.start < b.start;
    });
    std::vector<const Match *> chosen;
    for (const Match &m : matches) {
        const bool free = std::none_of(chosen.begin(), chosen.end(), [&](const Match *c) {
            return m.start < c->end && c->start < m.end;
        });
        if (free)
            chosen.push_back(&m);
    }
    std::sort(chosen.begin(), chosen.end(), [](const Match *a, const Match *b) { return a->start < b->start; });
    QString out;
    qsizetype pos = from;
    for (const Match *m : chosen) {
        out += QStringView(text).sliced(pos, m->start - pos);
        out += m_pairs.at(m->pair).second;
        pos = m->end;
    }
    out += QStringView(text).sliced(pos, to - pos);
    return out;
}

QString PairConverter::convert(const QString &text) const
{
    if (!m_onePass) {
        QString out = text;
        for (const auto &[source, target] : m_pairs) {
            if (!source.isEmpty())
                out = replaceAll(out, source, target);
        }
        return out;
    }
    QString out;
    out.reserve(text.size() + text.size() / 8);
    std::vector<Match> matches;
    const qsizetype n = text.size();
    qsizetype copied = 0; // text before this is in `out`
    qsizetype i = 0;
    while (i < n) {
        if (m_first[text.at(i).unicode()] < 0) {
            ++i;
            continue;
        }
        matches.clear();
        matchesAt(text, i, matches);
        if (matches.empty()) {
            ++i;
            continue;
        }
        // The cluster: every occurrence that overlaps one found so far.
        qsizetype end = matches.back().end;
        const size_t atStart = matches.size();
        for (qsizetype q = i + 1; q < end; ++q) {
            if (m_first[text.at(q).unicode()] < 0)
                continue;
            const size_t before = matches.size();
            matchesAt(text, q, matches);
            if (matches.size() > before)
                end = std::max(end, matches.back().end);
        }
        out += QStringView(text).sliced(copied, i - copied);
        if (matches.size() == atStart) {
            // Only matches at i: the earliest pair among them wins.
            const Match &best = *std::min_element(matches.begin(), matches.end(),
                                                  [](const Match &a, const Match &b) { return a.pair < b.pair; });
            out += m_pairs.at(best.pair).second;
            copied = i = best.end;
        } else {
            out += resolveCluster(matches, text, i, end);
            copied = i = end;
        }
    }
    out += QStringView(text).sliced(copied);
    return out;
}
