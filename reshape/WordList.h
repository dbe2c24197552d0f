#pragma once
// The words a reshape must not divide: the analyser's surface forms and the
// user's custom dictionary. Lookups find the longest word at a position in
// time proportional to the word's length, whatever the size of the list.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class WordList {
public:
    // False for a word holding a broken character: a lone surrogate, which
    // would match half of a surrogate pair and split it, or U+FFFD, which
    // stands for bytes that could not be read and is not what was meant.
    static bool isUsableWord(QStringView word);

    // Adds `word` unless it is empty, not usable, or equal to an entry with
    // letter case ignored.
    void add(const QString &word);

    // Adds the analyser's surface forms, then each non-empty custom dictionary
    // line exactly as written.
    static WordList build(const QStringList &surfaces, const QStringList &customLines);

    // One-based numbers of the custom dictionary lines that build leaves out
    // as not usable, for a warning.
    static QList<qsizetype> unusableLines(const QStringList &customLines);

    // Length in UTF-16 units of the longest entry that `text` has at `pos`, 0 if none.
    qsizetype longestAt(QStringView text, qsizetype pos) const;
    // True when some entry begins at `pos`.
    bool anyAt(QStringView text, qsizetype pos) const { return longestAt(text, pos) > 0; }

    // The entries, longest first (equal lengths in the order they were added).
    QStringList sortedByLength() const;
    qsizetype size() const { return m_words.size(); }

private:
    static quint64 edgeKey(qint32 node, char16_t c) { return (quint64(quint32(node)) << 16) | c; }

    // The trie as one table of edges (node, character) -> child: a hash per
    // node would cost hundreds of bytes for each of its many one-child nodes.
    QHash<quint64, qint32> m_edges;
    QList<bool> m_terminal{false};
    QStringList m_words;
    QHash<QString, bool> m_folded; // case-folded entries, for the duplicate test
};
