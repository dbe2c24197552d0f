#include "analysis/WordsOfPart.h"

#include "analysis/Furigana.h"
#include "analysis/MorphemeRecord.h"

#include <QLocale>
#include <QSet>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Calls `take(fields)` for each record of `part`; `take` returns the text to
// keep, which is kept unless an equal one (letter case ignored) came before.
QStringList distinctOfPart(const QStringList &recordLines, const QString &part,
                           const std::function<QString(const QStringList &)> &take)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString &line : recordLines) {
        const QStringList fields = parseRecord(line);
        if (fields.size() < 4 || fields.at(3) != part)
            continue;
        const QString text = take(fields);
        const QString folded = text.toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        out.append(text);
    }
    return out;
}

} // namespace

QStringList wordsOfPart(const QStringList &recordLines, const QString &part, bool baseForms)
{
    return distinctOfPart(recordLines, part,
                          [baseForms](const QStringList &fields) { return fields.at(baseForms ? 1 : 0); });
}

QStringList dictionaryEntries(const QStringList &recordLines, const QString &part)
{
    return distinctOfPart(recordLines, part, [](const QStringList &fields) {
        QString reading = furiganaReading(fields.at(2));
        if (reading.isEmpty())
            reading = fields.at(2); // too long for the mapping: left as it came
        return reading + u'\t' + fields.at(0) + u'\t' + fields.at(3);
    });
}

QStringList dictionaryFileLines(const QStringList &entries, const QString &dateTime)
{
    QStringList lines{
        u"Microsoft IME Dictionary Tool"_s,
        u"!Version:"_s,
        u"!Format:WORDLIST"_s,
        u"!User Dictionary Name: C:\\"_s,
        u"!Output File Name: c:\\"_s,
        u"!DateTime: "_s + dateTime,
        u"!TextListMaker: KOV Editor "_s,
        u"!TextListDict:  Chasen "_s,
    };
    lines += entries;
    return lines;
}

QString dictionaryDateTime(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    // The long time format without a time zone, which a dictionary tool
    // would not expect after the seconds.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(u't').replace(u"  "_s, u" "_s);
    return locale.toString(when.date(), QLocale::ShortFormat) + u' ' + locale.toString(when.time(), time.trimmed());
}
