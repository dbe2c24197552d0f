#pragma once
// What is kept of an analyser run: each distinct line of its output once, in
// the order first met. The word lists and the word check read nothing else,
// and a roll's records repeat so much that this is a small part of the
// morpheme text (itself about ten times the roll).
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QStringList>

#include <functional>
#include <utility>

// A word's part of speech and base form, as the analyser names them.
using WordTag = std::pair<QString, QString>;

class MorphemeDigest {
public:
    // Takes the output as the analyser wrote it (UTF-8) in pieces of whole
    // lines (LF or CR LF ends a line). A line met before is not even decoded.
    void add(QByteArrayView utf8Lines);

    // The distinct non-empty lines, without their line ends.
    const QStringList &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }

    // The distinct lines again, ordered by where each was met last: whatever
    // looks at the records in the output's order and lets a later record
    // override an earlier one gets the same result from this list.
    QStringList linesByLastOccurrence() const;

    // As distinctSurfaces and partsOfSpeech give them for the whole output.
    QStringList surfaces() const;
    QStringList partsOfSpeech() const;

    // For each surface form (as surfaces() gives it), the part of speech and
    // base form its records carry most often in the output (the first met
    // among equals): what phrase breaking needs to tell a particle from a
    // content word, and 「する」 from other verbs.
    QHash<QString, WordTag> surfaceTags() const;

    // Every record in the output's order, each as the number of its distinct
    // line (as lines() holds it), its surface form, part of speech and base
    // form: the analyser's reading of each occurrence, for what needs to know
    // how one place of the text was read.
    using RecordVisitor = std::function<void(qsizetype distinct, QStringView surface, QStringView partOfSpeech,
                                             QStringView baseForm)>;
    void forEachRecord(const RecordVisitor &each) const;

private:
    QStringList m_lines;
    QHash<QByteArray, qsizetype> m_seen; // a line → its index in m_lines
    QList<qint64> m_lastMet;             // for each of m_lines: the number of the line that met it last
    QList<qint64> m_times;               // for each of m_lines: how often it was met
    qint64 m_count = 0;                  // non-empty lines taken
    QList<qint32> m_order;               // every line taken, as its index in m_lines
};
