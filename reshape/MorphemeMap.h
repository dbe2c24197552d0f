#pragma once
// The analyser's own reading of the roll, laid over its text: where each
// morpheme begins and the role it plays in its phrase. Phrases are then made
// per occurrence, from each line's own morphemes in order, so that where a
// line breaks depends on that line alone and never cuts across the
// analyser's word boundaries.
#include "reshape/PhraseRoles.h"
#include "roll/RollConventions.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <functional>

class MorphemeMap {
public:
    // One record of the analyser's output: its surface form, part of speech
    // and base form. `distinct` numbers equal records alike (the same record
    // line gives the same number, or -1), so their role is worked out once.
    using RecordVisitor = std::function<void(qsizetype distinct, QStringView surface, QStringView partOfSpeech,
                                             QStringView baseForm)>;
    // Calls the visitor with every record in the output's order
    // (MorphemeDigest::forEachRecord is one).
    using RecordSource = std::function<void(const RecordVisitor &)>;

    // Per UTF-16 unit of the roll's text.
    static constexpr quint8 kInside = 0;    // inside a morpheme
    static constexpr quint8 kStart = 0x80;  // a morpheme begins here; the low bits hold its PhraseRole
    static constexpr quint8 kUnread = 0x40; // the analyser did not read it (a comment line)
    static PhraseRole roleOf(quint8 code) { return PhraseRole(code & 0x1F); }

    // Lays the records over `lines`, the roll lines as they were analysed:
    // the recognised comments by `kinds` left out, the rest read as one text
    // as the analyser read it (blanks skipped, a character Shift-JIS cannot
    // hold read as "?").
    static MorphemeMap build(const QStringList &lines, const CommentKinds &kinds, const RecordSource &records);

    bool isEmpty() const { return m_codes.isEmpty(); }
    // True when `lines` put end to end are the text that was analysed (a
    // reshape may cut that text into lines anew): then a line's codes are
    // those at its offset in the joined text.
    bool covers(const QStringList &lines) const;
    // The codes of the units [offset, offset + length) of the joined text.
    QByteArrayView codes(qint64 offset, qsizetype length) const
    {
        return QByteArrayView(m_codes).sliced(offset, length);
    }

private:
    QByteArray m_codes;
    quint64 m_hash = 0;
};
