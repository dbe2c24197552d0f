#pragma once
// Re-breaking over-long roll lines so that they fit the caption screen.
// Results are "items": one per input line, each holding its output lines
// separated by "\n"; the roll becomes the items, each followed by "\n".
// No reshape splits a surrogate pair, and none turns part of a caption line
// into a comment: where an output line would begin with "<-", the break comes
// one character earlier (or "<" stands alone after a single character).
#include "reshape/CaptionBreaking.h"

#include <QStringList>

class WidthModel;
class WordList;

struct ReshapeOptions {
    bool plasticComment = false; // reshape over-long comment lines too
    bool insertBlankLine = false; // an empty line after every line written
    BreakRules rules;             // line-break rules, phrases, balance: none by default
};

// The blank-line extra E: "\n" when a blank line follows every line, else "".
inline QString blankLineExtra(const ReshapeOptions &options)
{
    return options.insertBlankLine ? QStringLiteral("\n") : QString();
}

// Cuts `line` into pieces of `chars` UTF-16 units (a surrogate pair is never
// split); continuations of a comment line start with "<-", which counts in
// their length. A setting that cannot make progress (chars < 1, or < 3 for a
// comment line) leaves the line whole. Returns the item.
QString reshapeLineByChars(QStringView line, int chars, QStringView extra);

// Cuts `line` into pieces no wider than `limit` (at least one character each).
// Continuations of a comment line start with "<-" and always carry at least
// one character of the line after it. Returns the item.
QString reshapeLineByWidth(QStringView line, int limit, WidthModel &model, QStringView extra);

// Breaks `line` only between listed words (a word wider than `limit` stands
// alone on its line). Where no word begins within reach, the current output
// line is ended and a run of characters up to the next word, at most what fits
// on a line, is moved on. Returns the item.
QString reshapeLineByWords(QStringView line, int limit, const WordList &words, WidthModel &model,
                           QStringView extra);

// The reshape of a whole roll. Lines wider than `limit` are reshaped (comment
// lines only with plasticComment): by the break rules when any is set (widths
// throughout, the words used when given), else by words when `words` is
// given, otherwise by `chars` units (chars > 0) or by width (chars == 0).
// Other lines are kept.
QStringList reshapeRoll(const QStringList &lines, int limit, int chars, const ReshapeOptions &options,
                        const WordList *words, WidthModel &model);

// The lines with their breaks removed and a break put after every "／" and
// every "。" (a break at the very end gives no empty last line); before "<-"
// the break comes before the mark instead.
QStringList joinAndBreakAtMarks(const QStringList &lines);

// The roll text made of items, each followed by "\n".
QString itemsToText(const QStringList &items);
