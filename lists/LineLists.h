#pragma once
// The lists of roll lines shown in the result list window, and the talker
// list: plain functions over the roll's lines.
#include <QStringList>

// The result-list entry for line `lineIndex` (zero-based): "%05d : %s" with
// the one-based number; characters Shift-JIS cannot show appear as "?".
QString resultEntry(int lineIndex, const QString &line);

// The line number an entry begins with (leading blanks skipped), or -1.
int entryLineNumber(const QString &entry);

// Entries of every line that contains `text` (exact, case-sensitive); none for
// an empty text.
QStringList linesContaining(const QStringList &lines, const QString &text);

// The distinct talker parts of the roll in order of first appearance; parts
// that differ only in letter case count as one (the first is kept).
QStringList talkerParts(const QStringList &lines);

// Entries of the lines that hold a slash and begin with the talker part.
QStringList linesOfTalker(const QStringList &lines, const QString &talker);

// The name of a talker part: without its final slash ("田中／" → "田中").
QString talkerName(const QString &talker);

// `text` as it shows after a round trip through Shift-JIS ("?" for what it cannot hold).
QString asShownInShiftJis(const QString &text);
