#pragma once
// The smaller whole-roll shapes: a break after a punctuation mark, centring
// within the line limit, trimming blanks. Each turns one line into one item
// (output lines separated by "\n"), as the reshapes do.
#include <QString>

enum class BreakMark { Period, Slash, Comma }; // 「。」, 「／」, 「、」

QChar breakMarkChar(BreakMark mark);

// Breaks the line after every mark when it is a caption line, or a comment
// line with `plasticComment` (continuations of a comment start with "<-").
// A caption line never gives a line that begins with "<-": before one the
// break comes before the mark, or not at all when the mark would stand alone.
// After 「。」 and 「、」 a comment's break is not followed by the blank-line
// extra; after 「／」 it is, for every line. Other lines: line + extra.
QString breakLineAtMark(const QString &line, BreakMark mark, bool plasticComment, const QString &extra);

// A caption line gets (limitCells − width) / 2 half-width blanks in front
// (when that is above 0); comment lines are kept. The item ends with extra.
QString centreLine(const QString &line, int limitCells, const QString &extra);

// A caption line loses U+0000–U+0020 at both ends (ideographic spaces stay),
// but keeps the last one before a "<-" that would otherwise make it a comment;
// comment lines are kept. The item ends with extra.
QString trimLine(const QString &line, const QString &extra);
// The part of `line` that trimLine keeps, as a view.
QStringView trimmedLine(QStringView line);
