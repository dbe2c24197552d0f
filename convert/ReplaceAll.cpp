#include "convert/ReplaceAll.h"

QString replaceAll(const QString &text, QStringView from, QStringView to)
{
    qsizetype hit = from.isEmpty() ? -1 : text.indexOf(from);
    if (hit < 0)
        return text; // shares the data, no copy
    QString out;
    out.reserve(to.size() > from.size() ? text.size() + text.size() / 8 : text.size());
    qsizetype done = 0;
    const QStringView all(text);
    while (hit >= 0) {
        out += all.sliced(done, hit - done);
        out += to;
        done = hit + from.size();
        hit = text.indexOf(from, done);
    }
    out += all.sliced(done);
    return out;
}
