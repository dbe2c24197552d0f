#include "roll/TextSearch.h"

qsizetype FindForward(QStringView text, QStringView needle, qsizetype from)
{
    if (needle.isEmpty() || from < 0 || from > text.size())
        return -1;
    return text.indexOf(needle, from, Qt::CaseSensitive);
}

qsizetype FindStart(bool hasSelection, qsizetype selectionStart, QStringView needle)
{
    return hasSelection ? selectionStart + needle.size() : 0;
}

QString ReplaceAll(QStringView text, QStringView needle, QStringView replacement, qsizetype *count)
{
    qsizetype replaced = 0;
    QString out;
    if (!needle.isEmpty()) {
        qsizetype rest = 0;
        for (qsizetype hit; (hit = text.indexOf(needle, rest, Qt::CaseSensitive)) >= 0;) {
            out += text.mid(rest, hit - rest);
            out += replacement;
            rest = hit + needle.size();
            ++replaced;
        }
        out += text.mid(rest);
    } else {
        out = text.toString();
    }
    if (count)
        *count = replaced;
    return out;
}
