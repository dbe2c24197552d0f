#pragma once
// The comment and uncomment commands on a selected text. Both work line by
// line and give back the text that replaces the selection: every line ends
// with CR LF, the last one too, so a selection that ends inside a line gains a
// line break and one that starts inside a line is marked at that point.
#include <QString>
#include <QStringList>

// The lines of a selection: CR LF, CR, LF and the editor's paragraph and line
// separators (U+2029, U+2028) each end a line; a final break opens no new
// line; an empty selection has no lines.
QStringList SelectionLines(const QString &selection);

// Puts `marker` ("<-", "<-◆", "<-●", "<-■") in front of each line that does not
// already begin with the whole marker.
QString CommentLines(const QString &selection, const QString &marker);

// Removes from each line, in this order and each from the result of the one
// before: a leading "<-■", "<-◆", "<-●", then "<-".
QString UncommentLines(const QString &selection);
