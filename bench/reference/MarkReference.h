#pragma once
// The part-of-speech marking written as the captioners' tool does it: every
// record of the analyser's output, in order, searched in the whole text from
// the start, each occurrence painted over whatever was painted there before.
// One search of the roll per record: the yardstick that the one-pass marking
// must match mark for mark.
#include "analysis/MorphemeRecord.h"
#include "analysis/PartOfSpeechMarks.h"

#include <algorithm>

namespace reference {

inline QList<RollMark> partOfSpeechMarks(QStringView text, const QStringList &outputLines, bool baseForms,
                                         const CommentKinds &kinds)
{
    QList<int> owners(text.size(), -1); // the painting each character shows last
    markClearedComments(text, kinds, owners);
    QList<RollMark::Kind> paintings;
    for (const QString &line : outputLines) {
        const QStringList fields = parseRecord(line);
        if (fields.size() < 4)
            continue;
        const std::optional<RollMark::Kind> kind = markKindOf(fields.at(3));
        const QString &word = fields.at(baseForms ? 1 : 0);
        if (!kind || word.isEmpty())
            continue;
        for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size())) {
            std::fill(owners.begin() + at, owners.begin() + at + word.size(), int(paintings.size()));
            paintings.append(*kind);
        }
    }
    return marksFromOwners(owners, paintings);
}

} // namespace reference
