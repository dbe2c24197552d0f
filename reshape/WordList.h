#pragma once
// The words a reshape must not divide: the analyser's surface forms and the
// user's custom dictionary. Lookups find the longest word at a position in
// time proportional to the word's length, whatever the size of the list.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "reshape/MorphemeMap.h"
#include "reshape/PhraseRoles.h"

class WordList {
public:
    // False for a word holding a broken character: a lone surrogate, which
    // would match half of a surrogate pair and split it, or U+FFFD, which
    // stands for bytes that could not be read and is not what was meant.
    static bool isUsableWord(QStringView word);

    // Adds `word` unless it is empty, not usable, or equal to an entry with
    // letter case ignored. The role tells how it leans on its neighbours when
    // lines break between phrases.
    void add(const QString &word, PhraseRole role = PhraseRole::Content);

    // Adds the analyser's surface forms, then each non-empty custom dictionary
    // line exactly as written. A custom line is a phrase of its own; a surface
    // takes its role from `tags` (surface -> the part of speech and base form
    // it has most often) where given.
    static WordList build(const QStringList &surfaces, const QStringList &customLines,
                          const QHash<QString, std::pair<QString, QString>> &tags = {});

    // One-based numbers of the custom dictionary lines that build leaves out
    // as not usable, for a warning.
    static QList<qsizetype> unusableLines(const QStringList &customLines);

    // Length in UTF-16 units of the longest entry that `text` has at `pos`, 0 if none.
    qsizetype longestAt(QStringView text, qsizetype pos) const;
    // The longest entry at `pos` with its role (length 0: none).
    struct Match {
        qsizetype length = 0;
        PhraseRole role = PhraseRole::Content;
    };
    Match matchAt(QStringView text, qsizetype pos) const;
    // The length of the longest custom dictionary word at `pos`, 0 if none.
    qsizetype longestCustomAt(QStringView text, qsizetype pos) const;
    bool hasCustomWords() const { return m_customCount > 0; }

    // The analyser's reading of the roll the words came from, for phrases
    // made per occurrence (empty when not given).
    const MorphemeMap &morphemes() const { return m_morphemes; }
    void setMorphemes(MorphemeMap map) { m_morphemes = std::move(map); }

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
    static constexpr quint8 kCustom = 0x80; // with a terminal: the word is in the custom dictionary
    void markCustom(const QString &word);

    QList<quint8> m_terminal{0}; // 0: no word ends here; else its role + 1, with kCustom
    QStringList m_words;
    QHash<QString, bool> m_folded; // case-folded entries, for the duplicate test
    qsizetype m_customCount = 0;
    MorphemeMap m_morphemes;
};
