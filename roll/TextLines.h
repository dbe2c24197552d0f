#pragma once
// The lines of a roll text held with "\n" between lines, as views: no string
// of their own, so a pass over a 50 MB roll allocates nothing per line.
#include <QStringView>

// Calls `each(QStringView line)` for every line. A final line break starts no
// further line; an empty text has no lines (as split + dropping a last empty
// part would give).
template <typename Each>
void forEachTextLine(QStringView text, Each each)
{
    const qsizetype size = text.size();
    for (qsizetype start = 0; start < size;) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        each(text.sliced(start, end - start));
        start = end + 1;
    }
}
