#include "reshape/WordList.h"

#include <algorithm>

bool WordList::isUsableWord(QStringView word)
{
    const qsizetype n = word.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = word[i];
        if (c == QChar::ReplacementCharacter)
            return false;
        if (!c.isSurrogate())
            continue;
        if (!c.isHighSurrogate() || i + 1 == n || !word[i + 1].isLowSurrogate())
            return false;
        ++i;
    }
    return true;
}

QList<qsizetype> WordList::unusableLines(const QStringList &customLines)
{
    QList<qsizetype> lines;
    for (qsizetype i = 0; i < customLines.size(); ++i) {
        if (!isUsableWord(customLines.at(i)))
            lines.append(i + 1);
    }
    return lines;
}

void WordList::add(const QString &word)
{
    if (word.isEmpty() || !isUsableWord(word))
        return;
    const QString folded = word.toCaseFolded();
    if (m_folded.contains(folded))
        return;
    m_folded.insert(folded, true);
    m_words.append(word);
    qint32 node = 0;
    for (const QChar c : word) {
        auto it = m_nodes[node].next.constFind(c.unicode());
        if (it == m_nodes[node].next.cend()) {
            m_nodes.append(Node{});
            const qint32 child = qint32(m_nodes.size() - 1);
            m_nodes[node].next.insert(c.unicode(), child);
            node = child;
        } else {
            node = *it;
        }
    }
    m_nodes[node].terminal = true;
}

WordList WordList::build(const QList<QStringList> &morphemes, const QStringList &customLines)
{
    WordList list;
    for (const QStringList &fields : morphemes) {
        if (fields.size() < 4)
            continue;
        QString surface = fields.at(0);
        surface.remove(u' ').remove(u'　');
        list.add(surface);
    }
    for (const QString &line : customLines)
        list.add(line);
    return list;
}

qsizetype WordList::longestAt(QStringView text, qsizetype pos) const
{
    qsizetype longest = 0;
    qint32 node = 0;
    for (qsizetype i = pos; i < text.size(); ++i) {
        const auto it = m_nodes[node].next.constFind(text[i].unicode());
        if (it == m_nodes[node].next.cend())
            break;
        node = *it;
        if (m_nodes[node].terminal)
            longest = i - pos + 1;
    }
    return longest;
}

QStringList WordList::sortedByLength() const
{
    QStringList sorted = m_words;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return sorted;
}
