#pragma once
// The comment and uncomment commands. They work on whole lines, every line a
// selection touches, and rewrite those lines in place: the roll keeps its
// number of lines, so nothing blank is sent or printed and the slide gutter
// stays in step.
#include <QStringList>

// The lines (zero-based, first to last inclusive) that a selection touches.
struct LineSpan {
    int first = 0;
    int last = 0;
    bool operator==(const LineSpan &) const = default;
};

// The selection runs from line `startLine` to column `endColumn` of line
// `endLine`. A selection that ends at the very start of a line (right after a
// line break) does not touch that line, unless it also begins on it.
LineSpan SelectedLines(int startLine, int endLine, int endColumn);

// Puts `marker` ("<-", "<-◆", "<-●", "<-■") in front of each line that does not
// already begin with the whole marker.
QStringList CommentLines(QStringList lines, const QString &marker);

// Removes from each line, in this order and each from the result of the one
// before: a leading "<-■", "<-◆", "<-●", then "<-".
QStringList UncommentLines(QStringList lines);
