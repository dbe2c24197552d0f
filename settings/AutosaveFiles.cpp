#include "settings/AutosaveFiles.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

QString autosaveCopyName(const QDateTime &when)
{
    return u"一時保存"_s + when.toString(u"yyyy-MM-dd-HHmmss"_s) + u".txt"_s;
}

QStringList autosaveCopies(const QString &folder)
{
    return QDir(folder).entryList({u"一時保存*.txt"_s}, QDir::Files, QDir::Name);
}

qint32 dosDateTime(const QDateTime &when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    // The DOS stamp starts in 1980; earlier times show as its first day.
    const int year = std::clamp(d.year() - 1980, 0, 127);
    const quint32 date = quint32(year << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return qint32(date << 16 | time);
}
