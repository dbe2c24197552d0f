#include "analysis/MecabRecords.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// MeCab writes "*" for a feature a word does not have.
QString feature(const QList<QStringView> &features, qsizetype i)
{
    if (i >= features.size() || features.at(i) == u"*")
        return {};
    return features.at(i).toString();
}

bool allOf(QStringView text, bool (*test)(QChar))
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!test(c))
            return false;
    }
    return true;
}

bool isSymbol(QChar c)
{
    return c.isPunct() || c.isSymbol();
}

QString quotedField(const QString &field)
{
    bool plain = true;
    for (const QChar c : field) {
        if (c == u',' || c == u'"' || c.unicode() <= 0x20) {
            plain = false;
            break;
        }
    }
    if (plain)
        return field;
    QString quoted = field;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

} // namespace

std::optional<AnalyserRecord> recordFromMecab(QStringView line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0)
        return std::nullopt;
    const QList<QStringView> features = line.sliced(tab + 1).split(u',');
    if (features.size() < 6 || features.at(0).isEmpty())
        return std::nullopt;

    AnalyserRecord record;
    record.surface = line.first(tab).toString();
    // The dictionary's own words carry base form, reading and pronunciation.
    if (features.size() >= 8) {
        QStringList levels;
        for (qsizetype i = 0; i < 4; ++i) {
            const QString level = feature(features, i);
            if (!level.isEmpty())
                levels << level;
        }
        record.partOfSpeech = levels.join(u'-');
        record.conjugationType = feature(features, 4);
        record.conjugationForm = feature(features, 5);
        record.base = feature(features, 6);
        record.reading = feature(features, 7);
        return record;
    }
    record.inDictionary = false;
    // A guess for a word outside the dictionary: told apart from a known
    // word as ChaSen tells it, or the word check and the advisor would take
    // the guess for the dictionary's word.
    if (feature(features, 0) == u"名詞" && feature(features, 1) == u"数") {
        record.partOfSpeech = u"名詞-数"_s;
        record.base = record.surface;
    } else if (allOf(record.surface, isSymbol)) {
        record.partOfSpeech = u"記号-一般"_s;
        record.base = record.surface;
        record.reading = record.surface;
    } else {
        record.partOfSpeech = u"未知語"_s;
    }
    return record;
}

QString chasenRecordLine(const AnalyserRecord &record)
{
    return quotedField(record.surface) + u',' + quotedField(record.base) + u',' + quotedField(record.reading) + u','
           + quotedField(record.partOfSpeech);
}

QByteArray chasenRecordsFromMecab(QByteArrayView utf8Lines)
{
    QByteArray out;
    out.reserve(utf8Lines.size());
    qsizetype start = 0;
    while (start < utf8Lines.size()) {
        qsizetype end = utf8Lines.indexOf('\n', start);
        if (end < 0)
            end = utf8Lines.size();
        QByteArrayView line = utf8Lines.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = end + 1;
        if (line == "EOS") {
            out += "EOS\n";
            continue;
        }
        std::optional<AnalyserRecord> record = recordFromMecab(QString::fromUtf8(line));
        if (!record)
            continue;
        // MeCab takes a run of symbols it does not know ("=====", "~~~")
        // for one word, which the word check would keep whole however wide;
        // ChaSen gives each symbol a record of its own.
        if (!record->inDictionary && record->partOfSpeech == u"記号-一般" && record->surface.size() > 1) {
            const QString run = record->surface;
            for (qsizetype i = 0; i < run.size(); ++i) {
                const qsizetype n = run[i].isHighSurrogate() && i + 1 < run.size() ? 2 : 1;
                record->surface = record->base = record->reading = run.sliced(i, n);
                out += chasenRecordLine(*record).toUtf8();
                out += '\n';
                i += n - 1;
            }
            continue;
        }
        out += chasenRecordLine(*record).toUtf8();
        out += '\n';
    }
    return out;
}
