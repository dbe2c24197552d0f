#pragma once
// Furigana as IPtalk shows it: the ruby code "`r" + reading + "`s" + base
// text, written by hand for a selection or automatically for every word of
// the roll whose reading the analyser knows.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

// The ruby code for `base` read as `reading` (no closing mark follows the base).
QString rubyCode(const QString &reading, const QString &base);

// Whether an analyser record (its fields) gives a furigana word: a general
// verb, or a noun that is not a number, whose surface begins with a character
// Shift-JIS writes in two bytes (not ASCII, not half-width kana).
bool takesFurigana(const QStringList &record);
// The same for a record's surface (field 0) and part of speech (field 3).
bool takesFurigana(QStringView surface, QStringView partOfSpeech);

// A record's reading as furigana: in hiragana; empty when that would not fit
// in 254 Shift-JIS bytes.
QString furiganaReading(QStringView katakanaReading);

// The last school year a furigana run can be aimed at: with grade N (1 to
// this) only words holding a kanji the first N years do not teach get their
// reading; 0 aims at no year, and every word gets one.
constexpr int kMaxFuriganaGrade = 6;

// Whether a reader who knows the education kanji of school years 1 to
// `grade` needs the reading of `word`: it holds a kanji outside them (later
// years, the other jōyō kanji and every other kanji alike). Under a grade a
// word without kanji needs none; with grade 0 every word needs it.
bool needsFurigana(QStringView word, int grade);

// The order of the words' "surface=reading" texts: locale collation, letter
// case ignored. Among words with the same surface, the one first in this
// order gives the reading.
int compareFuriganaEntries(const QString &a, const QString &b);

// The furigana words of one run, looked up by surface with letter case
// ignored, longest match first, in time proportional to the match.
class FuriganaDictionary {
public:
    // `grade`: the school year the readings are for (see needsFurigana).
    explicit FuriganaDictionary(int grade = 0) : m_grade(grade) {}

    // The words of the analyser's record lines (non-records are skipped).
    static FuriganaDictionary fromMorphemeLines(const QStringList &lines, int grade = 0);

    void add(const QString &surface, const QString &reading);

    // The reading looking up `text` gives (empty when none, or when the word
    // first in order has an empty reading).
    QString lookup(QStringView text) const;

    struct Match {
        qsizetype length = 0; // 0: no word with a reading begins there
        QStringView reading;  // valid while the dictionary lives
        // The school year knows every kanji of the word: it stays as it is,
        // and no shorter word inside it takes its place.
        bool known = false;
    };
    // The longest word at `pos` of `text` whose lookup gives a reading.
    Match longestAt(QStringView text, qsizetype pos) const;

    // The longest surface, in UTF-16 units.
    qsizetype maxLength() const { return m_maxLength; }
    bool isEmpty() const { return m_surfaces.isEmpty(); }

private:
    static quint64 edgeKey(qint32 node, char16_t c) { return (quint64(quint32(node)) << 16) | c; }
    qint32 child(qint32 node, char16_t c) const
    {
        return node == 0 ? m_firstLevel.at(c) : m_edges.value(edgeKey(node, c), -1);
    }

    // A trie over the case-folded surfaces; each node knows the entry its
    // surface looks up to (-1: none ends there). The scan asks the first
    // level at every character of the roll: that one is a plain array by
    // character, the deeper edges one table.
    QList<qint32> m_firstLevel = QList<qint32>(0x10000, -1);
    QHash<quint64, qint32> m_edges;
    QList<qint32> m_entryAt{-1};
    // The word that answers for each node that has one: its surface as
    // written, and its reading.
    QStringList m_surfaces;
    QStringList m_readings;
    QList<bool> m_known; // per word: needs no reading at m_grade
    int m_grade = 0;
    qsizetype m_maxLength = 0;
};

// `lines` with the mark and reading of every ruby code taken out, its base
// text left in place: what the analyser reads for a furigana run, so that
// the readings of an earlier run are not taken for words of the roll. A code
// is "`r" + reading + "`s" on one line, as addFurigana recognises it.
QStringList withoutRubyCodes(const QStringList &lines);

// Called now and then during a long scan with the position reached and the
// length of the text; returning false stops the scan.
using ScanProgress = std::function<bool(qsizetype done, qsizetype total)>;

// `text` with every dictionary word wrapped in its ruby code, scanning left
// to right and taking the longest word at each position. A word whose kanji
// the dictionary's school year knows is taken all the same but stays without
// a code, so the words after it are those found without a school year. Ruby
// codes already in the text are left as they are, with the base text they
// carry (the longest word there, or the run of kanji or of one kind of kana
// that begins there, whichever is longer). Nothing when the scan was stopped.
std::optional<QString> addFurigana(QStringView text, const FuriganaDictionary &dictionary,
                                   const ScanProgress &keepGoing = {});
