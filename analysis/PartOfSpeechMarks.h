#pragma once
// Where the roll's nouns and verbs stand: the marks the part-of-speech
// marking lays over the roll view.
#include "roll/RollConventions.h"
#include "roll/RollMarks.h"

#include <QStringList>

#include <optional>

// The mark a record's part of speech asks for: Verb for "動詞…", Noun for
// "名詞…" holding neither "非" nor "数" (so not 「名詞-非自立」 nor 「名詞-数」);
// nothing for the rest.
std::optional<RollMark::Kind> markKindOf(QStringView partOfSpeech);

// The marks over `text` ("\n" between lines). Every taken record's word (its
// surface form, or its base form with `baseForms`) is marked wherever it
// occurs, inside comment lines and longer words too: exact, case-sensitive,
// occurrences of one word taken left to right without overlapping. Where the
// occurrences of different words overlap, the word whose last record comes
// later in the analyser's output wins, as painting record after record in
// that order would have it. `recordLines` are lines of the output in the
// order of their last occurrence: the whole output, or
// MorphemeDigest::linesByLastOccurrence(). What no word covers on a line
// that is a recognised comment by `kinds` is marked Plain: the marking
// clears the comment colouring there. Each occurrence (or what is left of it
// when later words overlap it) is one mark.
QList<RollMark> partOfSpeechMarks(QStringView text, const QStringList &recordLines, bool baseForms,
                                  const CommentKinds &kinds);

// The owner of each character (a mark's index into `owners`' words, -1 for
// none, -2 for a cleared comment line) turned into marks: one per run of the
// same owner. Shared with the literal search the benchmark measures against.
QList<RollMark> marksFromOwners(const QList<int> &owners, const QList<RollMark::Kind> &ownerKinds);

// -2 on the characters of the lines of `text` that are recognised comments.
void markClearedComments(QStringView text, const CommentKinds &kinds, QList<int> &owners);
