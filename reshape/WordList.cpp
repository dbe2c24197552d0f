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

void WordList::add(const QString &word, PhraseRole role)
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
        const quint64 key = edgeKey(node, c.unicode());
        const auto it = m_edges.constFind(key);
        if (it == m_edges.cend()) {
            const qint32 child = qint32(m_terminal.size());
            m_terminal.append(0);
            m_edges.insert(key, child);
            node = child;
        } else {
            node = *it;
        }
    }
    m_terminal[node] = quint8(quint8(role) + 1);
}

WordList WordList::build(const QStringList &surfaces, const QStringList &customLines,
                         const QHash<QString, std::pair<QString, QString>> &tags)
{
    WordList list;
    for (const QString &surface : surfaces) {
        const auto tag = tags.constFind(surface);
        list.add(surface, tag == tags.cend() ? PhraseRole::Content : phraseRoleOfWord(tag->first, tag->second));
    }
    for (const QString &line : customLines) {
        list.add(line);
        list.markCustom(line);
    }
    return list;
}

void WordList::markCustom(const QString &word)
{
    // Also a word the analyser knew already: the user asked to keep it whole.
    if (word.isEmpty() || !isUsableWord(word))
        return;
    qint32 node = 0;
    for (const QChar c : word) {
        const auto it = m_edges.constFind(edgeKey(node, c.unicode()));
        if (it == m_edges.cend())
            return; // left out as equal to another entry but for letter case
        node = *it;
    }
    if (m_terminal[node] && !(m_terminal[node] & kCustom)) {
        m_terminal[node] |= kCustom;
        ++m_customCount;
    }
}

qsizetype WordList::longestCustomAt(QStringView text, qsizetype pos) const
{
    qsizetype length = 0;
    qint32 node = 0;
    for (qsizetype i = pos; i < text.size(); ++i) {
        const auto it = m_edges.constFind(edgeKey(node, text[i].unicode()));
        if (it == m_edges.cend())
            break;
        node = *it;
        if (m_terminal[node] & kCustom)
            length = i - pos + 1;
    }
    return length;
}

qsizetype WordList::longestAt(QStringView text, qsizetype pos) const
{
    return matchAt(text, pos).length;
}

WordList::Match WordList::matchAt(QStringView text, qsizetype pos) const
{
    Match match;
    qint32 node = 0;
    for (qsizetype i = pos; i < text.size(); ++i) {
        const auto it = m_edges.constFind(edgeKey(node, text[i].unicode()));
        if (it == m_edges.cend())
            break;
        node = *it;
        if (const quint8 terminal = m_terminal[node]) {
            match.length = i - pos + 1;
            match.role = PhraseRole((terminal & ~kCustom) - 1);
        }
    }
    return match;
}

QStringList WordList::sortedByLength() const
{
    QStringList sorted = m_words;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return sorted;
}
