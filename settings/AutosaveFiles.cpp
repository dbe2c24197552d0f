#include "settings/AutosaveFiles.h"

#include <QDir>
#include <QRegularExpression>

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

QStringList ownAutosaveCopies(const QString &folder)
{
    static const QRegularExpression own(u"^一時保存(\\d{4}-\\d\\d-\\d\\d-\\d{6})(?:-(\\d{1,6}))?\\.txt$"_s);
    struct Copy {
        QString name;
        QString stamp;
        int number; // 1 for the first copy of a second
    };
    QList<Copy> copies;
    for (const QString &name : autosaveCopies(folder)) {
        const QRegularExpressionMatch m = own.match(name);
        if (m.hasMatch())
            copies.append({name, m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
    }
    // By name, "-2" would come before the first copy and "-10" before "-2".
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.number < b.number;
    });
    QStringList names;
    names.reserve(copies.size());
    for (const Copy &c : copies)
        names << c.name;
    return names;
}

QStringList copiesBeyond(const QStringList &ownCopies, int keep)
{
    return ownCopies.mid(0, std::max<qsizetype>(0, ownCopies.size() - std::max(0, keep)));
}
