#pragma once
// The lines of a roll text held with "\n" between lines, as views: no string
// of their own, so a pass over a 50 MB roll allocates nothing per line.
#include <QByteArrayView>
#include <QStringList>
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

// The same lines as strings of their own.
inline QStringList textLines(QStringView text)
{
    QStringList lines;
    forEachTextLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

// The lines of what another program wrote, where CR LF ends a line as well
// as LF (the CR belongs to no line); for decoded text and for bytes alike
// (QStringView or QByteArrayView). A final line end starts no further line.
template <typename View, typename Each>
void forEachWrittenLine(View text, Each each)
{
    const qsizetype size = text.size();
    for (qsizetype start = 0; start < size;) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = size;
        qsizetype stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        each(text.sliced(start, stop - start));
        start = end + 1;
    }
}
